// The expense window on real tables: defaults, the tax it computes, and saves, edits and
// deletes that round-trip through the table and its tags.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include "CodeBox.h"
#include "DatePicker.h"
#include "EntryBooks.h"
#include "ExitEdit.h"
#include "ExpenseWindow.h"
#include "MaskedNumberEdit.h"

namespace {

const QString kAddAnother = QStringLiteral("Add another expense record?");
QString conversionIn(const char* field) {
  return QStringLiteral("Data Conversion Error in ") + QString::fromLatin1(field) +
         QStringLiteral(". Please check values and try again");
}

class ExpenseTest : public testing::Test {
 protected:
  void SetUp() override {
    books::addAccount(books.db, books::Chart::Expense, 5, QStringLiteral("Fuel"));
    books::addAccount(books.db, books::Chart::Expense, 12, QStringLiteral("Rent"));
    books::addFolder(books.db, 1, QStringLiteral("Shop"));
    books::addFolder(books.db, 3, QStringLiteral("Rental"));
  }
  void TearDown() override {
    window.hide();
    books.closeAll();
  }

  // Shows the window as the expense loop does, for record handOver (0: a new one).
  void open(int handOver) {
    books.state.SelectedExpense = handOver;
    books.openExpenseTables();
    window.show();
  }
  // Types text into an edit and leaves it.
  static void enter(ExitEdit* edit, const QString& text) {
    edit->setText(text);
    edit->runExit();
  }
  void save(Ui::Answer addAnother = Ui::Answer::No) {
    if (books.state.SelectedExpense == 0) books.ui.expectMessage(kAddAnother, addAnother);
    window.saveButton->click();
  }

