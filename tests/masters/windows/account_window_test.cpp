// The account window through the expense and income account loops of the main window:
// new numbers, renumbering, merging and deleting, with their messages, and what reaches
// the account and transaction tables.
#include <gtest/gtest.h>

#include "AccountWindow.h"
#include "MasterBooks.h"
#include "MasterTables.h"
#include "UserMoves.h"

namespace {

using Type = Ui::Type;
using Buttons = Ui::Buttons;
using Answer = Ui::Answer;

const QString kAcc = QStringLiteral("PickAcc");
const QString kAccount = QStringLiteral("Account");

// Expense accounts 5, 7 and 9 with expenses in each (one of account 5 archived), and
// income on income account 5, which must never follow the expense chart.
class AccountWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    books::addAccount(db(), books::Chart::Expense, 5, QStringLiteral("Stationery"));
    books::addAccount(db(), books::Chart::Expense, 7, QStringLiteral("Rent"));
    books::addAccount(db(), books::Chart::Expense, 9, QStringLiteral("Phone"));
    books::addAccount(db(), books::Chart::Income, 5, QStringLiteral("Sales"));
    expense5 = addExpense(db(), 5, 1, 2);
    archived5 = addExpense(db(), 5, 1, 3, true);
    expense7 = addExpense(db(), 7, 1, 4);
    expense9 = addExpense(db(), 9, 2, 5);
    income5 = addIncome(db(), 5, 1, 6);
  }

  Database& db() { return shell.db(); }
  std::string dir() const { return books.dir(); }
  std::vector<Stored> accounts() const { return storedRecords(dir(), "ACC"); }
  std::vector<Stored> expenses() const { return storedRecords(dir(), "GSTEXP1"); }
  // The account number each expense record holds, by record number.
  std::map<long, int> expenseAccounts() const {
    std::map<long, int> numbers;
    for (const Stored& record : expenses()) numbers[record.recNo] = record.number("ACCNO");
    return numbers;
  }
  void runExpenseLoop() {
    shell.form->expenseAccountsClicked();
    EXPECT_EQ(shell.state.SelectedExpenseAccount, -1);
    EXPECT_EQ(shell.files.openFiles, 0) << "tables left open";
  }

  TestBooks books;
  TestShell shell{books.dir()};
  long expense5 = 0, archived5 = 0, expense7 = 0, expense9 = 0, income5 = 0;
};

TEST_F(AccountWindowTest, RenumberingMovesExactlyTheExpensesOfTheOldNumber) {
  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(kAccount, [](QDialog& form) {
    auto& window = dynamic_cast<AccountWindow&>(form);
    EXPECT_TRUE(window.deleteButton->isVisible());
    window.numberEdit->setText(QStringLiteral("0008"));  // leading zeros typed
    EXPECT_TRUE(window.numberEdit->runExit());
    EXPECT_EQ(window.numberEdit->text(), QStringLiteral("   8"));
    window.descriptionEdit->setText(QStringLiteral("  Office supplies "));
    click(form, "saveButton");
  });
  shell.ui.expectMessage(Type::Information, Buttons::OkCancel,
                         QStringLiteral("ACCOUNT NUMBER CHANGED!\r\n\r\nIf you continue, all "
                                        "expenses in account 5 will be moved to account number 8 "
                                        "AND Account Number 5 will no longer exist."));
  shell.ui.expectModal(kAcc, [](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    EXPECT_EQ(list.grid->currentRow(), rowOf(list, 8)) << "the saved account is current";
    click(form, "exitButton");
  });
  runExpenseLoop();

  const std::map<long, int> expected{{expense5, 8}, {archived5, 8}, {expense7, 7}, {expense9, 9}};
  EXPECT_EQ(expenseAccounts(), expected);
  EXPECT_EQ(liveHolding(dir(), "GSTINC1", "INCACC", 5).size(), 1u) << "income followed";
  // The account keeps its record.
  const Stored renumbered = accounts().at(0);
  EXPECT_EQ(renumbered.number("ACCNO"), 8);
  EXPECT_EQ(renumbered.text("ACDESC"), QStringLiteral("Office supplies"));
  EXPECT_FALSE(renumbered.deleted);
  expectTagsAgree(dir(), "ACC");
  expectTagsAgree(dir(), "GSTEXP1");
}

