// Books with some of everything for the full-disk and read-only tests: accounts, folders,
// forty expenses (every seventh deleted, so a pack has work) and twenty income records, all
// written through the record layer with every index built.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>

#include "Database.h"
#include "TestDatabase.h"
#include "xbase/Status.h"

struct DiskBooks : TestDatabase {
  DiskBooks() {
    db.OpenAcc();
    for (int no = 1; no <= 5; ++no) {
      EXPECT_EQ(d4appendBlank(db.acc().data), xbase::kSuccess);
      db.accRecord() = {no * 10, QStringLiteral("Expense account %1").arg(no), no % 2 == 0};
      db.WriteAcc();
    }
    db.OpenFolder();
    for (int no = 1; no <= 3; ++no) {
      EXPECT_EQ(d4appendBlank(db.folder().data), xbase::kSuccess);
      db.folderRecord() = {no, QStringLiteral("Folder %1").arg(no)};
      db.WriteFolder();
    }
    db.OpenExp();
    for (int i = 1; i <= 40; ++i) addExpense(i);
    for (long recno = 7; recno <= 40; recno += 7) {
      EXPECT_EQ(d4go(db.exp().data, recno), xbase::kSuccess);
      d4delete(db.exp().data);
    }
    db.OpenInc();
    for (int i = 1; i <= 20; ++i) {
      EXPECT_EQ(d4appendBlank(db.inc().data), xbase::kSuccess);
      IncomeRecord& r = db.incRecord();
      r = {};
      r.IncAcc = 100 + i % 3;
      r.IncDate = QDate(2026, 1 + i % 12, 1 + i);
      r.IncDesc = QStringLiteral("Invoice %1").arg(i);
      r.IncAmt = 1000 + i;
      r.FolNo = 1 + i % 3;
      db.WriteInc();
    }
    code4close(db.code());
  }

  // Appends and commits expense number i (dates and accounts vary so the keys spread).
  // REQUIRES: GSTEXP1 open through OpenExp.
  void addExpense(int i) {
    ASSERT_EQ(d4appendBlank(db.exp().data), xbase::kSuccess);
    ExpenseRecord& r = db.expRecord();
    r = {};
    r.ExpDate = QDate(2026, 1 + i % 12, 1 + i % 28);
    r.CheckNo = 5000 + i;
    r.AccNo = 10 * (1 + i % 5);
    r.FolNo = 1 + i % 3;
    r.PayTo = QStringLiteral("Payee %1").arg(i);
    r.Amount = 12.5 * i;
    r.GSTE = 1.25 * i;
    r.LGSTE = true;
    r.EMemo = QStringLiteral("memo %1").arg(i);
    db.WriteExp();
  }

  std::uint64_t fileSize(const std::string& name) const {
    struct stat info {};
    EXPECT_EQ(::stat(books.path(name).c_str(), &info), 0) << name;
    return static_cast<std::uint64_t>(info.st_size);
  }
};
