// The income window on real tables: where it differs from the expense window (no cheque,
// payee or memo; the imported flag; the date first) and its round-trips through the table.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "CodeBox.h"
#include "DatePicker.h"
#include "EntryBooks.h"
#include "IncomeWindow.h"
#include "MaskedNumberEdit.h"

namespace {

const QString kAddAnother = QStringLiteral("Add another income record?");

class IncomeTest : public testing::Test {
 protected:
  void SetUp() override {
    books::addAccount(books.db, books::Chart::Income, 4, QStringLiteral("Sales"));
    books::addAccount(books.db, books::Chart::Income, 12, QStringLiteral("Interest"));
    books::addAccount(books.db, books::Chart::Expense, 99, QStringLiteral("Expense chart only"));
    books::addFolder(books.db, 1, QStringLiteral("Shop"));
    books::addFolder(books.db, 3, QStringLiteral("Rental"));
    books.state.DefaultFolder = -1;
  }
  void TearDown() override {
    window.hide();
    books.closeAll();
  }

  void open(int handOver) {
    books.state.SelectedIncome = handOver;
    books.openIncomeTables();
    window.show();
  }
  static void enter(ExitEdit* edit, const QString& text) {
    edit->setText(text);
    edit->runExit();
  }
  void save(Ui::Answer addAnother = Ui::Answer::No) {
    if (books.state.SelectedIncome == 0) books.ui.expectMessage(kAddAnother, addAnother);
    window.saveButton->click();
  }