TEST_F(AccountWindowTest, MergingLeavesOneAccountWithTheTypedNameAndBothSetsOfExpenses) {
  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(kAccount, typeAndSave(7, QStringLiteral("Office rent")));
  shell.ui.expectMessage(Type::Information, Buttons::OkCancel,
                         QStringLiteral("ACCOUNT NUMBER 7 ALREADY EXISTS.\r\n\r\nIf you continue, "
                                        "all expenses in account 5 will be merged into account 7 "
                                        "which will be renamed to Office rent"));
  shell.ui.expectModal(kAcc, [](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    EXPECT_EQ(list.grid->rowCount(), 2) << "the merged account is still listed";
    click(form, "exitButton");
  });
  runExpenseLoop();

  EXPECT_FALSE(shell.state.PackPending);
  // The loop packed: the record of the former account 7 is gone for good.
  const std::vector<Stored> stored = accounts();
  ASSERT_EQ(stored.size(), 2u);
  const std::vector<Stored> sevens = liveHolding(dir(), "ACC", "ACCNO", 7);
  ASSERT_EQ(sevens.size(), 1u);
  EXPECT_EQ(sevens[0].text("ACDESC"), QStringLiteral("Office rent"));
  const std::map<long, int> expected{{1, 7}, {2, 7}, {3, 7}, {4, 9}};
  EXPECT_EQ(expenseAccounts(), expected);
  EXPECT_EQ(liveHolding(dir(), "GSTINC1", "INCACC", 5).size(), 1u);
  expectTagsAgree(dir(), "ACC");
  expectTagsAgree(dir(), "GSTEXP1");
}

TEST_F(AccountWindowTest, DeletingRemovesTheAccountAndItsExpensesForGood) {
  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(kAccount, press("deleteButton"));
  shell.ui.expectMessage(Type::Warning, Buttons::YesNoDefaultNo,
                         QStringLiteral("WARNING: All expenses assigned to this account will be "
                                        "deleted.\r\n\r\nARE YOU SURE YOU WANT TO DELETE THIS "
                                        "ACCOUNT?"),
                         Answer::Yes);
  shell.ui.expectModal(kAcc, [](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    EXPECT_EQ(rowOf(list, 5), -1);
    EXPECT_EQ(list.grid->rowCount(), 2);
    click(form, "exitButton");
  });
  runExpenseLoop();

  EXPECT_EQ(accounts().size(), 2u);
  EXPECT_TRUE(liveHolding(dir(), "ACC", "ACCNO", 5).empty());
  const std::vector<Stored> left = expenses();
  ASSERT_EQ(left.size(), 2u) << "the deleted expenses are still stored";
  EXPECT_EQ(left[0].number("ACCNO"), 7);
  EXPECT_EQ(left[1].number("ACCNO"), 9);
  EXPECT_EQ(storedRecords(dir(), "GSTINC1").size(), 1u) << "income of the other chart deleted";
  for (const char* table : {"ACC", "GSTEXP1", "GSTINC1", "FOLDER", "ACCI"}) {
    expectTagsAgree(dir(), table);
  }
}

TEST_F(AccountWindowTest, AnUnconfirmedDeleteChangesNothingAndKeepsTheWindowOpen) {
  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(kAccount, [](QDialog& form) {
    click(form, "deleteButton");
    EXPECT_TRUE(form.isVisible());
    EXPECT_NE(form.result(), QDialog::Accepted);
    click(form, "cancelButton");
  });
  shell.ui.expectMessage(
      QStringLiteral("WARNING: All expenses assigned to this account will be deleted.\r\n\r\nARE "
                     "YOU SURE YOU WANT TO DELETE THIS ACCOUNT?"),
      Answer::No);
  shell.ui.expectModal(kAcc, press("exitButton"));
  shell.files.clear();
  runExpenseLoop();
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("gstexp1.dbf")), 0);
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("acc.dbf")), 0);
}

