#include "ProfitReport.h"

#include <algorithm>

#include "Conversions.h"
#include "Database.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "ReportProgress.h"
#include "TableWalk.h"

namespace {

double amountOf(FIELD4* field) {
  double value = 0;
  f4double2(field, &value);
  return value;
}

// Runs add on each record of a selected folder dated from first to last, walking the
// table's date tag from the first record dated on or after first.
template <class Add>
void walkPeriod(Database& db, const ReportBuilder& builder, DATA4* data, FIELD4* date,
                FIELD4* folder, const QDate& first, const QDate& last, Add add) {
  WalkFrom(data, d4seek(data, Conversions::KeyBuffer(db.DateToDTOS(first))), [&] {
    if (Database::DTOSToDate(f4text(date)) > last) return false;
    if (builder.IsSelectedFolder(f4int(folder))) add();
    return true;
  });
}

}  // namespace

ProfitReport::Sums& ProfitReport::Sums::operator+=(const Sums& other) {
  taxableIncome += other.taxableIncome;
  otherIncome += other.otherIncome;
  deductible += other.deductible;
  otherExpenses += other.otherExpenses;
  return *this;
}

ProfitReport::ProfitReport(Database& db, ReportBuilder& builder, Period period)
    : db_(db), builder_(builder), period_(period) {}

QDate ProfitReport::StartDate() const {
  const QDate start = builder_.Request().StartDate;
  return period_ == Period::Monthly ? start.addDays(1 - start.day()) : start;
}

QDate ProfitReport::periodEnd(const QDate& first) const {
  QDate last;
  if (period_ == Period::Weekly) {
    last = first.addDays(6);
  } else {
    last = first.addDays(31);
    while (ReportRules::MonthOf(last) != ReportRules::MonthOf(first)) last = last.addDays(-1);
  }
  return std::min(last, builder_.Request().EndDate);
}

ProfitReport::Sums ProfitReport::periodSums(const QDate& first, const QDate& last) {
  Sums sums;
  IncomeTable& inc = db_.inc();
  walkPeriod(db_, builder_, inc.data, inc.IncDate, inc.FolNo, first, last, [&] {
    const double amount = amountOf(inc.IncAmt);
    (builder_.IsTaxableAccount(f4int(inc.IncAcc)) ? sums.taxableIncome : sums.otherIncome) +=
        amount;
  });
  ExpenseTable& exp = db_.exp();
  walkPeriod(db_, builder_, exp.data, exp.ExpDate, exp.FolNo, first, last, [&] {
    const double amount = amountOf(exp.Amount);
    (builder_.IsDeductibleAccount(f4int(exp.AccNo)) ? sums.deductible : sums.otherExpenses) +=
        amount;
  });
  return sums;
}

void ProfitReport::writeRow(const ReportValue& name, const Sums& sums) {
  const double taxableProfit = sums.taxableIncome - sums.deductible;
  const QList<ReportValue> values{
      name,
      ReportValue::Money(sums.taxableIncome),
      ReportValue::Money(sums.deductible),
      ReportValue::Money(taxableProfit),
      ReportValue::Money(sums.otherIncome),
      ReportValue::Money(sums.otherExpenses),
      ReportValue::Money(taxableProfit + sums.otherIncome - sums.otherExpenses)};
  if (name.kind == ReportValue::Kind::Date) {
    builder_.AddRow(values);
  } else {
    builder_.AddTotalRow(values);
  }
}

void ProfitReport::Build() {
  builder_.BeginReport(99, 8);
  builder_.SetProfitPeriods();
  const QDate start = StartDate();
  const QDate end = builder_.Request().EndDate;
  // The monthly report's range line shows the start it moved to.
  builder_.SetStandardTitles(QStringLiteral("Profit Report"), start);
  builder_.CellPrefixes = {QStringLiteral("L00"), QStringLiteral("R29"), QStringLiteral("R43"),
                           QStringLiteral("R57"), QStringLiteral("R71"), QStringLiteral("R85"),
                           QStringLiteral("R99")};
  builder_.ColumnHeadings = {
      {period_ == Period::Weekly ? QStringLiteral("L00Week") : QStringLiteral("L00Month"),
       QStringLiteral("R29Taxable"), QStringLiteral("R43Deductible"), QStringLiteral("R57Taxable"),
       QStringLiteral("R71Nontaxable"), QStringLiteral("R85Nondeductible"),
       QStringLiteral("R99Net"), QString()},
      {QStringLiteral("L00Ending"), QStringLiteral("R29Income"), QStringLiteral("R43Expenses"),
       QStringLiteral("R57Profit"), QStringLiteral("R71Income"), QStringLiteral("R85Expenses"),
       QStringLiteral("R99Profit"), QStringLiteral("U")}};

  d4tagSelectP(db_.inc().data, db_.inc().IncDateTag);
  d4tagSelectP(db_.exp().data, db_.exp().eDate);
  ReportHost& host = builder_.Host();
  host.ShowStatus(QStringLiteral("Building Report"));
  ReportProgress progress(host, std::max<qint64>(start.daysTo(end), 1));
  Sums totals;
  for (QDate first = start; first <= end;) {
    const QDate last = periodEnd(first);
    const Sums sums = periodSums(first, last);
    writeRow(ReportValue::Date(last), sums);
    totals += sums;
    progress.Step(first.daysTo(last));
    first = last.addDays(1);
  }
  host.ShowStatus(QString());
  if (builder_.LastLine() < 0) return;
  builder_.SetLastStyle(QStringLiteral("U"));
  writeRow(QStringLiteral("Totals"), totals);
  if (builder_.SelectedFolders.size() > 1) builder_.AddIncludedFolders();
}
