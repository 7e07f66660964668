// The books the kill tests work on, the state of books as the tests compare it, and the
// judgement of a set of books after a kill: every table agreeing with its tags after the
// start-up recovery, and every record either as it was before the operation or as the
// operation leaves it, with every commit the child reported in its final form.
#pragma once

#include <QDate>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "BookRecords.h"
#include "Database.h"
#include "RecordingProgress.h"
#include "StartupRecovery.h"
#include "TableDefinitions.h"
#include "TestClock.h"
#include "TestHost.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"
#include "xbase/TableCheck.h"

namespace crash {

// Each table's records in record order, each as its deletion flag and field texts.
using BookState = std::map<std::string, std::vector<std::string>>;

inline BookState readState(const std::string& dir) {
  xbase::Engine engine(xbase::FileSystem::posix(), dir);
  engine.autoOpen = false;
  BookState state;
  for (const TableDefinition* definition : TableDefinitions::all()) {
    std::vector<std::string>& rows = state[definition->baseName];
    xbase::Table* table = engine.open(definition->baseName);
    if (table == nullptr) {
      rows.push_back("cannot open: " + std::string(xbase::statusText(engine.takeError())));
      continue;
    }
    for (int rc = table->top(); rc == xbase::kSuccess; rc = table->skip(1)) {
      std::string row = table->deleted() ? "*" : " ";
      for (int i = 0; i < table->fieldCount(); ++i) row += "|" + table->field(i)->str();
      rows.push_back(row);
    }
    engine.close(table);
  }
  return state;
}

// Every disagreement between a table and its tags, one line each.
inline std::vector<std::string> checkAll(const std::string& dir) {
  std::vector<std::string> out;
  for (const TableDefinition* definition : TableDefinitions::all()) {
    for (const auto& f : xbase::CheckTable(xbase::FileSystem::posix(), dir, definition->baseName,
                                           definition->groupName))
      out.push_back(f.file + ": " + f.problem);
  }
  return out;
}

// A Database on dir as the child uses it.
struct ChildDatabase {
  ChildDatabase(const std::string& dir, xbase::FileSystem& fs)
      : db(dir, host, progress, clock, fs) {}
  TestHost host;
  RecordingProgress progress;
  TestClock clock;
  Database db;
};

// How the records of one table may look after a kill.
enum class Grain {
  Record,  // each record old or new on its own (the commits of single records)
  Table,   // the whole table old or new (a pack, a restore)
};

// Judges books after a kill and the recovery: returns what is wrong, empty when nothing.
// A report "<TABLE> <recno>" means that record was committed in its final form; "ALL"
// that the whole operation was.
inline std::string judge(const BookState& before, const BookState& after, const BookState& now,
                         const std::map<std::string, Grain>& grains,
                         const std::vector<std::string>& reports) {
  std::set<std::string> committed(reports.begin(), reports.end());
  const bool all = committed.count("ALL") > 0;
  std::string wrong;
  for (const auto& [table, rows] : now) {
    const auto& old = before.at(table);
    const auto& fresh = after.at(table);
    if (all && rows != fresh) {
      wrong += table + " differs from its state after the completed operation; ";
      continue;
    }
    auto grain = grains.find(table);
    if (grain == grains.end()) {
      if (rows != old) wrong += table + " changed though the operation leaves it alone; ";
      continue;
    }
    if (grain->second == Grain::Table) {
      if (rows != old && rows != fresh) wrong += table + " is neither old nor new; ";
      continue;
    }
    if (rows.size() < std::min(old.size(), fresh.size()) ||
        rows.size() > std::max(old.size(), fresh.size())) {
      wrong += table + " has " + std::to_string(rows.size()) + " records; ";
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
      const bool isOld = r < old.size() && rows[r] == old[r];
      const bool isNew = r < fresh.size() && rows[r] == fresh[r];
      if (committed.count(table + " " + std::to_string(r + 1)) && !isNew) {
        wrong += "committed record " + std::to_string(r + 1) + " of " + table + " lost; ";
      } else if (!isOld && !isNew) {
        wrong +=
            "record " + std::to_string(r + 1) + " of " + table + " half-written: " + rows[r] + "; ";
      }
    }
    for (std::size_t r = rows.size(); r < fresh.size(); ++r) {
      if (committed.count(table + " " + std::to_string(r + 1)))
        wrong += "committed record " + std::to_string(r + 1) + " of " + table + " missing; ";
    }
  }
  return wrong;
}

// The books every kill test starts from: five expense and three income accounts, two
// folders, 40 expenses (every seventh marked deleted) and 12 income records (four of them
// imported in January 2024), every index built.
inline void makeBooks(const std::string& dir) {
  xbase::FileSystem& fs = xbase::FileSystem::posix();
  for (const TableDefinition* table : TableDefinitions::all()) {
    int error = 0;
    xbase::DbfFile::create(fs.open(dir + "/" + table->baseName + ".dbf", xbase::OpenMode::Create,
                                   xbase::LockMode::None, &error),
                           table->fields, &error);
  }
  {
    xbase::Engine engine(fs, dir);
    engine.autoOpen = false;
    engine.open(tables::kSettings)->appendBlank();
  }
  ChildDatabase child(dir, fs);
  Database& db = child.db;
  db.RebuildIndexes(RebuildMode::Full);
  for (int account = 11; account <= 15; ++account) {
    books::addAccount(db, books::Chart::Expense, account,
                      QStringLiteral("Expense account %1").arg(account), true);
  }
  for (int account = 3; account <= 5; ++account) {
    books::addAccount(db, books::Chart::Income, account,
                      QStringLiteral("Income account %1").arg(account), false);
  }
  for (int folder = 1; folder <= 2; ++folder) {
    books::addFolder(db, folder, QStringLiteral("Folder %1").arg(folder));
  }
  db.OpenExp();
  for (int i = 1; i <= 40; ++i) {
    books::expectAppended(db.AppendExp({.ExpDate = QDate(2026, 1, 1).addDays(i * 3),
                                        .CheckNo = 1000 + i,
                                        .AccNo = 11 + i % 5,
                                        .FolNo = 1 + i % 2,
                                        .PayTo = QStringLiteral("Payee %1").arg(i),
                                        .Amount = 10.5 * i,
                                        .LGSTE = true,
                                        .GSTE = double(i),
                                        .EMemo = QStringLiteral("memo %1").arg(i)}));
    if (i % 7 == 0) {
      d4delete(db.exp().data);
      db.CommitRecord(db.exp().data, "EXP");
    }
  }
  code4close(db.code());
  db.OpenInc();
  for (int i = 1; i <= 12; ++i) {
    books::expectAppended(db.AppendInc({.IncAcc = 3 + i % 3,
                                        .IncDate = QDate(2024, 1, 2).addDays(i * 5),
                                        .IncDesc = QStringLiteral("Income %1").arg(i),
                                        .IncAmt = 100.0 + i,
                                        .FolNo = 1,
                                        .IncImp = i <= 4}));
  }
  code4close(db.code());
}

}  // namespace crash