TEST_F(AccountWindowTest, DeleteAfterACancelledMergeDeletesTheChosenAccount) {
  // The cancelled merge's search for 7 moved the table onto account 7.
  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(kAccount, then({typeAndSave(7, QStringLiteral("Rent")), [](QDialog& form) {
                                         EXPECT_TRUE(form.isVisible()) << "closed on cancel";
                                         click(form, "deleteButton");
                                       }}));
  shell.ui.expectMessage(Type::Information, Buttons::OkCancel, QString(), Answer::Cancel);
  shell.ui.expectMessage(Type::Warning, Buttons::YesNoDefaultNo, QString(), Answer::Yes);
  shell.ui.expectModal(kAcc, press("exitButton"));
  runExpenseLoop();

  EXPECT_TRUE(liveHolding(dir(), "ACC", "ACCNO", 5).empty());
  ASSERT_EQ(liveHolding(dir(), "ACC", "ACCNO", 7).size(), 1u) << "the wrong account was deleted";
  EXPECT_EQ(liveHolding(dir(), "ACC", "ACCNO", 7)[0].text("ACDESC"), QStringLiteral("Rent"));
  EXPECT_TRUE(liveHolding(dir(), "GSTEXP1", "ACCNO", 5).empty());
  EXPECT_EQ(liveHolding(dir(), "GSTEXP1", "ACCNO", 7).size(), 1u);
}

TEST_F(AccountWindowTest, ANumberHeldOnlyByADeletedAccountIsFree) {
  db().OpenAcc();
  ASSERT_TRUE(MasterTables::seekLive(db().acc().data, db().acc().AccNo, 7));
  d4delete(db().acc().data);
  code4close(db().code());

  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(kAccount, typeAndSave(7, QStringLiteral("Stationery")));
  shell.ui.expectMessage(Type::Information, Buttons::OkCancel,
                         QStringLiteral("ACCOUNT NUMBER CHANGED!\r\n\r\nIf you continue, all "
                                        "expenses in account 5 will be moved to account number 7 "
                                        "AND Account Number 5 will no longer exist."));
  shell.ui.expectModal(kAcc, press("exitButton"));
  runExpenseLoop();

  const std::vector<Stored> sevens = liveHolding(dir(), "ACC", "ACCNO", 7);
  ASSERT_EQ(sevens.size(), 1u);
  EXPECT_EQ(sevens[0].recNo, 1) << "the renumbered account";
  EXPECT_TRUE(accounts().at(1).deleted) << "the deleted account came back";
}

TEST_F(AccountWindowTest, SavingAnUnchangedNumberWritesNoTransactionAndAsksNothing) {
  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(
      kAccount,
      then({[](QDialog& form) { dynamic_cast<AccountWindow&>(form).flagCheck->setChecked(false); },
            typeAndSave(5, QStringLiteral("Office supplies"))}));
  shell.ui.expectModal(kAcc, press("exitButton"));
  shell.files.clear();
  runExpenseLoop();
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("gstexp1.dbf")), 0);
  const Stored saved = accounts().at(0);
  EXPECT_EQ(saved.number("ACCNO"), 5);
  EXPECT_EQ(saved.text("ACDESC"), QStringLiteral("Office supplies"));
  EXPECT_EQ(saved.fields.at("ACDED"), "F");
}

