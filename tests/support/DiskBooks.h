// Books with some of everything for the full-disk and read-only tests: accounts, folders,
// forty expenses (every seventh deleted, so a pack has work) and twenty income records, all
// written through the record layer with every index built.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>

#include "BookRecords.h"
#include "Database.h"
#include "TestDatabase.h"
#include "xbase/Status.h"

struct DiskBooks : TestDatabase {
  DiskBooks() {
    db.OpenAcc();
    for (int no = 1; no <= 5; ++no) {
      books::expectAppended(
          db.AppendAcc({no * 10, QStringLiteral("Expense account %1").arg(no), no % 2 == 0}));
    }
    db.OpenFolder();
    for (int no = 1; no <= 3; ++no) {
      books::expectAppended(db.AppendFolder({no, QStringLiteral("Folder %1").arg(no)}));
    }
    db.OpenExp();
    for (int i = 1; i <= 40; ++i) books::expectAppended(db.AppendExp(expense(i)));
    for (long recno = 7; recno <= 40; recno += 7) {
      EXPECT_EQ(d4go(db.exp().data, recno), xbase::kSuccess);
      d4delete(db.exp().data);
    }
    db.OpenInc();
    for (int i = 1; i <= 20; ++i) {
      books::expectAppended(db.AppendInc({.IncAcc = 100 + i % 3,
                                          .IncDate = QDate(2026, 1 + i % 12, 1 + i),
                                          .IncDesc = QStringLiteral("Invoice %1").arg(i),
                                          .IncAmt = 1000.0 + i,
                                          .FolNo = 1 + i % 3}));
    }
    code4close(db.code());
  }

  // Expense number i (dates and accounts vary so the keys spread).
  static ExpenseRecord expense(int i) {
    return {.ExpDate = QDate(2026, 1 + i % 12, 1 + i % 28),
            .CheckNo = 5000 + i,
            .AccNo = 10 * (1 + i % 5),
            .FolNo = 1 + i % 3,
            .PayTo = QStringLiteral("Payee %1").arg(i),
            .Amount = 12.5 * i,
            .LGSTE = true,
            .GSTE = 1.25 * i,
            .EMemo = QStringLiteral("memo %1").arg(i)};
  }

  std::uint64_t fileSize(const std::string& name) const {
    struct stat info {};
    EXPECT_EQ(::stat(books.path(name).c_str(), &info), 0) << name;
    return static_cast<std::uint64_t>(info.st_size);
  }
};