  EntryBooks books;
  IncomeWindow window{books.db, books.state, books.ui, books.clock};
};

TEST_F(IncomeTest, ANewRecordStartsOnTheDateWithTheIncomeChart) {
  open(0);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Income"));
  EXPECT_EQ(window.dateEdit->date(), QDate(2026, 6, 15));
  EXPECT_EQ(window.focusWidget(), window.dateEdit->lineEdit);
  EXPECT_EQ(window.taxLabel->text(), QStringLiteral("GST Amount:"));
  EXPECT_TRUE(window.includesTaxCheck->isChecked());
  EXPECT_TRUE(window.deleteButton->isHidden());
  ASSERT_EQ(window.accountBox->count(), 2);
  EXPECT_EQ(window.accountBox->itemText(1),
            QStringLiteral("  12 - ") + QStringLiteral("Interest").leftJustified(30));
}

TEST_F(IncomeTest, TheTaxOfAnIncomeAmount) {
  open(0);
  enter(window.amountEdit, QStringLiteral("55"));
  EXPECT_EQ(window.amountEdit->text(), QStringLiteral("    55.00"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     5.00"));
  window.includesTaxCheck->click();
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     0.00"));
}

TEST_F(IncomeTest, ANewRecordIsStoredUnimportedWithItsTagKeys) {
  open(0);
  window.dateEdit->setDate(QDate(2026, 3, 2));
  enter(window.amountEdit, QStringLiteral("110"));
  window.descriptionEdit->setText(QStringLiteral(" Invoice 17 "));
  window.accountBox->setCurrentIndex(1);
  window.folderBox->setCurrentIndex(1);
  save();
  const long saved = books.state.SelectedIncome;
  EXPECT_GT(saved, 0);
  books.closeAll();
  const IncomeRecord stored = books.storedIncome(saved);
  EXPECT_EQ(stored.IncDate, QDate(2026, 3, 2));
  EXPECT_EQ(stored.IncAcc, 12);
  EXPECT_EQ(stored.FolNo, 3);
  EXPECT_EQ(stored.IncDesc.trimmed(), QStringLiteral("Invoice 17"));
  EXPECT_DOUBLE_EQ(stored.IncAmt, 110);
  EXPECT_DOUBLE_EQ(stored.GstI, 10);
  EXPECT_TRUE(stored.lGstI);
  EXPECT_FALSE(stored.IncImp);
  EXPECT_FALSE(stored.Archive);
  EXPECT_EQ(books.seek(true, "IncDate", "20260302"), saved);
  EXPECT_EQ(books.seek(true, "IncAcc", "  1220260302"), saved);
}

TEST_F(IncomeTest, AnEditKeepsTheImportedFlag) {
  IncomeRecord imported;
  imported.IncDate = QDate(2026, 2, 1);
  imported.IncAcc = 4;
  imported.FolNo = 1;
  imported.IncAmt = 33;
  imported.lGstI = true;
  imported.GstI = 3;
  imported.IncImp = true;
  imported.Archive = true;
  const long number = books::addIncome(books.db, imported);
  open(static_cast<int>(number));
  EXPECT_TRUE(window.deleteButton->isVisible());
  EXPECT_EQ(window.amountEdit->text(), QStringLiteral("    33.00"));
  enter(window.amountEdit, QStringLiteral("44"));
  save();
  EXPECT_EQ(books.state.SelectedIncome, number);
  books.closeAll();
  const IncomeRecord stored = books.storedIncome(number);
  EXPECT_TRUE(stored.IncImp);
  EXPECT_FALSE(stored.Archive);
  EXPECT_DOUBLE_EQ(stored.IncAmt, 44);
  EXPECT_DOUBLE_EQ(stored.GstI, 4);
}

TEST_F(IncomeTest, AddAnotherKeepsDateDescriptionAccountAndFolder) {
  open(0);
  window.dateEdit->setDate(QDate(2026, 3, 2));
  enter(window.amountEdit, QStringLiteral("110"));
  window.descriptionEdit->setText(QStringLiteral("Rent"));
  window.accountBox->setCurrentIndex(1);
  window.folderBox->setCurrentIndex(1);
  save(Ui::Answer::Yes);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.amountEdit->text(), QStringLiteral("     0.00"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("    10.00"));
  EXPECT_EQ(window.descriptionEdit->text(), QStringLiteral("Rent"));
  EXPECT_EQ(window.dateEdit->date(), QDate(2026, 3, 2));
  EXPECT_EQ(window.accountBox->currentIndex(), 1);
  EXPECT_EQ(window.folderBox->currentIndex(), 1);
  EXPECT_EQ(window.focusWidget(), window.dateEdit->lineEdit);
  enter(window.amountEdit, QStringLiteral("22"));
  save();
  books.closeAll();
  EXPECT_EQ(books.walk(true, "IncDate").size(), 2u);
  const IncomeRecord second = books.storedIncome(books.state.SelectedIncome);
  EXPECT_DOUBLE_EQ(second.IncAmt, 22);
  EXPECT_DOUBLE_EQ(second.GstI, 2);
  EXPECT_FALSE(second.IncImp);
}

TEST_F(IncomeTest, DeletePacksTheIncomeTable) {
  books.addIncome(QDate(2026, 1, 1), 4, 1, 20);
  const long second = books.addIncome(QDate(2026, 1, 2), 12, 1, 30);
  open(static_cast<int>(second));
  books.ui.expectMessage(Ui::Type::Confirmation, Ui::Buttons::YesNoDefaultNo,
                         QStringLiteral("Delete this income record?"), Ui::Answer::Yes);
  window.deleteButton->click();
  EXPECT_EQ(books.state.SelectedIncome, 0);
  EXPECT_EQ(d4tagSelected(books.db.inc().data), books.db.inc().IncDateTag);
  books.closeAll();
  EXPECT_EQ(books.recordCount(true), 1);
  EXPECT_EQ(books.storedIncome(1).IncAcc, 4);
}

TEST_F(IncomeTest, HelpAndTabOrder) {
  open(0);
  window.helpButton->click();
  EXPECT_EQ(books.ui.helpContexts, QList<int>{510});
  // As on the screen, top to bottom.
  const QList<QWidget*> expected{
      window.dateEdit,        window.amountEdit,   window.includesTaxCheck, window.taxEdit,
      window.descriptionEdit, window.accountBox,   window.folderBox,        window.saveButton,
      window.deleteButton,    window.cancelButton, window.helpButton};
  QList<QWidget*> chain;
  QWidget* widget = window.dateEdit;
  for (int step = 0; step < 40 && chain.size() < expected.size(); ++step) {
    if (expected.contains(widget) && !chain.contains(widget)) chain.append(widget);
    widget = widget->nextInFocusChain();
  }
  EXPECT_EQ(chain, expected);
}

// Keys as on any desktop: F1 opens the window's topic; Enter in a field saves nothing,
// Enter on a focused button presses it.
TEST_F(IncomeTest, F1AndEnterWorkAsOnAnyDesktop) {
  open(0);
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(window.amountEdit, Qt::Key_F1);
  EXPECT_EQ(books.ui.helpContexts, QList<int>{510});
  enter(window.amountEdit, QStringLiteral("10"));
  QTest::keyClick(window.amountEdit, Qt::Key_Return);
  EXPECT_TRUE(window.isVisible());
  window.saveButton->setFocus();
  books.ui.expectMessage(kAddAnother, Ui::Answer::No);
  QTest::keyClick(window.saveButton, Qt::Key_Return);
  EXPECT_FALSE(window.isVisible());
  books.closeAll();
  EXPECT_EQ(books.recordCount(true), 1);
}

TEST(IncomeWithoutMasters, TellsWhatIsMissingAndDisablesSave) {
  EntryBooks books;
  // The expense chart does not count.
  books::addAccount(books.db, books::Chart::Expense, 4, QStringLiteral("Sales"));
  books::addFolder(books.db, 1, QStringLiteral("Shop"));
  books.ui.expectMessage(
      QStringLiteral("Income Accounts must be defined before entering Income Records"));
  books.openIncomeTables();
  IncomeWindow window(books.db, books.state, books.ui, books.clock);
  window.show();
  EXPECT_FALSE(window.saveButton->isEnabled());
  window.hide();
  books.closeAll();
}

}  // namespace
