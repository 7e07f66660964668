#include "DetailReport.h"

#include "Conversions.h"
#include "Database.h"
#include "ReportBuilder.h"
#include "ReportHost.h"
#include "ReportProgress.h"
#include "TableWalk.h"

DetailReport::DetailReport(Database& db, ReportBuilder& builder, Side side)
    : db_(db), builder_(builder), side_(side) {}

bool DetailReport::ChooseAccount(int recordNumber) {
  if (recordNumber <= 0) return false;
  AccountTable& table = expense() ? db_.acc() : db_.accI();
  if (d4go(table.data, recordNumber) != 0) return false;
  const AccountRecord& record = expense() ? db_.accRecord() : db_.accIRecord();
  expense() ? db_.ReadAcc() : db_.ReadAccI();
  accountDetail_ = true;
  account_ = record.AccNo;
  accountName_ = record.AcDesc.trimmed();
  return true;
}

void DetailReport::begin() {
  const QString tax = db_.settingsRecord().GSTString.trimmed();
  QString name;
  if (expense()) {
    builder_.BeginReport(80, 7);
    name = QStringLiteral("Expense Detail Report");
    builder_.CellPrefixes = {QStringLiteral("L00"), QStringLiteral("R19"), QStringLiteral("R24"),
                             QStringLiteral("L26"), QStringLiteral("R67"), QStringLiteral("R80")};
    builder_.ColumnHeadings = {{QStringLiteral("L00Date"), QStringLiteral("R19Check No"),
                                QStringLiteral("R24Acnt"), QStringLiteral("L26Paid to / Memo"),
                                QStringLiteral("R67Amount"), QStringLiteral("R80") + tax,
                                QStringLiteral("U")}};
  } else {
    builder_.BeginReport(75, 6);
    name = QStringLiteral("Income Detail Report");
    builder_.CellPrefixes = {QStringLiteral("L00"), QStringLiteral("R15"), QStringLiteral("L17"),
                             QStringLiteral("R61"), QStringLiteral("R75")};
    builder_.ColumnHeadings = {{QStringLiteral("L00Date"), QStringLiteral("R15Account"),
                                QStringLiteral("L17Description"), QStringLiteral("R61Amount"),
                                QStringLiteral("R75") + tax, QStringLiteral("U")}};
  }
  // A cheque number has up to eight digits, an account number four.
  builder_.MakeRoomForDates(expense() ? 8 : 4);
  builder_.SetStandardTitles(accountDetail_ ? accountName_ + QLatin1Char(' ') + name : name);
}

std::string DetailReport::storedDateText() {
  return f4str(expense() ? db_.exp().ExpDate : db_.inc().IncDate);
}

long DetailReport::seekAndCount(const std::string& endText) {
  DATA4* data = expense() ? db_.exp().data : db_.inc().data;
  d4tagSelectP(data, expense() ? db_.exp().eDate : db_.inc().IncDateTag);
  const QString startText = db_.DateToDTOS(builder_.Request().StartDate);
  const int found = d4seek(data, Conversions::KeyBuffer(startText));
  if (found == xbase::kEof) return 0;
  const long first = d4recNo(data);
  // Dates compare as "yyyymmdd" texts, so an end date carrying a time still ends the day.
  long count = 0;
  WalkFrom(data, found, [&] {
    if (storedDateText() > endText) return false;
    ++count;
    return true;
  });
  d4go(data, first);
  return count;
}

void DetailReport::reportRecord() {
  if (expense()) {
    ExpenseTable& table = db_.exp();
    // The folder and account decide; the rest of the record is read for a listed row only.
    if (!builder_.IsSelectedFolder(f4int(table.FolNo))) return;
    if (accountDetail_ && f4int(table.AccNo) != account_) return;
    db_.ReadExp();
    const ExpenseRecord& r = db_.expRecord();
    // Two lines reserved, so a memo line never goes to the next page.
    builder_.AddRow(
        {ReportValue::Date(r.ExpDate), QString::number(r.CheckNo), QString::number(r.AccNo),
         r.PayTo.trimmed(), ReportValue::Money(r.Amount), ReportValue::Money(r.GSTE)},
        2);
    const QString memo = r.EMemo.trimmed();
    if (!memo.isEmpty()) {
      builder_.AddRow({QString(), QString(), QString(), memo}, 1, {0, 1, 2});
    }
    amountTotal_ += r.Amount;
    taxTotal_ += r.GSTE;
  } else {
    IncomeTable& table = db_.inc();
    if (!builder_.IsSelectedFolder(f4int(table.FolNo))) return;
    if (accountDetail_ && f4int(table.IncAcc) != account_) return;
    db_.ReadInc();
    const IncomeRecord& r = db_.incRecord();
    builder_.AddRow({ReportValue::Date(r.IncDate), QString::number(r.IncAcc), r.IncDesc,
                     ReportValue::Money(r.IncAmt), ReportValue::Money(r.GstI)});
    amountTotal_ += r.IncAmt;
    taxTotal_ += r.GstI;
  }
}

void DetailReport::Build() {
  begin();
  amountTotal_ = taxTotal_ = 0;
  const std::string endText = db_.DateToDTOS(builder_.Request().EndDate).toStdString();
  const long expected = seekAndCount(endText);
  ReportHost& host = builder_.Host();
  host.ShowStatus(QStringLiteral("Building Report"));
  ReportProgress progress(host, expected);
  DATA4* data = expense() ? db_.exp().data : db_.inc().data;
  // The count ended at the first record after the end day (or the end of the table).
  for (long item = 0; item < expected; ++item) {
    reportRecord();
    d4skip(data);
    progress.Step();
  }
  host.ShowStatus(QString());
  if (builder_.LastLine() < 0) return;
  builder_.SetLastStyle(QStringLiteral("U"));
  if (expense()) {
    builder_.AddTotalRow({QStringLiteral("TOTAL EXPENSES"), QString(), QString(), QString(),
                          ReportValue::Money(amountTotal_), ReportValue::Money(taxTotal_)},
                         2);
  } else {
    builder_.AddTotalRow({QStringLiteral("Total"), QString(), QString(),
                          ReportValue::Money(amountTotal_), ReportValue::Money(taxTotal_)});
  }
  if (builder_.SelectedFolders.size() > 1) builder_.AddIncludedFolders();
}
