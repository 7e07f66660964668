// The expense and income summaries, the GST summary and the chart of accounts on the
// report books (ReportBook.h: 1,000,000 expenses and 300,000 income over twenty years,
// ten folders), each built for one fiscal year with every folder selected, as its menu
// command opens the tables. Nothing is shown: the host answers for the user.
//
// - summary_<side>/<year>: the expense or income summary of the fiscal year that begins on
//   1 July of year (2005 the first, 2014 the middle, 2023 the last): each account sought at
//   the year's start and read to the year's end.
// - gst_summary/<year>: both charts, the period's amounts and tax per account.
// - chart_<side>: the chart of accounts (40 or 12 accounts), for scale.
//
// Counter: lines of the document built.
#include <benchmark/benchmark.h>

#include <QDate>
#include <QLocale>

#include "BenchHost.h"
#include "ChartOfAccountsReport.h"
#include "Database.h"
#include "GstSummaryReport.h"
#include "ReportBook.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "SummaryReport.h"

namespace {

using Side = ChartTables::Side;

// Answers for the user: 60 lines a page, and nothing shown.
class BenchReportHost : public ReportHost {
 public:
  void Inform(const QString&) override {}
  QList<int> PickFolders() override { return {}; }
  int LinesPerPage() override { return 60; }
  void ShowReport(const ReportDocument&) override {}
  void ShowStatus(const QString&) override {}
  void ShowProgress(int) override {}
};

// The books opened as a report command opens them; every table closed at the end.
class OpenBooks {
 public:
  explicit OpenBooks(std::initializer_list<bool (Database::*)()> opens)
      : db_(ReportBook::ensure(), host_, progress_) {
    db_.OpenSettings();
    db_.ReadSettings();
    code4close(db_.code());
    for (auto open : opens) (db_.*open)();
  }
  ~OpenBooks() { code4close(db_.code()); }
  Database& db() { return db_; }

 private:
  ThrowingHost host_;
  NoProgress progress_;
  Database db_;
};

// Builds a report with build for the fiscal year from 1 July of year, all folders chosen,
// once per iteration; the document is freed each time.
template <class Build>
void buildYear(benchmark::State& state, Database& db, int year, Build build) {
  BenchReportHost host;
  const ReportRequest request{QDate(year, ReportBook::kFyMonth, ReportBook::kFyDay),
                              QDate(year + 1, ReportBook::kFyMonth, ReportBook::kFyDay).addDays(-1),
                              QDate(2026, 6, 15), QLocale(QLocale::English, QLocale::Australia)};
  int lines = 0;
  for (auto _ : state) {
    ReportBuilder builder(db, host, request);
    for (int folder = 1; folder <= 10; ++folder) builder.SelectedFolders.append(folder);
    build(builder);
    lines = builder.LastLine() + 1;
    builder.EndReport();
  }
  if (lines == 0) state.SkipWithError("the report is empty");
  state.counters["lines"] = lines;
}

void SummaryReportBench(benchmark::State& state, Side side) {
  const bool expense = side == Side::Expense;
  OpenBooks books({&Database::OpenFolder, expense ? &Database::OpenExp : &Database::OpenInc,
                   expense ? &Database::OpenAcc : &Database::OpenAccI});
  buildYear(state, books.db(), static_cast<int>(state.range(0)),
            [&](ReportBuilder& builder) { SummaryReport(books.db(), builder, side).Build(); });
}

void GstSummaryBench(benchmark::State& state) {
  OpenBooks books({&Database::OpenFolder, &Database::OpenExp, &Database::OpenAcc,
                   &Database::OpenInc, &Database::OpenAccI});
  buildYear(state, books.db(), static_cast<int>(state.range(0)),
            [&](ReportBuilder& builder) { GstSummaryReport(books.db(), builder).Build(); });
}

void ChartBench(benchmark::State& state, Side side) {
  OpenBooks books({side == Side::Expense ? &Database::OpenAcc : &Database::OpenAccI});
  buildYear(state, books.db(), 2014, [&](ReportBuilder& builder) {
    ChartOfAccountsReport(books.db(), builder, side).Build();
  });
}

BENCHMARK_CAPTURE(SummaryReportBench, summary_expense, Side::Expense)
    ->Arg(2005)
    ->Arg(2014)
    ->Arg(2023)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SummaryReportBench, summary_income, Side::Income)
    ->Arg(2005)
    ->Arg(2014)
    ->Arg(2023)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(GstSummaryBench)
    ->Name("gst_summary")
    ->Arg(2005)
    ->Arg(2014)
    ->Arg(2023)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChartBench, chart_expense, Side::Expense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChartBench, chart_income, Side::Income)->Unit(benchmark::kMillisecond);

}  // namespace
