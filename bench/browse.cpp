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

void BrowseShow(benchmark::State& state) {
  const long records = state.range(0);
  const int folder = static_cast<int>(state.range(1));
  const std::string dir = BenchBook::ensure(records, BenchBook::orderOf(state.range(2)));
  ThrowingHost host;
  NoProgress progress;
  Database db(dir, host, progress);
  db.OpenExp();
  BrowseList list(db, BrowseList::Kind::Expense);
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
  ThrowingHost host;
  NoProgress progress;
  Database db(dir, host, progress);
  db.OpenExp();
  BrowseList list(db, BrowseList::Kind::Expense);
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

}  // namespace

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
