#include "GeneralLedgerReport.h"

#include <cmath>
#include <string>

#include "Conversions.h"
#include "Database.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "ReportProgress.h"
#include "TableWalk.h"

namespace {

// One side of the journal: a table walked in date order, with the fields the walk needs.
struct Walk {
  DATA4* data;
  FIELD4* date;
  FIELD4* folder;
  FIELD4* amount;
  QDate afterEnd;     // the day after the report's end
  double prior = 0;   // selected records dated before the fiscal year
  double fiscal = 0;  // selected records from the fiscal year's start to before the period
  QDate next{};       // date of the current record; afterEnd at end of file

  void setNext(int rc) { next = rc == 3 ? afterEnd : Database::DTOSToDate(f4text(date)); }
  void step() { setNext(d4skip(data)); }
};

double amountOf(FIELD4* field) {
  double value = 0;
  f4double2(field, &value);
  return value;
}

// Everything before the period adds to prior or fiscal in one pass in record order, which
// reads the table from front to back however its records were entered; deleted records
// are left out, as the date tag leaves them out. Then the walk goes on in date order from
// the period's first record of a selected folder.
void openingWalk(Walk& walk, TAG4* dateTag, const ReportBuilder& builder,
                 const std::string& fiscalText, const std::string& startText,
                 ReportProgress& progress) {
  const int opening = d4scan(walk.data, [&] {
    if (d4deleted(walk.data)) return;
    const std::string_view date = f4view(walk.date);
    if (date >= startText) return;
    if (builder.IsSelectedFolder(f4int(walk.folder))) {
      (date >= fiscalText ? walk.fiscal : walk.prior) += amountOf(walk.amount);
    }
    progress.Step();
  });
  d4tagSelectP(walk.data, dateTag);
  if (opening < 0) {
    walk.next = walk.afterEnd;  // the pending error ends the report
    return;
  }
  const WalkResult first = WalkFrom(
      walk.data, d4seek(walk.data, Conversions::KeyBuffer(QString::fromStdString(startText))), [&] {
        if (builder.IsSelectedFolder(f4int(walk.folder))) return false;
        progress.Step();
        return true;
      });
  walk.setNext(first.code);
}

// A sum that would print as 0.00 leaves its cell empty.
bool isZero(double value) { return std::abs(value) < 0.005; }

}  // namespace

void GeneralLedgerReport::writeRow(const ReportValue& date, const QString& description,
                                   double credit, double debit) {
  QList<int> empty;
  if (isZero(credit)) empty.append(2);
  if (isZero(debit)) empty.append(3);
  const QList<ReportValue> values{date, description, ReportValue::Money(credit),
                                  ReportValue::Money(debit), ReportValue::Money(balance_)};
  // The rows without a date carry balances and totals.
  if (date.kind == ReportValue::Kind::Date) {
    builder_.AddRow(values, 1, empty);
  } else {
    builder_.AddTotalRow(values, 1, empty);
  }
}

void GeneralLedgerReport::Build() {
  builder_.BeginReport(73, 6);
  builder_.SetStandardTitles(QStringLiteral("General Ledger"));
  builder_.CellPrefixes = {QStringLiteral("L00"), QStringLiteral("L10"), QStringLiteral("R50"),
                           QStringLiteral("R61"), QStringLiteral("R73")};
  builder_.ColumnHeadings = {{QStringLiteral("L00Date"), QStringLiteral("L10Description"),
                              QStringLiteral("R50Credit"), QStringLiteral("R61Debit"),
                              QStringLiteral("R73Balance"), QStringLiteral("U")}};
  builder_.MakeRoomForDates();

  const QDate start = builder_.Request().StartDate;
  const QDate afterEnd = builder_.Request().EndDate.addDays(1);
  const std::string startText = db_.DateToDTOS(start).toStdString();
  const std::string fiscalText = db_.DateToDTOS(builder_.FiscalYearStart(start)).toStdString();
  IncomeTable& inc = db_.inc();
  ExpenseTable& exp = db_.exp();
  ReportHost& host = builder_.Host();
  host.ShowStatus(QStringLiteral("Building Report"));
  ReportProgress progress(host, d4recCountDo(inc.data) + d4recCountDo(exp.data));

  Walk income{inc.data, inc.IncDate, inc.FolNo, inc.IncAmt, afterEnd};
  Walk expenses{exp.data, exp.ExpDate, exp.FolNo, exp.Amount, afterEnd};
  openingWalk(income, inc.IncDateTag, builder_, fiscalText, startText, progress);
  openingWalk(expenses, exp.eDate, builder_, fiscalText, startText, progress);
  balance_ = income.prior - expenses.prior;
  writeRow(QString(), QStringLiteral("Prior Year Totals"), income.prior, expenses.prior);
  balance_ += income.fiscal - expenses.fiscal;
  writeRow(QString(), QStringLiteral("Fiscal YTD Totals"), income.fiscal, expenses.fiscal);
  builder_.SetLastStyle(QStringLiteral("U"));

  // From here the totals hold everything from the first record on.
  double credit = income.prior + income.fiscal;
  double debit = expenses.prior + expenses.fiscal;
  while (income.next < afterEnd || expenses.next < afterEnd) {
    // On equal dates income comes first.
    if (income.next > expenses.next) {
      if (builder_.IsSelectedFolder(f4int(exp.FolNo))) {
        db_.ReadExp();
        const ExpenseRecord& r = db_.expRecord();
        balance_ -= r.Amount;
        debit += r.Amount;
        writeRow(ReportValue::Date(r.ExpDate), r.PayTo, 0, r.Amount);
      }
      expenses.step();
    } else {
      if (builder_.IsSelectedFolder(f4int(inc.FolNo))) {
        db_.ReadInc();
        const IncomeRecord& r = db_.incRecord();
        balance_ += r.IncAmt;
        credit += r.IncAmt;
        writeRow(ReportValue::Date(r.IncDate), r.IncDesc, r.IncAmt, 0);
      }
      income.step();
    }
    progress.Step();
  }
  host.ShowStatus(QString());

  builder_.SetLastStyle(QStringLiteral("U"));
  writeRow(QString(), QStringLiteral("Fiscal YTD Totals"), credit, debit);
  if (builder_.SelectedFolders.size() > 1) builder_.AddIncludedFolders();
}
