#include "ChartOfAccountsReport.h"

#include "Database.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "ReportProgress.h"

void ChartOfAccountsReport::Build() {
  const bool expense = side_ == ChartTables::Side::Expense;
  builder_.BeginReport(40, 3);
  builder_.ReportTitles = {expense ? QStringLiteral("Expense Accounts")
                                   : QStringLiteral("Income Accounts")};
  builder_.ReportSubheading =
      expense ? QStringLiteral("Deductible Accounts") : QStringLiteral("Taxable Accounts");
  builder_.CellPrefixes = {QStringLiteral("R05"), QStringLiteral("L10")};
  builder_.ColumnHeadings = {
      {QStringLiteral("R05Acnt."), QStringLiteral("L10Account Name"), QStringLiteral("U")}};
  ReportHost& host = builder_.Host();
  ReportProgress progress(host, 2 * chart_.AccountRecordCount());
  host.ShowStatus(QStringLiteral("Building Report"));
  for (const bool flagged : {true, false}) {
    chart_.ForEachAccount([&](const AccountRecord& account) {
      if (account.AcDed == flagged)
        builder_.AddRow({QString::number(account.AccNo), account.AcDesc});
      progress.Step();
    });
    if (flagged) {
      builder_.ReportSubheading = expense ? QStringLiteral("Non-Deductible Accounts")
                                          : QStringLiteral("Non-Taxable Accounts");
      if (builder_.LastLine() >= 0) {
        builder_.SetLastStyle(QStringLiteral("U"));
        builder_.SectionChange();
      }
    } else {
      builder_.ReportSubheading.clear();
    }
  }
  host.ShowStatus(QString());
  if (builder_.LastLine() < 0) return;
  builder_.SetLastStyle(QStringLiteral("U"));
  builder_.AddBlankLine();
}
