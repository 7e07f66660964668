#include "DataEraser.h"

#include <QString>

#include "Database.h"
#include "Prompts.h"
#include "xbase/Status.h"

namespace {

struct Erasable {
  const char* question;
  bool (Database::*open)();
  DATA4* (*table)(Database&);
};

const Erasable kIncome{"ERASE ALL INCOME DATA?", &Database::OpenInc,
                       [](Database& db) { return db.inc().data; }};
const Erasable kExpenses{"ERASE ALL EXPENSE DATA?", &Database::OpenExp,
                         [](Database& db) { return db.exp().data; }};
const Erasable kIncomeAccounts{"ERASE ALL INCOME ACCOUNT DEFINITIONS?", &Database::OpenAccI,
                               [](Database& db) { return db.accI().data; }};
const Erasable kExpenseAccounts{"ERASE ALL EXPENSE ACCOUNT DEFINITIONS?", &Database::OpenAcc,
                                [](Database& db) { return db.acc().data; }};
const Erasable kFolders{"ERASE ALL FOLDER DEFINITIONS?", &Database::OpenFolder,
                        [](Database& db) { return db.folder().data; }};

// Asks the question; on OK empties the table and closes every table. Returns whether the
// table was emptied.
bool eraseOnAnswer(Database& db, Prompts& ui, const Erasable& what) {
  if (ui.message(Prompts::Type::Information, Prompts::Buttons::OkCancelDefaultCancel,
                 QString::fromLatin1(what.question)) != Prompts::Answer::Ok) {
    return false;
  }
  (db.*what.open)();
  DATA4* table = what.table(db);
  const bool erased = d4zap(table, 1, d4recCountDo(table)) == xbase::kSuccess;
  code4close(db.code());
  return erased;
}

}  // namespace

void DataEraser::EraseData() {
  const bool income = eraseOnAnswer(db_, ui_, kIncome);
  const bool expenses = eraseOnAnswer(db_, ui_, kExpenses);
  if (income) eraseOnAnswer(db_, ui_, kIncomeAccounts);
  if (expenses) eraseOnAnswer(db_, ui_, kExpenseAccounts);
  if (income && expenses) eraseOnAnswer(db_, ui_, kFolders);
}
