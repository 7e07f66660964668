// The chart of accounts a window serves, as AccountKind names it: "E" the expense chart
// (ACC, its expenses in GSTEXP1), anything else the income chart (ACCI, its income in
// GSTINC1). Gathers what differs between the charts so that one account window and one
// pick list serve both.
#pragma once

#include <QString>

#include "TableAccess.h"

struct AccountRecord;
struct AccountTable;
struct HandOver;
class Database;

class AccountChart {
 public:
  // The chart state.AccountKind names now. db and state must outlive the object.
  AccountChart(Database& db, HandOver& state);

  bool isExpense() const { return expense_; }
  // The chart's account table and current-record structure.
  AccountTable& table() const;
  AccountRecord& record() const;
  // The chart's hand-over value: SelectedExpenseAccount or SelectedIncomeAccount.
  int& selected() const;
  // ReadAcc/ReadAccI and WriteAcc/WriteAccI. REQUIRES: the account table is open.
  void read() const;
  void write() const;
  // AppendAcc/AppendAccI: the new record's number, or Database::kNotAppended.
  long append(const AccountRecord& record) const;

  // Caption of the flag's check box: "Tax Deductible" or "Taxable".
  QString flagCaption() const;
  // Heading of the flag's column in the pick list: "Deduct" or "Taxable".
  QString flagHeading() const;
  // What the chart's transactions are called in messages: "expenses" or "income".
  QString transactionWord() const;

  // The chart's transaction table, opened through its open routine (which ends the
  // program when it cannot), with its account field.
  struct Transactions {
    DATA4* data;
    FIELD4* account;
  };
  Transactions openTransactions() const;

 private:
  Database& db_;
  HandOver& state_;
  bool expense_;
};
