#include "ReportCatalog.h"

#include "ChartOfAccountsReport.h"
#include "Database.h"
#include "DetailReport.h"
#include "GeneralLedgerReport.h"
#include "GstSummaryReport.h"
#include "ProfitReport.h"
#include "SummaryReport.h"
#include "TaxReturnReport.h"

const std::vector<ReportCatalog::Entry>& ReportCatalog::All() {
  using D = Database;
  static const std::vector<Entry> entries{
      {ReportKind::ExpenseSummary, {&D::OpenFolder, &D::OpenExp, &D::OpenAcc}, true, false, true},
      {ReportKind::ExpenseDetail, {&D::OpenFolder, &D::OpenExp, &D::OpenAcc}, true, false, true},
      {ReportKind::ExpenseAccountDetail,
       {&D::OpenFolder, &D::OpenExp, &D::OpenAcc},
       true,
       true,
       true},
      {ReportKind::ExpenseChart, {&D::OpenAcc}, false, false, true},
      {ReportKind::IncomeSummary, {&D::OpenFolder, &D::OpenInc, &D::OpenAccI}, true, false, false},
      {ReportKind::IncomeDetail, {&D::OpenFolder, &D::OpenInc, &D::OpenAccI}, true, false, false},
      {ReportKind::IncomeAccountDetail,
       {&D::OpenFolder, &D::OpenInc, &D::OpenAccI},
       true,
       true,
       false},
      {ReportKind::IncomeChart, {&D::OpenAccI}, false, false, false},
      {ReportKind::GeneralLedger, {&D::OpenFolder, &D::OpenExp, &D::OpenInc}, true, false, false},
      {ReportKind::WeeklyProfit,
       {&D::OpenFolder, &D::OpenExp, &D::OpenInc, &D::OpenAcc, &D::OpenAccI},
       true,
       false,
       false},
      {ReportKind::MonthlyProfit,
       {&D::OpenFolder, &D::OpenExp, &D::OpenInc, &D::OpenAcc, &D::OpenAccI},
       true,
       false,
       false},
      {ReportKind::GstSummary,
       {&D::OpenFolder, &D::OpenExp, &D::OpenAcc, &D::OpenInc, &D::OpenAccI},
       true,
       false,
       false},
      {ReportKind::TaxReturn,
       {&D::OpenFolder, &D::OpenExp, &D::OpenAcc, &D::OpenInc, &D::OpenAccI},
       true,
       false,
       false},
  };
  return entries;
}

const ReportCatalog::Entry& ReportCatalog::Of(ReportKind kind) {
  return All().at(static_cast<size_t>(kind));
}

bool ReportCatalog::Build(Database& db, ReportBuilder& builder, ReportKind kind,
                          int accountRecord) {
  using Side = ChartTables::Side;
  switch (kind) {
    case ReportKind::ExpenseSummary:
      SummaryReport(db, builder, Side::Expense).Build();
      break;
    case ReportKind::IncomeSummary:
      SummaryReport(db, builder, Side::Income).Build();
      break;
    case ReportKind::ExpenseDetail:
    case ReportKind::IncomeDetail:
    case ReportKind::ExpenseAccountDetail:
    case ReportKind::IncomeAccountDetail: {
      const Entry& entry = Of(kind);
      DetailReport report(
          db, builder,
          entry.expenseSide ? DetailReport::Side::Expense : DetailReport::Side::Income);
      if (entry.accountDetail && !report.ChooseAccount(accountRecord)) return false;
      report.Build();
      break;
    }
    case ReportKind::ExpenseChart:
      ChartOfAccountsReport(db, builder, Side::Expense).Build();
      break;
    case ReportKind::IncomeChart:
      ChartOfAccountsReport(db, builder, Side::Income).Build();
      break;
    case ReportKind::GeneralLedger:
      GeneralLedgerReport(db, builder).Build();
      break;
    case ReportKind::WeeklyProfit:
      ProfitReport(db, builder, ProfitReport::Period::Weekly).Build();
      break;
    case ReportKind::MonthlyProfit:
      ProfitReport(db, builder, ProfitReport::Period::Monthly).Build();
      break;
    case ReportKind::GstSummary:
      GstSummaryReport(db, builder).Build();
      break;
    case ReportKind::TaxReturn:
      TaxReturnReport(db, builder).Build();
      break;
  }
  return true;
}
