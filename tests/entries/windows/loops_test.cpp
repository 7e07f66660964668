// The main window's expense and income loops: browse list, entry window, and back to the
// list on the record saved, until the list is left; all tables closed afterwards.
#include <gtest/gtest.h>

#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "CodeBox.h"
#include "DatePicker.h"
#include "ExpenseList.h"
#include "ExpenseWindow.h"
#include "IncomeList.h"
#include "IncomeWindow.h"
#include "MaskedNumberEdit.h"
#include "TestShell.h"

namespace {

class Loops : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    Database& db = shell.db();
    const QString general = QStringLiteral("General");
    for (books::Chart chart : {books::Chart::Expense, books::Chart::Income}) {
      books::addAccount(db, chart, 4, general, true);
    }
    books::addFolder(db, 1, QStringLiteral("Shop"));
    books::addFolder(db, 3, QStringLiteral("Rental"));
    db.settingsRecord().GSTRate = 10;
    db.settingsRecord().GSTString = QStringLiteral("GST");
  }
  // count expenses of folder 1, every other day from 1 March; their numbers in date order.
  std::vector<long> addExpenses(int count) {
    Database& db = shell.db();
    std::vector<long> numbers;
    for (int day = 0; day < count; ++day) {
      numbers.push_back(books::addExpense(db, {.ExpDate = QDate(2026, 3, 1).addDays(2 * day),
                                               .AccNo = 4,
                                               .FolNo = 1,
                                               .PayTo = {},
                                               .Amount = 10.0 + day,
                                               .EMemo = {}}));
    }
    return numbers;
  }

  static long cursorRecord(BrowseWindow& list) {
    QTableWidget& grid = *list.grid;
    return grid.item(grid.currentRow(), grid.columnCount() - 1)->text().toLong();
  }

  TestBooks books;
  TestShell shell{books.dir()};
};

TEST_F(Loops, ANewExpenseIsSavedAndTheListReturnsToIt) {
  addExpenses(12);
  long saved = 0;
  shell.ui.expectModal("PickExp", [](QDialog& form) {
    auto& pick = static_cast<ExpenseList&>(form);
    EXPECT_EQ(pick.grid->rowCount(), 10);
    pick.newButton->click();
  });
  shell.ui.expectModal("Expense", [](QDialog& form) {
    auto& expense = static_cast<ExpenseWindow&>(form);
    expense.dateEdit->setDate(QDate(2026, 3, 4));
    expense.amountEdit->setText(QStringLiteral("110"));
    expense.amountEdit->runExit();
    expense.saveButton->click();
  });
  shell.ui.expectMessage(QStringLiteral("Add another expense record?"), Ui::Answer::No);
  shell.ui.expectModal("PickExp", [&](QDialog& form) {
    auto& pick = static_cast<ExpenseList&>(form);
    saved = shell.state.SelectedExpense;
    // Dated 4 March, the new record is third in date order: its page starts with it.
    EXPECT_EQ(pick.grid->currentRow(), 0);
    EXPECT_EQ(cursorRecord(pick), saved);
    EXPECT_EQ(pick.list().top(), 2);
    pick.exitButton->click();
  });
  shell.form->expensesClicked();
  EXPECT_GT(saved, 12);
  EXPECT_EQ(shell.state.SelectedExpense, -1);
  EXPECT_EQ(shell.files.openFiles, 0) << "tables left open";
}

TEST_F(Loops, AnExpenseMovedToAnotherFolderReturnsToTheFirstPage) {
  const std::vector<long> days = addExpenses(14);
  shell.state.DefaultFolder = 1;
  shell.ui.expectModal("PickExp", [](QDialog& form) {
    auto& pick = static_cast<ExpenseList&>(form);
    QTest::keyClick(pick.grid, Qt::Key_Up);
    pick.selectButton->click();
  });
  shell.ui.expectModal("Expense", [](QDialog& form) {
    auto& expense = static_cast<ExpenseWindow&>(form);
    expense.folderBox->setCurrentIndex(1);  // folder 3
    expense.saveButton->click();
  });
  shell.ui.expectModal("PickExp", [&](QDialog& form) {
    auto& pick = static_cast<ExpenseList&>(form);
    EXPECT_EQ(shell.state.SelectedExpense, days[12]);
    EXPECT_EQ(pick.list().count(), 13);
    EXPECT_EQ(pick.grid->currentRow(), 0);
    EXPECT_EQ(cursorRecord(pick), days[0]);
    pick.exitButton->click();
  });
  shell.form->expensesClicked();
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(Loops, AfterADeleteOrACancelledNewEntryTheListShowsTheLastRecord) {
  const std::vector<long> days = addExpenses(5);
  shell.ui.expectModal("PickExp", [](QDialog& form) {
    auto& pick = static_cast<ExpenseList&>(form);
    QTest::keyClick(pick.grid, Qt::Key_Home);
    pick.selectButton->click();
  });
  shell.ui.expectModal(
      "Expense", [](QDialog& form) { static_cast<ExpenseWindow&>(form).deleteButton->click(); });
  shell.ui.expectMessage(QStringLiteral("Delete this expense record?"), Ui::Answer::Yes);
  shell.ui.expectModal("PickExp", [&](QDialog& form) {
    auto& pick = static_cast<ExpenseList&>(form);
    EXPECT_EQ(pick.list().count(), 4);
    EXPECT_EQ(pick.grid->currentRow(), 3);
    pick.newButton->click();
  });
  shell.ui.expectModal(
      "Expense", [](QDialog& form) { static_cast<ExpenseWindow&>(form).cancelButton->click(); });
  shell.ui.expectModal("PickExp", [&](QDialog& form) {
    auto& pick = static_cast<ExpenseList&>(form);
    EXPECT_EQ(pick.grid->currentRow(), 3);
    pick.close();  // the title bar leaves the loop like Exit
  });
  shell.form->expensesClicked();
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(Loops, TheIncomeLoopRunsTheSameWay) {
  shell.ui.expectModal("PickInc", [](QDialog& form) {
    auto& pick = static_cast<IncomeList&>(form);
    EXPECT_FALSE(pick.selectButton->isEnabled());
    pick.newButton->click();
  });
  shell.ui.expectModal("Income", [](QDialog& form) {
    auto& income = static_cast<IncomeWindow&>(form);
    income.amountEdit->setText(QStringLiteral("55"));
    income.amountEdit->runExit();
    income.saveButton->click();
  });
  shell.ui.expectMessage(QStringLiteral("Add another income record?"), Ui::Answer::No);
  shell.ui.expectModal("PickInc", [&](QDialog& form) {
    auto& pick = static_cast<IncomeList&>(form);
    EXPECT_EQ(pick.grid->rowCount(), 1);
    EXPECT_EQ(cursorRecord(pick), shell.state.SelectedIncome);
    EXPECT_EQ(pick.grid->item(0, 3)->text(), QStringLiteral("       55.00"));
    pick.exitButton->click();
  });
  shell.form->incomeClicked();
  EXPECT_EQ(shell.state.SelectedIncome, -1);
  EXPECT_EQ(shell.files.openFiles, 0);
}

}  // namespace