  EntryBooks books;
  ExpenseWindow window{books.db, books.state, books.ui, books.clock};
};

TEST_F(ExpenseTest, ANewRecordStartsTodayInTheDefaultFolderIncludingTax) {
  books.state.DefaultFolder = 3;
  open(0);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Expense"));
  EXPECT_EQ(window.dateEdit->date(), QDate(2026, 6, 15));
  EXPECT_EQ(window.chequeEdit->text(), QStringLiteral("0"));
  EXPECT_EQ(window.amountEdit->text(), QStringLiteral("     0.00"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     0.00"));
  EXPECT_TRUE(window.includesTaxCheck->isChecked());
  EXPECT_EQ(window.includesTaxCheck->text(), QStringLiteral("Includes GST"));
  EXPECT_EQ(window.taxLabel->text(), QStringLiteral("GST Amount:"));
  EXPECT_TRUE(window.deleteButton->isHidden());
  EXPECT_TRUE(window.saveButton->isEnabled());
  ASSERT_EQ(window.accountBox->count(), 2);
  EXPECT_EQ(window.accountBox->itemText(0),
            QStringLiteral("   5 - ") + QStringLiteral("Fuel").leftJustified(30));
  EXPECT_EQ(window.accountBox->currentIndex(), 0);
  EXPECT_EQ(window.folderBox->currentText().left(4), QStringLiteral("   3"));
  EXPECT_EQ(window.focusWidget(), window.dateEdit->lineEdit);  // the first field
}

TEST_F(ExpenseTest, WithoutADefaultFolderTheFirstFolderIsOffered) {
  books.state.DefaultFolder = -1;
  open(0);
  EXPECT_EQ(window.folderBox->currentIndex(), 0);
  EXPECT_EQ(window.folderBox->currentText().left(4), QStringLiteral("   1"));
}

TEST_F(ExpenseTest, TheTaxNameComesFromTheSettingsWithoutBlanks) {
  books.setTax(20, QStringLiteral(" VAT  "));
  open(0);
  EXPECT_EQ(window.includesTaxCheck->text(), QStringLiteral("Includes VAT"));
  EXPECT_EQ(window.taxLabel->text(), QStringLiteral("VAT Amount:"));
}

TEST_F(ExpenseTest, LeavingAChangedAmountComputesTheTaxItContains) {
  open(0);
  enter(window.amountEdit, QStringLiteral("110"));
  EXPECT_EQ(window.amountEdit->text(), QStringLiteral("   110.00"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("    10.00"));
  enter(window.amountEdit, QStringLiteral("100"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     9.09"));
}

TEST_F(ExpenseTest, TheBoxClearsAndRestoresTheTax) {
  books.setTax(12.5);
  open(0);
  enter(window.amountEdit, QStringLiteral("112.50"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("    12.50"));
  window.includesTaxCheck->click();
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     0.00"));
  window.includesTaxCheck->click();
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("    12.50"));
}

TEST_F(ExpenseTest, ATypedTaxStandsWhileTheAmountIsLeftUnchanged) {
  open(0);
  enter(window.amountEdit, QStringLiteral("110"));
  enter(window.taxEdit, QStringLiteral("7.5"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     7.50"));
  enter(window.amountEdit, QStringLiteral("110.00"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     7.50"));
  save();
  books.closeAll();
  EXPECT_DOUBLE_EQ(books.storedExpense(books.state.SelectedExpense).GSTE, 7.5);
}

TEST_F(ExpenseTest, WithoutARateTheTaxFieldIsNeverTouched) {
  books.setTax(0);
  open(0);
  EXPECT_FALSE(window.includesTaxCheck->isChecked());
  enter(window.taxEdit, QStringLiteral("3"));
  enter(window.amountEdit, QStringLiteral("110"));
  window.includesTaxCheck->click();
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     3.00"));
}

TEST_F(ExpenseTest, FillingTheBoxComputesOnlyWhenItChangesState) {
  ExpenseRecord typed;  // a tax typed by hand that the rate would not give
  typed.ExpDate = QDate(2026, 2, 1);
  typed.AccNo = 5;
  typed.FolNo = 1;
  typed.Amount = 110;
  typed.LGSTE = true;
  typed.GSTE = 4;
  const long withTax = books::addExpense(books.db, typed);
  typed.LGSTE = false;
  typed.GSTE = 3;
  const long withoutTax = books::addExpense(books.db, typed);

  open(0);  // a new record leaves the box ticked
  window.cancelButton->click();
  books.closeAll();
  open(withTax);  // still ticked: the stored tax is shown
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     4.00"));
  window.cancelButton->click();
  books.closeAll();
  open(withoutTax);  // cleared: counts as a click, the tax becomes 0
  EXPECT_FALSE(window.includesTaxCheck->isChecked());
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     0.00"));
  window.cancelButton->click();
  books.closeAll();
  open(withTax);  // ticked again: computed from the amount shown
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("    10.00"));
}

TEST_F(ExpenseTest, ANewRecordIsStoredWithItsTagKeys) {
  books.state.DefaultFolder = -1;
  open(0);
  enter(window.chequeEdit, QStringLiteral("1234"));
  EXPECT_EQ(window.chequeEdit->text(), QStringLiteral("    1234"));
  window.dateEdit->setDate(QDate(2026, 3, 2));
  enter(window.amountEdit, QStringLiteral("110"));
  window.payToEdit->setText(QStringLiteral("  Acme  "));
  window.memoEdit->setText(QStringLiteral("Paper"));
  window.accountBox->setCurrentIndex(1);
  window.folderBox->setCurrentIndex(1);
  save();
  EXPECT_EQ(window.result(), QDialog::Accepted);
  EXPECT_FALSE(window.isVisible());
  const long saved = books.state.SelectedExpense;
  EXPECT_GT(saved, 0);
  books.closeAll();

  const ExpenseRecord stored = books.storedExpense(saved);
  EXPECT_EQ(stored.ExpDate, QDate(2026, 3, 2));
  EXPECT_EQ(stored.CheckNo, 1234);
  EXPECT_EQ(stored.AccNo, 12);
  EXPECT_EQ(stored.FolNo, 3);
  EXPECT_EQ(stored.PayTo.trimmed(), QStringLiteral("Acme"));
  EXPECT_EQ(stored.EMemo.trimmed(), QStringLiteral("Paper"));
  EXPECT_DOUBLE_EQ(stored.Amount, 110);
  EXPECT_TRUE(stored.LGSTE);
  EXPECT_DOUBLE_EQ(stored.GSTE, 10);
  EXPECT_FALSE(stored.Archive);
  EXPECT_EQ(books.seek(false, "eDate", "20260302  12"), saved);
  EXPECT_EQ(books.seek(false, "eAcc", "  1220260302"), saved);
}

TEST_F(ExpenseTest, AnEditIsStoredInPlaceAndUnarchived) {
  books.addExpense(QDate(2026, 1, 1), 5, 1, 20);
  ExpenseRecord record;
  record.ExpDate = QDate(2026, 3, 2);
  record.CheckNo = 77;
  record.AccNo = 12;
  record.FolNo = 3;
  record.PayTo = QStringLiteral("Landlord");
  record.Amount = 550;
  record.LGSTE = true;
  record.GSTE = 50;
  record.Archive = true;
  const long number = books::addExpense(books.db, record);

  open(static_cast<int>(number));
  EXPECT_TRUE(window.deleteButton->isVisible());
  EXPECT_EQ(window.chequeEdit->text(), QStringLiteral("77"));
  EXPECT_EQ(window.amountEdit->text(), QStringLiteral("   550.00"));
  EXPECT_EQ(window.payToEdit->text(), QStringLiteral("Landlord"));
  EXPECT_EQ(window.accountBox->currentText().left(4), QStringLiteral("  12"));
  EXPECT_EQ(window.folderBox->currentText().left(4), QStringLiteral("   3"));
  enter(window.amountEdit, QStringLiteral("220"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("    20.00"));
  window.accountBox->setCurrentIndex(0);
  save();  // no question for an edit
  EXPECT_EQ(books.state.SelectedExpense, number);
  books.closeAll();

  const ExpenseRecord stored = books.storedExpense(number);
  EXPECT_DOUBLE_EQ(stored.Amount, 220);
  EXPECT_DOUBLE_EQ(stored.GSTE, 20);
  EXPECT_EQ(stored.AccNo, 5);
  EXPECT_FALSE(stored.Archive);
  EXPECT_EQ(books.recordCount(false), 2);
  EXPECT_EQ(books.seek(false, "eAcc", "  1220260302"), 0) << "the old key stayed";
  EXPECT_EQ(books.seek(false, "eAcc", "   520260302"), number);
}

TEST_F(ExpenseTest, AMissingAccountOffersAndSavesTheFirst) {
  const long number = books.addExpense(QDate(2026, 3, 2), 44, 1, 20);
  open(static_cast<int>(number));
  EXPECT_EQ(window.accountBox->currentIndex(), 0);
  save();
  books.closeAll();
  EXPECT_EQ(books.storedExpense(number).AccNo, 5);
}

TEST_F(ExpenseTest, DeleteAsksWithNoAsDefaultThenRemovesTheRecordAtOnce) {
  const long first = books.addExpense(QDate(2026, 1, 1), 5, 1, 20);
  books.addExpense(QDate(2026, 1, 2), 12, 1, 30);
  open(static_cast<int>(first));
  const QString question = QStringLiteral("Delete this expense record?");
  books.ui.expectEnter(Ui::Type::Confirmation, Ui::Buttons::YesNoDefaultNo, question);
  window.deleteButton->click();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(books.state.SelectedExpense, first);
  books.ui.expectMessage(question, Ui::Answer::Yes);
  window.deleteButton->click();
  EXPECT_EQ(books.state.SelectedExpense, 0);
  EXPECT_EQ(window.result(), QDialog::Accepted);
  // The table is open again for the list, with its date order.
  ASSERT_NE(books.db.exp().data, nullptr);
  EXPECT_EQ(d4tagSelected(books.db.exp().data), books.db.exp().eDate);
  books.closeAll();
  EXPECT_EQ(books.recordCount(false), 1) << "the table was not packed";
  EXPECT_EQ(books.storedExpense(1).AccNo, 12);
  EXPECT_EQ(books.walk(false, "eDate"), std::vector<long>{1});
}

TEST_F(ExpenseTest, AddAnotherKeepsTheEntryButChequeAndAmount) {
  books.state.DefaultFolder = -1;
  open(0);
  window.dateEdit->setDate(QDate(2026, 3, 2));
  enter(window.chequeEdit, QStringLiteral("55"));
  enter(window.amountEdit, QStringLiteral("110"));
  window.payToEdit->setText(QStringLiteral("Acme"));
  window.memoEdit->setText(QStringLiteral("Paper"));
  window.accountBox->setCurrentIndex(1);
  window.folderBox->setCurrentIndex(1);
  save(Ui::Answer::Yes);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.chequeEdit->text(), QStringLiteral("0"));
  EXPECT_EQ(window.amountEdit->text(), QStringLiteral("     0.00"));
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("    10.00"));
  EXPECT_EQ(window.payToEdit->text(), QStringLiteral("Acme"));
  EXPECT_EQ(window.memoEdit->text(), QStringLiteral("Paper"));
  EXPECT_EQ(window.dateEdit->date(), QDate(2026, 3, 2));
  EXPECT_EQ(window.accountBox->currentIndex(), 1);
  EXPECT_EQ(window.folderBox->currentIndex(), 1);
  EXPECT_EQ(window.focusWidget(), window.chequeEdit);
  enter(window.amountEdit, QStringLiteral("55"));  // changed from 0: the tax follows
  EXPECT_EQ(window.taxEdit->text(), QStringLiteral("     5.00"));
  save();
  books.closeAll();
  const std::vector<long> stored = books.walk(false, "eDate");
  ASSERT_EQ(stored.size(), 2u);
  const ExpenseRecord second = books.storedExpense(books.state.SelectedExpense);
  EXPECT_EQ(second.CheckNo, 0);
  EXPECT_DOUBLE_EQ(second.Amount, 55);
  EXPECT_DOUBLE_EQ(second.GSTE, 5);
  EXPECT_EQ(second.PayTo.trimmed(), QStringLiteral("Acme"));
  EXPECT_EQ(second.AccNo, 12);
}

TEST_F(ExpenseTest, AValueThatCannotBeReadSavesNothing) {
  open(0);
  window.accountBox->setCurrentIndex(-1);
  books.ui.expectMessage(conversionIn("Account"));
  window.saveButton->click();
  EXPECT_TRUE(window.isVisible());
  books.closeAll();
  EXPECT_EQ(books.recordCount(false), 0);
}

TEST_F(ExpenseTest, AnAmountTooWideForItsFieldAddsNoBlankRecord) {
  open(0);
  window.amountEdit->setText(QStringLiteral("9999999"));
  books.ui.expectMessage(conversionIn("Amount"));
  window.saveButton->click();
  EXPECT_TRUE(window.isVisible());
  books.closeAll();
  EXPECT_EQ(books.recordCount(false), 0);
}

TEST_F(ExpenseTest, CancelWritesNothingAndKeepsTheHandOver) {
  const long number = books.addExpense(QDate(2026, 3, 2), 5, 1, 20);
  open(static_cast<int>(number));
  enter(window.amountEdit, QStringLiteral("99"));
  window.cancelButton->click();
  EXPECT_EQ(books.state.SelectedExpense, number);
  EXPECT_EQ(window.result(), QDialog::Rejected);
  books.closeAll();
  EXPECT_DOUBLE_EQ(books.storedExpense(number).Amount, 20);
}

TEST_F(ExpenseTest, AChequeNumberThatIsNoNumberIsRefusedOnLeavingNamingTheField) {
  open(0);
  books.ui.expectErrorBox(QStringLiteral("Check No: '12a' is not a valid integer value"));
  enter(window.chequeEdit, QStringLiteral("12a"));
  EXPECT_EQ(window.chequeEdit->text(), QStringLiteral("12a"));
}

TEST_F(ExpenseTest, NoChequeNumberIsChequeZero) {
  open(0);
  enter(window.chequeEdit, QString());
  EXPECT_EQ(window.chequeEdit->text(), QStringLiteral("       0"));
  enter(window.amountEdit, QStringLiteral("10"));
  window.chequeEdit->clear();
  save();
  books.closeAll();
  EXPECT_EQ(books.storedExpense(books.state.SelectedExpense).CheckNo, 0);
}

// An amount of 0.00 is saved only on Yes; Enter answers No.
TEST_F(ExpenseTest, AZeroAmountIsSavedOnlyWhenTheUserSaysSo) {
  const QString question =
      QStringLiteral("The amount is 0.00.\r\n\r\nSave this expense record with no amount?");
  open(0);
  books.ui.expectEnter(Ui::Type::Confirmation, Ui::Buttons::YesNoDefaultNo, question);
  window.saveButton->click();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(d4recCountDo(books.db.exp().data), 0);
  books.ui.expectMessage(question, Ui::Answer::Yes);
  save();
  EXPECT_FALSE(window.isVisible());
  books.closeAll();
  EXPECT_EQ(books.recordCount(false), 1);
}

// The date field as a user types into it: keystrokes, then Tab to the next field.
class TypedDateTest : public ExpenseTest {
 protected:
  void typeDate(const QString& text) {
    open(0);
    window.activateWindow();  // focus moves only in an active window
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    window.dateEdit->setFocus();
    window.dateEdit->lineEdit->selectAll();
    QTest::keyClicks(window.dateEdit->lineEdit, text);
    QTest::keyClick(window.dateEdit->lineEdit, Qt::Key_Tab);
  }
};

TEST_F(TypedDateTest, IsReadWhenLeftAndShownInTheShortFormat) {
  typeDate(QStringLiteral("20 Aug 2025"));
  EXPECT_EQ(window.dateEdit->date(), QDate(2025, 8, 20));
  EXPECT_EQ(window.dateEdit->lineEdit->text(), QStringLiteral("20/8/2025"));
  EXPECT_EQ(QApplication::focusWidget(), window.chequeEdit);  // Tab left the field
}

TEST_F(TypedDateTest, TheDropDownCalendarPicksADate) {
  open(0);
  window.dateEdit->calendarButton->click();
  auto* calendar = window.dateEdit->findChild<QCalendarWidget*>(QStringLiteral("calendar"));
  ASSERT_NE(calendar, nullptr);
  EXPECT_TRUE(calendar->isVisible());
  EXPECT_EQ(calendar->selectedDate(), QDate(2026, 6, 15));
  emit calendar->clicked(QDate(2026, 2, 3));
  EXPECT_FALSE(calendar->isVisible());
  EXPECT_EQ(window.dateEdit->date(), QDate(2026, 2, 3));
  EXPECT_EQ(window.dateEdit->lineEdit->text(), QStringLiteral("3/2/2026"));
}

TEST_F(TypedDateTest, AnUnreadableDateIsRefusedNamingTheFieldAndNothingIsSaved) {
  const QString refused = QStringLiteral(
      "Date: '31/2/2025' is not a date.\r\nType the day, month and year (for example "
      "15/7/2025) or pick the date from the calendar.");
  books.ui.expectErrorBox(refused);
  typeDate(QStringLiteral("31/2/2025"));
  EXPECT_EQ(QApplication::focusWidget(), window.dateEdit->lineEdit);
  EXPECT_EQ(window.dateEdit->date(), QDate(2026, 6, 15));  // still the date it showed
  books.ui.expectErrorBox(refused);
  enter(window.amountEdit, QStringLiteral("10"));
  window.saveButton->click();
  EXPECT_TRUE(window.isVisible());
  books.closeAll();
  EXPECT_EQ(books.recordCount(false), 0);
}

TEST(ExpenseWithoutMasters, SaveIsDisabledUntilAccountsAndFoldersExist) {
  EntryBooks books;
  books.ui.expectMessage(
      QStringLiteral("Expense Accounts must be defined before entering Expense Records"));
  books.ui.expectMessage(QStringLiteral("Folders must be defined before entering Expense Records"));
  books.openExpenseTables();
  ExpenseWindow window(books.db, books.state, books.ui, books.clock);
  window.show();
  EXPECT_FALSE(window.saveButton->isEnabled());
  window.hide();
  books.closeAll();
}

TEST_F(ExpenseTest, HelpAndTabOrder) {
  open(0);
  window.helpButton->click();
  EXPECT_EQ(books.ui.helpContexts, QList<int>{530});
  // As on the screen, top to bottom.
  const QList<QWidget*> expected{window.dateEdit,         window.chequeEdit,   window.amountEdit,
                                 window.includesTaxCheck, window.taxEdit,      window.payToEdit,
                                 window.memoEdit,         window.accountBox,   window.folderBox,
                                 window.saveButton,       window.deleteButton, window.cancelButton,
                                 window.helpButton};
  QList<QWidget*> chain;
  QWidget* widget = window.dateEdit;
  for (int step = 0; step < 40 && chain.size() < expected.size(); ++step) {
    if (expected.contains(widget) && !chain.contains(widget)) chain.append(widget);
    widget = widget->nextInFocusChain();
  }
  EXPECT_EQ(chain, expected);
}

}  // namespace
