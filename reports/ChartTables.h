// One chart of accounts with its transaction table, the expense side (ACC, GSTEXP1) or
// the income side (ACCI, GSTINC1), seen alike by the reports that total per account: the
// accounts in number order, and one account's records from a date on through the
// account-then-date tag (eAcc, IncAcc).
#pragma once

#include <QDate>
#include <functional>

struct AccountRecord;
class Database;

class ChartTables {
 public:
  enum class Side { Expense, Income };

  // What the totals need of a transaction record.
  struct Entry {
    QDate Date;
    int Folder = 0;
    double Amount = 0;  // Amount or IncAmt
    double Tax = 0;     // GSTE or GstI
  };
  // The amounts and tax amounts of some records added up.
  struct Totals {
    double amount = 0;
    double tax = 0;
    void add(const Totals& other) {
      amount += other.amount;
      tax += other.tax;
    }
  };

  // db must outlive the object. REQUIRES: the side's account table open, and for
  // ForEachEntryFrom its transaction table too.
  ChartTables(Database& db, Side side) : db_(db), side_(side) {}

  // Records of the account table as the library counts them, deleted ones included.
  long AccountRecordCount();
  // visit(account) for each account of the chart in ascending number, from the top of the
  // account tag to its end (the tag leaves deleted accounts out).
  void ForEachAccount(const std::function<void(const AccountRecord&)>& visit);
  // Selects the account-then-date tag and seeks account's first record dated on or after
  // from; then visit(entry) for every record of that account from there on, in date order,
  // up to the last one dated on or before until. Only records whose folder passes wanted
  // are read further and visited.
  void ForEachEntryFrom(int account, const QDate& from, const QDate& until,
                        const std::function<bool(int)>& wanted,
                        const std::function<void(const Entry&)>& visit);
  // The totals of account's records of wanted folders dated from start to end, read
  // through ForEachEntryFrom from seekFrom (on or before start) on.
  Totals AccountTotals(int account, const QDate& seekFrom, const QDate& start, const QDate& end,
                       const std::function<bool(int)>& wanted);

 private:
  bool expense() const { return side_ == Side::Expense; }

  Database& db_;
  const Side side_;
};
