// The expense and income detail reports (all accounts, and one account), the weekly and
// monthly profit report and the general ledger on the report books (ReportBook.h:
// 1,000,000 expenses and 300,000 income over twenty years, ten folders), each built for
// one fiscal year with every folder selected, as its menu command opens the tables.
// Nothing is shown.
//
// Each runs for the fiscal years from 1 July 2005 (the first), 2014 (the middle) and 2023
// (the last):
// - detail_<side>/<year>: every record of the year sought by date and listed;
// - account_detail_<side>/<year>: the same walk, listing account 1 only;
// - profit_weekly/<year>, profit_monthly/<year>: each week or month sought by date, every
//   record's account looked up for its tax class;
// - general_ledger/<year>: both tables from their first record (the opening totals of
//   every earlier year), then the year merged by date.
//
// Counter: lines of the document built.
#include "DetailReport.h"
#include "GeneralLedgerReport.h"
#include "ProfitReport.h"
#include "ReportBench.h"

namespace {

using Side = DetailReport::Side;

// account 0: every account; else the account at that record number of the chart.
void DetailBench(benchmark::State& state, Side side, int accountRecord) {
  const bool expense = side == Side::Expense;
  OpenReportBook books({&Database::OpenFolder, expense ? &Database::OpenExp : &Database::OpenInc,
                        expense ? &Database::OpenAcc : &Database::OpenAccI});
  BuildFiscalYear(state, books.db(), static_cast<int>(state.range(0)), [&](ReportBuilder& builder) {
    DetailReport report(books.db(), builder, side);
    if (accountRecord > 0 && !report.ChooseAccount(accountRecord)) return;
    report.Build();
  });
}

void ProfitBench(benchmark::State& state, ProfitReport::Period period) {
  OpenReportBook books({&Database::OpenFolder, &Database::OpenExp, &Database::OpenInc,
                        &Database::OpenAcc, &Database::OpenAccI});
  BuildFiscalYear(state, books.db(), static_cast<int>(state.range(0)), [&](ReportBuilder& builder) {
    ProfitReport(books.db(), builder, period).Build();
  });
}

void LedgerBench(benchmark::State& state) {
  OpenReportBook books({&Database::OpenFolder, &Database::OpenExp, &Database::OpenInc});
  BuildFiscalYear(state, books.db(), static_cast<int>(state.range(0)), [&](ReportBuilder& builder) {
    GeneralLedgerReport(books.db(), builder).Build();
  });
}

void Years(benchmark::internal::Benchmark* bench) {
  bench->Arg(2005)->Arg(2014)->Arg(2023)->Unit(benchmark::kMillisecond);
}

BENCHMARK_CAPTURE(DetailBench, detail_expense, Side::Expense, 0)->Apply(Years);
BENCHMARK_CAPTURE(DetailBench, detail_income, Side::Income, 0)->Apply(Years);
BENCHMARK_CAPTURE(DetailBench, account_detail_expense, Side::Expense, 1)->Apply(Years);
BENCHMARK_CAPTURE(DetailBench, account_detail_income, Side::Income, 1)->Apply(Years);
BENCHMARK_CAPTURE(ProfitBench, profit_weekly, ProfitReport::Period::Weekly)->Apply(Years);
BENCHMARK_CAPTURE(ProfitBench, profit_monthly, ProfitReport::Period::Monthly)->Apply(Years);
BENCHMARK(LedgerBench)->Name("general_ledger")->Apply(Years);

}  // namespace
