#include "GstSummaryReport.h"

#include "Database.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "ReportProgress.h"

void GstSummaryReport::begin() {
  const QString tax = db_.settingsRecord().GSTString.trimmed();
  builder_.BeginReport(65, 5);
  builder_.SetStandardTitles(tax + QStringLiteral(" Summary Report"));
  builder_.CellPrefixes = {QStringLiteral("R05"), QStringLiteral("L07"), QStringLiteral("R50"),
                           QStringLiteral("R65")};
  builder_.ColumnHeadings = {{QStringLiteral("R05Acnt."), QStringLiteral("L07Account Name"),
                              QStringLiteral("R50Income Total"),
                              QStringLiteral("R65") + tax + QStringLiteral(" Total"),
                              QStringLiteral("U")}};
  // Only the start of each account's seek: nothing before the period is summed.
  fyStart_ = builder_.FiscalYearStart(builder_.Request().StartDate);
}

void GstSummaryReport::totalRow(const QString& name, const Totals& totals) {
  builder_.AddTotalRow(
      {QString(), name, ReportValue::Money(totals.amount), ReportValue::Money(totals.tax)});
}

GstSummaryReport::Totals GstSummaryReport::part(ChartTables::Side side) {
  const bool expense = side == ChartTables::Side::Expense;
  ChartTables chart(db_, side);
  ReportHost& host = builder_.Host();
  ReportProgress progress(host, 2 * chart.AccountRecordCount());
  const QDate start = builder_.Request().StartDate, end = builder_.Request().EndDate;
  const QString zero = builder_.Money(0);
  Totals partTotals;
  for (const bool flagged : {true, false}) {
    Totals sectionTotals;
    chart.ForEachAccount([&](const AccountRecord& account) {
      if (account.AcDed == flagged) {
        const Totals totals =
            chart.AccountTotals(account.AccNo, fyStart_, start, end,
                                [this](int folder) { return builder_.IsSelectedFolder(folder); });
        // A zero amount with a tax amount still gets its row; sums of two-decimal amounts
        // can miss zero by a rounding residue, so zero is what shows as 0.00.
        if (builder_.Money(totals.amount) != zero || builder_.Money(totals.tax) != zero) {
          builder_.AddRow({QString::number(account.AccNo), account.AcDesc,
                           ReportValue::Money(totals.amount), ReportValue::Money(totals.tax)});
        }
        sectionTotals.add(totals);
      }
      progress.Step();
    });
    host.ShowStatus(QString());
    if (builder_.LastLine() >= 0) {
      builder_.SetLastStyle(QStringLiteral("U"));
      totalRow(QStringLiteral("Total ") + builder_.ReportSubheading, sectionTotals);
    }
    partTotals.add(sectionTotals);
    if (flagged) {
      builder_.ReportSubheading = expense ? QStringLiteral("Non-Deductible Expenses")
                                          : QStringLiteral("Non-Taxable Income");
      builder_.SectionChange();
    } else {
      builder_.ReportSubheading.clear();
    }
  }
  return partTotals;
}

void GstSummaryReport::Build() {
  begin();
  ReportHost& host = builder_.Host();
  builder_.ReportSubheading = QStringLiteral("Taxable Income");
  host.ShowStatus(QStringLiteral("Building Income Section"));
  const Totals income = part(ChartTables::Side::Income);
  if (builder_.LastLine() >= 0) {
    builder_.SetLastStyle(QStringLiteral("U"));
    builder_.AddBlankLine();
    totalRow(QStringLiteral("TOTAL INCOME"), income);
  }
  // Page headers from here on name the expense column.
  builder_.ReportSubheading = QStringLiteral("Deductible Expenses");
  builder_.ColumnHeadings[0][2] = QStringLiteral("R50Expense Total");
  host.ShowStatus(QStringLiteral("Building Report"));
  builder_.SectionChange();
  const Totals expenses = part(ChartTables::Side::Expense);
  if (builder_.LastLine() < 0) return;
  builder_.SetLastStyle(QStringLiteral("U"));
  builder_.AddBlankLine();
  totalRow(QStringLiteral("TOTAL EXPENSES"), expenses);
  if (builder_.SelectedFolders.size() > 1) builder_.AddIncludedFolders();
}
