#include "AccountChart.h"

#include "Database.h"
#include "HandOver.h"

AccountChart::AccountChart(Database& db, HandOver& state)
    : db_(db), state_(state), expense_(state.AccountKind == QLatin1String("E")) {}

AccountTable& AccountChart::table() const { return expense_ ? db_.acc() : db_.accI(); }

AccountRecord& AccountChart::record() const {
  return expense_ ? db_.accRecord() : db_.accIRecord();
}

int& AccountChart::selected() const {
  return expense_ ? state_.SelectedExpenseAccount : state_.SelectedIncomeAccount;
}

void AccountChart::read() const { expense_ ? db_.ReadAcc() : db_.ReadAccI(); }

long AccountChart::append(const AccountRecord& record) const {
  return expense_ ? db_.AppendAcc(record) : db_.AppendAccI(record);
}

void AccountChart::write() const { expense_ ? db_.WriteAcc() : db_.WriteAccI(); }

QString AccountChart::flagCaption() const {
  return expense_ ? QStringLiteral("Tax Deductible") : QStringLiteral("Taxable");
}

QString AccountChart::flagHeading() const {
  return expense_ ? QStringLiteral("Deduct") : QStringLiteral("Taxable");
}

QString AccountChart::transactionWord() const {
  return expense_ ? QStringLiteral("expenses") : QStringLiteral("income");
}

AccountChart::Transactions AccountChart::openTransactions() const {
  if (expense_) {
    db_.OpenExp();
    return {db_.exp().data, db_.exp().AccNo};
  }
  db_.OpenInc();
  return {db_.inc().data, db_.inc().IncAcc};
}