TEST_F(AccountWindowTest, ANewAccountTakesTheNumberAfterTheHighestEvenWithGaps) {
  shell.ui.expectModal(kAcc, press("newButton"));
  shell.ui.expectModal(kAccount, [](QDialog& form) {
    auto& window = dynamic_cast<AccountWindow&>(form);
    EXPECT_EQ(window.numberEdit->text(), QStringLiteral("10"));
    EXPECT_TRUE(window.descriptionEdit->text().isEmpty());
    EXPECT_TRUE(window.flagCheck->isChecked());
    EXPECT_EQ(window.flagCheck->text(), QStringLiteral("Tax Deductible"));
    EXPECT_FALSE(window.deleteButton->isVisible());
    // A number in use is refused and the window stays.
    typeAndSave(7, QStringLiteral("Travel"))(form);
    EXPECT_TRUE(form.isVisible());
    typeAndSave(12, QStringLiteral("Travel"))(form);
    // Yes: the next number after the highest, an empty description, the box as it was.
    EXPECT_EQ(window.numberEdit->text(), QStringLiteral("13"));
    EXPECT_TRUE(window.descriptionEdit->text().isEmpty());
    window.flagCheck->setChecked(false);
    typeAndSave(13, QStringLiteral("Meals"))(form);
  });
  shell.ui.expectMessage(Type::Information, Buttons::Ok,
                         QStringLiteral("Account number already exists.  Please enter a different "
                                        "number."));
  shell.ui.expectMessage(Type::Confirmation, Buttons::YesNo, QStringLiteral("Add another account?"),
                         Answer::Yes);
  shell.ui.expectMessage(Type::Confirmation, Buttons::YesNo, QStringLiteral("Add another account?"),
                         Answer::No);
  shell.ui.expectModal(kAcc, [](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    EXPECT_EQ(list.grid->currentRow(), rowOf(list, 13)) << "the saved account is current";
    click(form, "exitButton");
  });
  runExpenseLoop();

  ASSERT_EQ(liveHolding(dir(), "ACC", "ACCNO", 12).size(), 1u);
  EXPECT_EQ(liveHolding(dir(), "ACC", "ACCNO", 12)[0].fields.at("ACDED"), "T");
  ASSERT_EQ(liveHolding(dir(), "ACC", "ACCNO", 13).size(), 1u);
  EXPECT_EQ(liveHolding(dir(), "ACC", "ACCNO", 13)[0].fields.at("ACDED"), "F");
  EXPECT_EQ(liveHolding(dir(), "ACC", "ACCNO", 7).size(), 1u);
  expectTagsAgree(dir(), "ACC");
}

TEST_F(AccountWindowTest, AccountZeroIsRefusedOnLeavingTheFieldAndOnSaving) {
  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(kAccount, [](QDialog& form) {
    auto& window = dynamic_cast<AccountWindow&>(form);
    window.numberEdit->setText(QStringLiteral("0"));
    window.numberEdit->runExit();
    EXPECT_EQ(window.numberEdit->text(), QStringLiteral("0"));
    // Enter saves without leaving the field.
    click(form, "saveButton");
    EXPECT_TRUE(form.isVisible());
    window.numberEdit->clear();
    click(form, "saveButton");
    click(form, "cancelButton");
  });
  const QString refused = QStringLiteral("Account Number must be greater than zero.");
  shell.ui.expectMessage(Type::Information, Buttons::Ok, refused);
  shell.ui.expectMessage(Type::Information, Buttons::Ok, refused);
  shell.ui.expectErrorBox(QStringLiteral("Account Number: '' is not a valid integer value"));
  shell.ui.expectModal(kAcc, press("exitButton"));
  shell.files.clear();
  runExpenseLoop();
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("acc.dbf")), 0);
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("gstexp1.dbf")), 0);
}

