// The expense and income summaries, the GST summary and the chart of accounts on the
// report books (ReportBook.h: 1,000,000 expenses and 300,000 income over twenty years,
// ten folders), each built for one fiscal year with every folder selected, as its menu
// command opens the tables. Nothing is shown: the host answers for the user.
//
// - summary_<side>/<year>: the expense or income summary of the fiscal year that begins on
//   1 July of year (2005 the first, 2014 the middle, 2023 the last): each account sought at
//   the year's start and read to the year's end.
// - gst_summary/<year>: both charts, the period's amounts and tax per account.
// - tax_return/<year>: the tax return worksheet of the year's first quarter (July to
//   September): both charts, each account sought at the quarter's start.
// - chart_<side>: the chart of accounts (40 or 12 accounts), for scale.
//
// Counter: lines of the document built.
#include "ChartOfAccountsReport.h"
#include "GstSummaryReport.h"
#include "ReportBench.h"
#include "SummaryReport.h"
#include "TaxReturnReport.h"

namespace {

using Side = ChartTables::Side;

void SummaryReportBench(benchmark::State& state, Side side) {
  const bool expense = side == Side::Expense;
  OpenReportBook books({&Database::OpenFolder, expense ? &Database::OpenExp : &Database::OpenInc,
                        expense ? &Database::OpenAcc : &Database::OpenAccI});
  BuildFiscalYear(state, books.db(), static_cast<int>(state.range(0)), [&](ReportBuilder& builder) {
    SummaryReport(books.db(), builder, side).Build();
  });
}

void GstSummaryBench(benchmark::State& state) {
  OpenReportBook books({&Database::OpenFolder, &Database::OpenExp, &Database::OpenAcc,
                        &Database::OpenInc, &Database::OpenAccI});
  BuildFiscalYear(state, books.db(), static_cast<int>(state.range(0)),
                  [&](ReportBuilder& builder) { GstSummaryReport(books.db(), builder).Build(); });
}

void TaxReturnBench(benchmark::State& state) {
  OpenReportBook books({&Database::OpenFolder, &Database::OpenExp, &Database::OpenAcc,
                        &Database::OpenInc, &Database::OpenAccI});
  const QDate start(static_cast<int>(state.range(0)), 7, 1);
  BuildPeriod(state, books.db(), start, start.addMonths(3).addDays(-1),
              [&](ReportBuilder& builder) { TaxReturnReport(books.db(), builder).Build(); });
}

void ChartBench(benchmark::State& state, Side side) {
  OpenReportBook books({side == Side::Expense ? &Database::OpenAcc : &Database::OpenAccI});
  BuildFiscalYear(state, books.db(), 2014, [&](ReportBuilder& builder) {
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
BENCHMARK(TaxReturnBench)
    ->Name("tax_return")
    ->Arg(2005)
    ->Arg(2014)
    ->Arg(2023)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChartBench, chart_expense, Side::Expense)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ChartBench, chart_income, Side::Income)->Unit(benchmark::kMillisecond);

}  // namespace
