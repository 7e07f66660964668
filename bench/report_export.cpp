// Every report of the program built for one fiscal year and exported to a fixed-column text
// file, as `tallyworth-cli report <kind> --format txt --output FILE` does: in each
// iteration the tables opened as the report catalogue lists them, every folder chosen, the
// document built and written line by line, every table closed. On the report books of
// either size (ReportBook.h): 1,000,000 expenses with 300,000 income records, or 4,000,000
// with 1,200,000.
//
// report_export/<report>/expenses:<N>/year:<Y>: the fiscal year from 1 July of Y (2005 the
// first, 2023 the last of the twenty; the charts take no dates and run once); the account
// details list account 1. Time: opening, build, export and closing together. Counters:
// lines, export_ms (the writing of the file alone), and first_ms and the memory counters
// of BuildPeriod.
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <vector>

#include "ReportBench.h"
#include "ReportCatalog.h"
#include "ReportExport.h"

namespace {

void ExportBench(benchmark::State& state, ReportKind kind) {
  const ReportBook::Size size = state.range(0) == ReportBook::kFourMillion.expenses
                                    ? ReportBook::kFourMillion
                                    : ReportBook::kMillion;
  OpenReportBook books({}, size);
  const QTemporaryDir scratch;
  const QString path = scratch.filePath(QStringLiteral("report.txt"));
  double exportSeconds = 0;
  bool written = true;
  BuildFiscalYear(state, books.db(), static_cast<int>(state.range(1)), [&](ReportBuilder& builder) {
    // Opened and closed as the command does: a table's map and caches start afresh.
    struct CloseAll {
      CODE4* code;
      ~CloseAll() { code4close(code); }
    } closeAll{books.db().code()};
    for (auto open : ReportCatalog::Of(kind).tables) (books.db().*open)();
    if (!ReportCatalog::Build(books.db(), builder, kind, 1) || builder.LastLine() < 0) return;
    const auto start = std::chrono::steady_clock::now();
    written = written &&
              ReportExport::Write(builder.Document(), ReportExport::Layout::FixedColumns, path);
    exportSeconds +=
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  });
  if (!written) return state.SkipWithError("the export failed");
  state.counters["export_ms"] = exportSeconds * 1e3 / static_cast<double>(state.iterations());
}

struct Exported {
  const char* name;
  ReportKind kind;
  bool dated;  // false: a chart, the same whatever the year
};

constexpr Exported kReports[] = {
    {"expense_summary", ReportKind::ExpenseSummary, true},
    {"income_summary", ReportKind::IncomeSummary, true},
    {"gst_summary", ReportKind::GstSummary, true},
    {"tax_return", ReportKind::TaxReturn, true},
    {"expense_detail", ReportKind::ExpenseDetail, true},
    {"income_detail", ReportKind::IncomeDetail, true},
    {"expense_account_detail", ReportKind::ExpenseAccountDetail, true},
    {"income_account_detail", ReportKind::IncomeAccountDetail, true},
    {"profit_weekly", ReportKind::WeeklyProfit, true},
    {"profit_monthly", ReportKind::MonthlyProfit, true},
    {"general_ledger", ReportKind::GeneralLedger, true},
    {"chart_expense", ReportKind::ExpenseChart, false},
    {"chart_income", ReportKind::IncomeChart, false},
};

const bool kRegistered = [] {
  for (const Exported& report : kReports) {
    const std::string name = std::string("report_export/") + report.name;
    const std::vector<long> years =
        report.dated ? std::vector<long>{2005, 2023} : std::vector<long>{2023};
    benchmark::RegisterBenchmark(name.c_str(), ExportBench, report.kind)
        ->ArgsProduct({{ReportBook::kMillion.expenses, ReportBook::kFourMillion.expenses}, years})
        ->ArgNames({"expenses", "year"})
        ->Unit(benchmark::kMillisecond)
        ->Iterations(3);
  }
  return true;
}();

}  // namespace
