// The expense browse list on the generated GSTEXP1, against SQLite answering the same
// questions from its (date, account) index:
//
// - browse_show/N/F: showing the list for default folder F (-1: every folder), as its
//   window does: the whole table walked once in EDate order keeping the record numbers
//   of the folder's records that are not archived, then the last page of ten read. SQLite
//   selects the same ids in the same order and reads the last ten rows.
// - browse_page/N: paging, 1,000 pages an iteration, each to a random top position (the
//   thumb let go anywhere: the page shares no record with the one before), ten records
//   read by record number. SQLite reads the same ten rows by id.
#include <benchmark/benchmark.h>

#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "BenchBook.h"
#include "BenchHost.h"
#include "BrowseList.h"
#include "Database.h"
#include "SideBySide.h"
#include "SqliteDb.h"

namespace {

constexpr int kPagesPerIteration = 1000;

std::string sqliteFile(const std::string& dir) { return dir + "/" + BenchBook::kSqliteFile; }

// The expense list of the books in dir, their expense table open as its window opens it.
struct ExpenseBrowse {
  explicit ExpenseBrowse(const std::string& dir) : db(dir, host, progress) { db.OpenExp(); }
  ThrowingHost host;
  NoProgress progress;
  Database db;
  BrowseList list{db, BrowseList::Kind::Expense};
};

void BrowseShow(benchmark::State& state) {
  const long records = state.range(0);
  const int folder = static_cast<int>(state.range(1));
  const std::string dir = BenchBook::ensure(records, BenchBook::orderOf(state.range(2)));
  ExpenseBrowse browse(dir);
  BrowseList& list = browse.list;
  SqliteDb sql(sqliteFile(dir));
  SideBySide timing(state, 1);
  for (auto _ : state) {
    std::size_t rows = 0;
    timing.ours([&] {
      list.Build(folder, 0);
      rows = list.FillPage().rows.size();
    });
    std::vector<long> ids;
    timing.sqlite([&] {
      ids = sql.browseIds(folder);
      for (std::size_t i = ids.size() > 10 ? ids.size() - 10 : 0; i < ids.size(); ++i) {
        sql.readById(ids[i]);
      }
    });
    if (ids.size() != static_cast<std::size_t>(list.count()) || rows != 10) {
      return state.SkipWithError("the two lists differ");
    }
  }
  state.counters["listed"] = list.count();
}

void BrowsePage(benchmark::State& state) {
  const long records = state.range(0);
  const std::string dir = BenchBook::ensure(records);
  ExpenseBrowse browse(dir);
  BrowseList& list = browse.list;
  list.Build(-1, 0);
  list.FillPage();
  SqliteDb sql(sqliteFile(dir));
  const std::vector<long> ids = sql.browseIds(-1);
  if (ids.size() != static_cast<std::size_t>(list.count())) {
    return state.SkipWithError("the two lists differ");
  }
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> top(0, list.lastTop());
  std::vector<int> tops(kPagesPerIteration);
  for (int& t : tops) t = top(rng);
  SideBySide timing(state, kPagesPerIteration);
  for (auto _ : state) {
    std::size_t rows = 0;
    timing.ours([&] {
      for (int t : tops) {
        list.MoveTop(BrowseList::Move::To, t);
        rows += list.FillPage().rows.size();
      }
    });
    timing.sqlite([&] {
      for (int t : tops) {
        for (int i = 0; i < BrowseList::kPageRows; ++i) sql.readById(ids[t + i]);
      }
    });
    if (rows != static_cast<std::size_t>(kPagesPerIteration) * BrowseList::kPageRows) {
      return state.SkipWithError("a page was not full");
    }
  }
}

// The list shown again after a save, as the window rebuilds it then: each iteration saves
// one expense (untimed, Database::AppendExp on a work copy) and times the list built
// anew with the saved record highlighted, and its page read. No SQLite side: the measure
// is the time a user waits.
void BrowseAfterSave(benchmark::State& state) {
  const std::string dir = BenchBook::workCopy(state.range(0), BenchBook::orderOf(state.range(1)));
  ExpenseBrowse browse(dir);
  BrowseList& list = browse.list;
  list.Build(-1, 0);
  const int before = list.count();
  for (auto _ : state) {
    ExpenseRecord record;
    record.ExpDate = QDate(2024, 12, 31);
    record.AccNo = 1;
    record.FolNo = 1;
    record.PayTo = QStringLiteral("Saved while browsing");
    record.Amount = 12.34;
    const long saved = browse.db.AppendExp(record);
    if (saved == Database::kNotAppended) return state.SkipWithError("the save failed");
    const auto start = std::chrono::steady_clock::now();
    list.Build(-1, static_cast<int>(saved));
    const BrowseList::Page page = list.FillPage();
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    if (page.highlightRow < 0) return state.SkipWithError("the saved record is not shown");
  }
  if (list.count() != before + static_cast<int>(state.iterations()))
    state.SkipWithError("a saved record is missing from the list");
}

}  // namespace

BENCHMARK(BrowseAfterSave)
    ->Name("browse_after_save")
    ->ArgsProduct({{1000000, 4000000}, {0, 1}})
    ->ArgNames({"records", "shuffled"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BrowseShow)
    ->Name("browse_show")
    ->ArgsProduct({{100000, 1000000, 4000000}, {-1, 3}, {0, 1}})
    ->ArgNames({"records", "folder", "shuffled"})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
BENCHMARK(BrowsePage)
    ->Name("browse_page")
    ->Arg(100000)
    ->Arg(1000000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);
