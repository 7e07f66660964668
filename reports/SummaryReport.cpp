#include "SummaryReport.h"

#include <algorithm>

#include "Database.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "ReportProgress.h"

namespace {

struct Names {
  QString title, flagged, unflagged;
};

Names namesOf(ChartTables::Side side) {
  if (side == ChartTables::Side::Expense) {
    return {QStringLiteral("Expense Summary Report"), QStringLiteral("Deductible Expenses"),
            QStringLiteral("Non-Deductible Expenses")};
  }
  return {QStringLiteral("Income Summary Report"), QStringLiteral("Taxable Income"),
          QStringLiteral("Non-Taxable Income")};
}

}  // namespace

SummaryReport::SummaryReport(Database& db, ReportBuilder& builder, ChartTables::Side side)
    : db_(db), builder_(builder), chart_(db, side), side_(side) {}

void SummaryReport::begin() {
  builder_.BeginReport(76, 6);
  builder_.SetStandardTitles(namesOf(side_).title);
  builder_.CellPrefixes = {QStringLiteral("R05"), QStringLiteral("L07"), QStringLiteral("R50"),
                           QStringLiteral("R63"), QStringLiteral("R76")};
  builder_.ColumnHeadings = {
      {QString(), QString(), QStringLiteral("R50Period"), QStringLiteral("R63Prior"),
       QStringLiteral("R76Year"), QString()},
      {QStringLiteral("R05Acnt."), QStringLiteral("L07Account Name"), QStringLiteral("R50Totals"),
       QStringLiteral("R63Totals"), QStringLiteral("R76To Date"), QStringLiteral("U")}};
  builder_.ReportSubheading = namesOf(side_).flagged;
  fyStart_ = builder_.FiscalYearStart(builder_.Request().StartDate);
}

SummaryReport::Totals SummaryReport::accountTotals(int account) {
  const QDate start = builder_.Request().StartDate, end = builder_.Request().EndDate;
  // Prior runs to the day before the start, which is the later day when the range is
  // given backwards.
  const QDate until = std::max(end, start.addDays(-1));
  Totals totals;
  chart_.ForEachEntryFrom(
      account, fyStart_, until, [this](int folder) { return builder_.IsSelectedFolder(folder); },
      [&](const ChartTables::Entry& entry) {
        if (entry.Date < start && entry.Date >= fyStart_) {
          totals.prior += entry.Amount;
        } else if (entry.Date >= start && entry.Date <= end) {
          totals.period += entry.Amount;
        }
      });
  return totals;
}

void SummaryReport::totalRow(const QString& name, const Totals& totals) {
  builder_.AddTotalRow({QString(), name, ReportValue::Money(totals.period),
                        ReportValue::Money(totals.prior),
                        ReportValue::Money(totals.period + totals.prior)});
}

SummaryReport::Totals SummaryReport::section(bool deductible, ReportProgress& progress) {
  Totals sum;
  const QString zero = builder_.Money(0);
  chart_.ForEachAccount([&](const AccountRecord& account) {
    if (account.AcDed == deductible) {
      const Totals totals = accountTotals(account.AccNo);
      // Sums of two-decimal amounts can miss zero by a rounding residue; an account whose
      // records cancel out must not get a row of zeros.
      if (builder_.Money(totals.period) != zero || builder_.Money(totals.prior) != zero) {
        builder_.AddRow({QString::number(account.AccNo), account.AcDesc,
                         ReportValue::Money(totals.period), ReportValue::Money(totals.prior),
                         ReportValue::Money(totals.period + totals.prior)});
      }
      sum.period += totals.period;
      sum.prior += totals.prior;
    }
    progress.Step();
  });
  builder_.Host().ShowStatus(QString());
  // Written even when this section has no row, as long as an earlier one exists.
  if (builder_.LastLine() >= 0) {
    builder_.SetLastStyle(QStringLiteral("U"));
    totalRow(QStringLiteral("Total ") + builder_.ReportSubheading, sum);
  }
  return sum;
}

void SummaryReport::Build() {
  begin();
  ReportHost& host = builder_.Host();
  ReportProgress progress(host, 2 * chart_.AccountRecordCount());
  host.ShowStatus(QStringLiteral("Building Report"));
  const Totals first = section(true, progress);
  builder_.ReportSubheading = namesOf(side_).unflagged;
  builder_.SectionChange();
  const Totals second = section(false, progress);
  builder_.ReportSubheading.clear();
  if (builder_.LastLine() < 0) return;
  builder_.SetLastStyle(QStringLiteral("U"));
  builder_.AddBlankLine();
  totalRow(QStringLiteral("GRAND TOTAL"),
           {first.period + second.period, first.prior + second.prior});
  if (builder_.SelectedFolders.size() > 1) builder_.AddIncludedFolders();
}
