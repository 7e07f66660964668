#include "ChartTables.h"

#include "Conversions.h"
#include "Database.h"
#include "TableWalk.h"

long ChartTables::AccountRecordCount() {
  return d4recCountDo(expense() ? db_.acc().data : db_.accI().data);
}

void ChartTables::ForEachAccount(const std::function<void(const AccountRecord&)>& visit) {
  AccountTable& table = expense() ? db_.acc() : db_.accI();
  const AccountRecord& record = expense() ? db_.accRecord() : db_.accIRecord();
  d4tagSelectP(table.data, table.AccTag);
  WalkAll(table.data, [&] {
    expense() ? db_.ReadAcc() : db_.ReadAccI();
    visit(record);
  });
}

ChartTables::Totals ChartTables::AccountTotals(int account, const QDate& seekFrom,
                                               const QDate& start, const QDate& end,
                                               const std::function<bool(int)>& wanted) {
  Totals totals;
  ForEachEntryFrom(account, seekFrom, end, wanted, [&](const Entry& entry) {
    if (entry.Date >= start && entry.Date <= end) totals.add({entry.Amount, entry.Tax});
  });
  return totals;
}

void ChartTables::ForEachEntryFrom(int account, const QDate& from, const QDate& until,
                                   const std::function<bool(int)>& wanted,
                                   const std::function<void(const Entry&)>& visit) {
  DATA4* data;
  FIELD4 *accountField, *folder, *date, *amount, *tax;
  if (expense()) {
    ExpenseTable& t = db_.exp();
    data = t.data;
    d4tagSelectP(data, t.eAcc);
    accountField = t.AccNo, folder = t.FolNo, date = t.ExpDate, amount = t.Amount, tax = t.GSTE;
  } else {
    IncomeTable& t = db_.inc();
    data = t.data;
    d4tagSelectP(data, t.IncAccTag);
    accountField = t.IncAcc, folder = t.FolNo, date = t.IncDate, amount = t.IncAmt, tax = t.GstI;
  }
  const QString key = Conversions::PadLeft(account, 4) + db_.DateToDTOS(from);
  // A record dated after until counts in no total. Stopping at the first one, rather than
  // reading the account's later years through to the next account, keeps a report of an
  // early year as quick as one of the last. Dates compare as their "yyyymmdd" texts.
  const std::string untilText = db_.DateToDTOS(until).toStdString();
  // The seek lands on the account's first record from that date on, or on a later
  // account's record (or the end) when it has none.
  WalkFrom(data, d4seek(data, Conversions::KeyBuffer(key)), [&] {
    if (f4int(accountField) != account || f4str(date) > untilText) return false;
    Entry entry;
    entry.Folder = f4int(folder);
    // Only the fields the totals need are read, and those of other folders not at all.
    if (!wanted(entry.Folder)) return true;
    entry.Date = Database::DTOSToDate(f4text(date));
    f4double2(amount, &entry.Amount);
    f4double2(tax, &entry.Tax);
    visit(entry);
    return true;
  });
}
