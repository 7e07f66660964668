// Tallyworth's table engine against SQLite on the same expense data, side by side. Each
// benchmark runs one workload on both: its time is the engine's; the counters give the
// engine's and SQLite's time per operation in microseconds, their ratio, the process's
// resident size when the workload starts, and how far each side made it rise.
#include <benchmark/benchmark.h>

#include <QDate>
#include <QString>
#include <algorithm>
#include <chrono>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchBook.h"
#include "BenchHost.h"
#include "Database.h"
#include "ExpenseGenerator.h"
#include "SideBySide.h"
#include "SqliteDb.h"
#include "TableAccess.h"
#include "TableDefinitions.h"
#include "TableWalk.h"

namespace {

constexpr int kSeeksPerIteration = 10000;

std::string sqlitePath(const std::string& dir) { return dir + "/" + BenchBook::kSqliteFile; }

// Both tags of GSTEXP1 written anew from the table, as the full index rebuild does, against
// SQLite creating its two indexes.
void Rebuild(benchmark::State& state) {
  const std::string dir = BenchBook::workCopy(state.range(0), BenchBook::orderOf(state.range(1)));
  SqliteDb sql(sqlitePath(dir));
  SideBySide timing(state, 1);
  for (auto _ : state) {
    int rc = 0;
    timing.ours([&] {
      auto code = code4initP(dir);
      code4autoOpen(code.get(), 0);
      code4safety(code.get(), 0);
      code4accessMode(code.get(), 1);
      DATA4* data = d4open(code.get(), tables::kExpenses);
      rc = data ? i4create(data, "GSTEXP1", TableDefinitions::expenses().tags) : -1;
      code4initUndoP(code);
    });
    if (rc != 0) return state.SkipWithError("i4create failed");
    sql.dropIndexes();
    timing.sqlite([&] { sql.createIndexes(); });
  }
}

void fill(ExpenseRecord& r, const BenchExpense& e) {
  r.ExpDate = QDate::fromString(QString::fromStdString(e.date), QStringLiteral("yyyyMMdd"));
  r.CheckNo = e.checkNo;
  r.AccNo = e.accNo;
  r.FolNo = e.folNo;
  r.PayTo = QString::fromLatin1(e.payTo.data(), static_cast<qsizetype>(e.payTo.size()));
  r.Amount = e.amount;
  r.LGSTE = e.lgste;
  r.GSTE = e.gste;
  r.EMemo = QString::fromLatin1(e.memo.data(), static_cast<qsizetype>(e.memo.size()));
  r.Archive = e.archive;
}

// How far each side takes a saved expense before the save counts as done.
struct SaveMode {
  // The engine closes every table after the save, as the end of a user command does,
  // forcing GSTEXP1.dbf and both tags to disk; the table is reopened untimed for the next.
  bool syncOurs;
  // SQLite commits with synchronous=FULL (its journal and the database forced to disk)
  // instead of OFF.
  bool sqliteFull;
};

// One new expense as the entry window saves it (Database::AppendExp: append a blank record,
// write every field, commit: the record and its keys written in place, the table left
// open), against one SQLite INSERT in autocommit with the default rollback journal.
void SaveExpenses(benchmark::State& state, SaveMode mode) {
  const long records = state.range(0);
  const std::string dir = BenchBook::workCopy(records, BenchBook::orderOf(state.range(1)));
  ThrowingHost host;
  NoProgress progress;
  Database db(dir, host, progress);
  db.OpenExp();
  SqliteDb sql(sqlitePath(dir));
  if (mode.sqliteFull) sql.exec("PRAGMA synchronous=FULL");
  ExpenseGenerator generator(records, 77);
  long appended = 0;
  {
    SideBySide timing(state, 1);
    for (auto _ : state) {
      BenchExpense e = generator.next();
      // Today's entries: the last days of the period.
      e.date = ExpenseGenerator::dateText(ExpenseGenerator::totalDays() - 1 - appended % 5);
      bool ok = true;
      timing.ours([&] {
        ExpenseRecord record;
        fill(record, e);
        ok = db.AppendExp(record) != Database::kNotAppended;
        if (ok && mode.syncOurs) ok = code4close(db.code()) == 0;
      });
      if (!ok) return state.SkipWithError("the save failed");
      if (mode.syncOurs) db.OpenExp();
      timing.sqlite([&] { sql.insert(e); });
      ++appended;
    }
  }
  if (d4recCountDo(db.exp().data) != records + appended) state.SkipWithError("records lost");
}

void Append(benchmark::State& state) { SaveExpenses(state, {false, false}); }

// The save against SQLite's durable commit: synced:0 is the save as the program does it
// (in the operating system's hands, on disk when the command ends), synced:1 the save
// followed by the end of the command's sync, so that both sides have it on disk.
void DurableSave(benchmark::State& state) { SaveExpenses(state, {state.range(2) != 0, true}); }

// Every record in EDate order, each read into the record structure, against an ordered
// SQLite scan reading every column.
void Walk(benchmark::State& state) {
  const long records = state.range(0);
  const std::string dir = BenchBook::ensure(records, BenchBook::orderOf(state.range(1)));
  ThrowingHost host;
  NoProgress progress;
  Database db(dir, host, progress);
  SqliteDb sql(sqlitePath(dir));
  SideBySide timing(state, 1);
  for (auto _ : state) {
    long ours = 0, theirs = 0;
    timing.ours([&] {
      db.OpenExp();
      WalkAll(db.exp().data, [&] {
        db.ReadExp();
        ++ours;
      });
      d4close(db.code(), db.exp().data);
    });
    timing.sqlite([&] { theirs = sql.walkByDate(); });
    if (ours != records || theirs != records) return state.SkipWithError("walk miscounted");
  }
}

// Random dates sought in EDate (a partial key: date without account), against SQLite's
// first row at or after the date by its index. d4seek leaves the record found in the
// table's record buffer, as SQLite's step leaves the row ready for its columns.
void Seek(benchmark::State& state) {
  const std::string dir = BenchBook::ensure(state.range(0), BenchBook::orderOf(state.range(1)));
  ThrowingHost host;
  NoProgress progress;
  Database db(dir, host, progress);
  db.OpenExp();
  SqliteDb sql(sqlitePath(dir));
  std::mt19937 rng(4242);
  std::vector<std::string> keys;
  for (int i = 0; i < kSeeksPerIteration; ++i)
    keys.push_back(
        ExpenseGenerator::dateText(static_cast<int>(rng() % ExpenseGenerator::totalDays())));
  SideBySide timing(state, kSeeksPerIteration);
  for (auto _ : state) {
    int misses = 0;
    timing.ours([&] {
      for (const std::string& key : keys) {
        if (d4seek(db.exp().data, key) == 3) ++misses;
      }
    });
    // In one read transaction: the engine does not lock anything per seek either.
    timing.sqlite([&] {
      sql.exec("BEGIN");
      for (const std::string& key : keys) sql.seekDate(key);
      sql.exec("COMMIT");
    });
    if (misses > 10) return state.SkipWithError("seeks found nothing");
  }
}

}  // namespace

BENCHMARK(Rebuild)
    ->Name("rebuild")
    ->ArgsProduct({{100000, 1000000, 4000000}, {0, 1}})
    ->ArgNames({"records", "shuffled"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(Append)
    ->Name("append")
    ->ArgsProduct({{100000, 1000000, 4000000}, {0, 1}})
    ->ArgNames({"records", "shuffled"})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(2000);
BENCHMARK(DurableSave)
    ->Name("durable_save")
    ->ArgsProduct({{1000000, 4000000}, {0, 1}, {0, 1}})
    ->ArgNames({"records", "shuffled", "synced"})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->Iterations(500);
BENCHMARK(Walk)
    ->Name("walk")
    ->ArgsProduct({{100000, 1000000, 4000000}, {0, 1}})
    ->ArgNames({"records", "shuffled"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(Seek)
    ->Name("seek")
    ->ArgsProduct({{100000, 1000000, 4000000}, {0, 1}})
    ->ArgNames({"records", "shuffled"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

BENCHMARK_MAIN();
