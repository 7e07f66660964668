#include "AccountPicker.h"

#include "AccountChart.h"
#include "AppState.h"
#include "Database.h"
#include "TableWalk.h"

AccountPicker::AccountPicker(Database& db, AppState& state, Ui& ui, QWidget* parent)
    : PickList(ui,
               {QStringLiteral("PickAcc"), QStringLiteral("Select Account"), QSize(402, 343),
                QRect(16, 16, 337, 273), 4},
               parent),
      db_(db),
      state_(state) {}

int& AccountPicker::handOver() { return AccountChart(db_, state_).selected(); }

void AccountPicker::prepare() {
  const AccountChart chart(db_, state_);
  setWindowTitle(chart.isExpense() ? QStringLiteral("Expense Accounts")
                                   : QStringLiteral("Income Accounts"));
  startFill(
      {QStringLiteral("Number"), QStringLiteral("Description"), chart.flagHeading(), QString()},
      {48, 240, 48, 0});
  const AccountRecord& account = chart.record();
  DATA4* table = chart.table().data;
  int row = 0;
  int current = 1;
  // The number tag holds live accounts only.
  WalkAll(table, [&] {
    chart.read();
    const long recNo = d4recNo(table);
    setRow(++row, {QString::number(account.AccNo), account.AcDesc,
                   account.AcDed ? QStringLiteral("Yes") : QStringLiteral("No"),
                   QString::asprintf("%ld", recNo)});
    if (recNo == chart.selected()) current = row;
  });
  finishFill(current, 10);
}
