// Erasing the data: the chain of questions, where each answer decides the next, and the
// tables emptied by it.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>

#include "DataEraser.h"
#include "MaintenanceBooks.h"
#include "ScriptedUi.h"
#include "TestShell.h"

namespace {

using Answer = Ui::Answer;

class Erasing : public testing::Test {
 protected:
  void SetUp() override {
    books::addAccount(books.db, books::Chart::Expense, 1, QStringLiteral("Fuel"), false);
    books::addAccount(books.db, books::Chart::Income, 2, QStringLiteral("Sales"), false);
    books::addFolder(books.db, 1, QStringLiteral("Farm"));
    books.addExpense(QDate(2024, 1, 1), 1, 100.00);
    books.addIncome(QDate(2024, 1, 2), 2, 200.00);
    shell.start();
  }
  void expect(const char* question, Answer answer) {
    shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::OkCancelDefaultCancel,
                           QString::fromLatin1(question), answer);
  }
  long records(bool (Database::*open)(), DATA4* (*table)(Database&)) {
    Database& db = books.db;
    (db.*open)();
    const long count = d4recCountDo(table(db));
    code4close(db.code());
    return count;
  }
  // Records left in ACC, ACCI, FOLDER, GSTEXP1, GSTINC1.
  std::vector<long> counts() {
    return {records(&Database::OpenAcc, [](Database& db) { return db.acc().data; }),
            records(&Database::OpenAccI, [](Database& db) { return db.accI().data; }),
            records(&Database::OpenFolder, [](Database& db) { return db.folder().data; }),
            records(&Database::OpenExp, [](Database& db) { return db.exp().data; }),
            records(&Database::OpenInc, [](Database& db) { return db.inc().data; })};
  }

  MaintenanceBooks books;
  TestShell shell{books.books.dir()};
};

// Cancel to the income and OK to the expenses asks only about the expense accounts.
TEST_F(Erasing, KeepingTheIncomeAsksOnlyAboutTheExpenseAccounts) {
  expect("ERASE ALL INCOME DATA?", Answer::Cancel);
  expect("ERASE ALL EXPENSE DATA?", Answer::Ok);
  expect("ERASE ALL EXPENSE ACCOUNT DEFINITIONS?", Answer::Ok);
  shell.state.RefillFolderBox = false;
  shell.form->eraseDataClicked();
  EXPECT_EQ(counts(), (std::vector<long>{0, 1, 1, 0, 1}));
  EXPECT_EQ(shell.files.openFiles, 0) << "the expense table was left open";
  EXPECT_TRUE(shell.state.RefillFolderBox);
}

TEST_F(Erasing, KeepingTheExpensesAsksOnlyAboutTheIncomeAccounts) {
  expect("ERASE ALL INCOME DATA?", Answer::Ok);
  expect("ERASE ALL EXPENSE DATA?", Answer::Cancel);
  expect("ERASE ALL INCOME ACCOUNT DEFINITIONS?", Answer::Cancel);
  shell.form->eraseDataClicked();
  EXPECT_EQ(counts(), (std::vector<long>{1, 1, 1, 1, 0}));
}

TEST_F(Erasing, OkToEveryQuestionEmptiesAllFiveTables) {
  expect("ERASE ALL INCOME DATA?", Answer::Ok);
  expect("ERASE ALL EXPENSE DATA?", Answer::Ok);
  expect("ERASE ALL INCOME ACCOUNT DEFINITIONS?", Answer::Ok);
  expect("ERASE ALL EXPENSE ACCOUNT DEFINITIONS?", Answer::Ok);
  expect("ERASE ALL FOLDER DEFINITIONS?", Answer::Ok);
  shell.form->eraseDataClicked();
  EXPECT_EQ(counts(), (std::vector<long>{0, 0, 0, 0, 0}));
  EXPECT_EQ(shell.files.openFiles, 0);
  shell.form->fillFolderBox();
  EXPECT_EQ(shell.form->folderBox->count(), 1) << "the folder list still shows erased folders";
}

// Enter at every question, from the button on the page: Cancel is the default, nothing goes.
TEST_F(Erasing, EnterToBothTransactionTablesErasesNothingAndAsksNothingMore) {
  for (const char* question : {"ERASE ALL INCOME DATA?", "ERASE ALL EXPENSE DATA?"}) {
    shell.ui.expectEnter(Ui::Type::Information, Ui::Buttons::OkCancelDefaultCancel,
                         QString::fromLatin1(question));
  }
  shell.form->findChild<QAbstractButton*>(QStringLiteral("eraseDataButton"))->click();
  EXPECT_EQ(counts(), (std::vector<long>{1, 1, 1, 1, 1}));
}

}  // namespace
