// Records added to test books through the record layer's append routines. Each adder
// opens its table, appends one record, closes every table and returns the new record's
// number. REQUIRES: no table open. Fixtures that keep their tables open call the append
// routines themselves and pass the result through expectAppended.
#pragma once

#include <gtest/gtest.h>

#include "Database.h"

namespace books {

enum class Chart { Expense, Income };

// added, what an append routine returned; fails the test when the table refused the append.
inline long expectAppended(long added) {
  EXPECT_NE(added, Database::kNotAppended) << "the table refused the append";
  return added;
}

inline long addAccount(Database& db, Chart chart, int number, const QString& name,
                       bool flag = true) {
  const AccountRecord record{number, name, flag};
  long added = Database::kNotAppended;
  if (chart == Chart::Expense) {
    db.OpenAcc();
    added = db.AppendAcc(record);
  } else {
    db.OpenAccI();
    added = db.AppendAccI(record);
  }
  code4close(db.code());
  EXPECT_NE(added, Database::kNotAppended) << "account " << number;
  return added;
}

inline long addFolder(Database& db, int number, const QString& name) {
  db.OpenFolder();
  const long added = db.AppendFolder(FolderRecord{number, name});
  code4close(db.code());
  EXPECT_NE(added, Database::kNotAppended) << "folder " << number;
  return added;
}

inline long addExpense(Database& db, const ExpenseRecord& record) {
  db.OpenExp();
  const long added = db.AppendExp(record);
  code4close(db.code());
  EXPECT_NE(added, Database::kNotAppended);
  return added;
}

inline long addIncome(Database& db, const IncomeRecord& record) {
  db.OpenInc();
  const long added = db.AppendInc(record);
  code4close(db.code());
  EXPECT_NE(added, Database::kNotAppended);
  return added;
}

}  // namespace books