TEST_F(AccountWindowTest, TheIncomeChartMovesIncomeOnlyImportedAndArchivedIncluded) {
  const long imported = addIncome(db(), 5, 2, 7, true);
  const long archived = addIncome(db(), 5, 2, 8, false, true);
  const long other = addIncome(db(), 6, 2, 9);
  books::addAccount(db(), books::Chart::Income, 6, QStringLiteral("Fees"));
  shell.ui.expectModal(kAcc, [](QDialog& form) {
    auto& list = dynamic_cast<PickList&>(form);
    EXPECT_EQ(list.grid->horizontalHeaderItem(2)->text(), QStringLiteral("Taxable"));
    choose(5)(form);
  });
  shell.ui.expectModal(kAccount, [](QDialog& form) {
    EXPECT_EQ(dynamic_cast<AccountWindow&>(form).flagCheck->text(), QStringLiteral("Taxable"));
    typeAndSave(6, QStringLiteral("Fees and sales"))(form);
  });
  shell.ui.expectMessage(Type::Information, Buttons::OkCancel,
                         QStringLiteral("ACCOUNT NUMBER 6 ALREADY EXISTS.\r\n\r\nIf you continue, "
                                        "all income in account 5 will be merged into account 6 "
                                        "which will be renamed to Fees and sales"));
  shell.ui.expectModal(kAcc, press("exitButton"));
  shell.form->incomeAccountsClicked();
  EXPECT_EQ(shell.state.SelectedIncomeAccount, -1);

  std::map<long, int> incomeAccounts;
  for (const Stored& record : storedRecords(dir(), "GSTINC1")) {
    incomeAccounts[record.recNo] = record.number("INCACC");
  }
  const std::map<long, int> expected{{income5, 6}, {imported, 6}, {archived, 6}, {other, 6}};
  EXPECT_EQ(incomeAccounts, expected);
  EXPECT_EQ(liveHolding(dir(), "GSTEXP1", "ACCNO", 5).size(), 2u) << "expenses followed";
  ASSERT_EQ(liveHolding(dir(), "ACCI", "ACCNO", 6).size(), 1u);
  EXPECT_EQ(storedRecords(dir(), "ACCI").size(), 1u);
  expectTagsAgree(dir(), "ACCI");
  expectTagsAgree(dir(), "GSTINC1");
}

TEST_F(AccountWindowTest, TheIncomeChartsDeleteWarningAndRenumberMessageSpeakOfIncome) {
  shell.ui.expectModal(kAcc, choose(5));
  shell.ui.expectModal(kAccount, then({typeAndSave(3, QStringLiteral("Sales")),
                                       press("deleteButton"), press("cancelButton")}));
  shell.ui.expectMessage(
      Type::Information, Buttons::OkCancel,
      QStringLiteral("ACCOUNT NUMBER CHANGED!\r\n\r\nIf you continue, all income "
                     "in account 5 will be moved to account number 3 AND "
                     "Account Number 5 will no longer exist."),
      Answer::Cancel);
  // Enter keeps the account: No is the default.
  shell.ui.expectEnter(Type::Warning, Buttons::YesNoDefaultNo,
                       QStringLiteral("WARNING: All income assigned to this account will be "
                                      "deleted.\r\n\r\nARE YOU SURE YOU WANT TO DELETE THIS "
                                      "ACCOUNT?"));
  shell.ui.expectModal(kAcc, press("exitButton"));
  shell.files.clear();
  shell.form->incomeAccountsClicked();
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("acci.dbf")), 0);
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("gstinc1.dbf")), 0);
}

TEST_F(AccountWindowTest, AnEmptyChartOffersAccountOne) {
  shell.ui.expectModal(kAcc, press("newButton"));
  shell.ui.expectModal(kAccount, [](QDialog& form) {
    EXPECT_EQ(dynamic_cast<AccountWindow&>(form).numberEdit->text(), QStringLiteral("1"));
    click(form, "helpButton");
    click(form, "cancelButton");
  });
  shell.ui.expectModal(kAcc, press("exitButton"));
  // Income account 5 is the only one: delete it first through the record layer.
  db().OpenAccI();
  d4top(db().accI().data);
  d4delete(db().accI().data);
  code4close(db().code());
  shell.form->incomeAccountsClicked();
  EXPECT_EQ(shell.ui.helpContexts, QList<int>{550});
}

}  // namespace
