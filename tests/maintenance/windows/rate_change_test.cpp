// Rate change: amounts of the chosen account in the range re-rated, nothing else
// touched, compounding when applied twice, the checks in their order, the overflow
// refused before anything is written, and the window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QPushButton>

#include "DatePicker.h"
#include "MaintenanceBooks.h"
#include "MaskedNumberEdit.h"
#include "RateChangeDialog.h"
#include "RateChanger.h"
#include "ScriptedUi.h"
#include "TestShell.h"

namespace {

class RateChange : public testing::Test {
 protected:
  void SetUp() override {
    books.addExpense(QDate(2024, 1, 1), 7, 100.00, 9.09);  // 1: first day, chosen account
    books.addExpense(QDate(2024, 1, 1), 8, 100.00, 9.09);  // 2: same day, other account
    books.addExpense(QDate(2024, 3, 31), 7, 50.00);        // 3: last day
    books.addExpense(QDate(2023, 12, 31), 7, 100.00);      // 4: before the range
    books.addExpense(QDate(2024, 4, 1), 7, 100.00);        // 5: after it
  }

  RateChanger::Result apply(double oldRate, double newRate, QDate first = QDate(2024, 1, 1),
                            QDate last = QDate(2024, 3, 31)) {
    books.db.OpenAcc();
    books.db.OpenExp();
    RateChanger::Result result = RateChanger(books.db).Apply({7, oldRate, newRate, first, last});
    code4close(books.db.code());
    return result;
  }
  std::vector<double> amounts() {
    std::vector<double> all;
    for (const ExpenseRecord& r : books.expenses()) all.push_back(r.Amount);
    return all;
  }

  MaintenanceBooks books;
};

TEST_F(RateChange, ReRatesOnlyTheChosenAccountWithinTheRange) {
  const std::vector<ExpenseRecord> before = books.expenses();
  const RateChanger::Result result = apply(0.5, 0.55);
  EXPECT_EQ(result.outcome, RateChanger::Outcome::Applied);
  EXPECT_EQ(result.changed, 2);
  EXPECT_EQ(amounts(), (std::vector<double>{110.00, 100.00, 55.00, 100.00, 100.00}));
  // The amount includes tax: the tax is scaled with it (9.09 x 1.1 to the cent); the
  // flag and every other field keep their values.
  const ExpenseRecord changed = books.expenses().front();
  EXPECT_EQ(changed.GSTE, 10.00);
  EXPECT_TRUE(changed.LGSTE);
  EXPECT_EQ(changed.PayTo, before.front().PayTo);
  EXPECT_EQ(changed.ExpDate, before.front().ExpDate);
  EXPECT_EQ(changed.AccNo, 7);
  // The record without tax keeps none; the other account's tax stays too.
  EXPECT_EQ(books.expenses()[2].GSTE, 0);
  EXPECT_FALSE(books.expenses()[2].LGSTE);
  EXPECT_EQ(books.expenses()[1].GSTE, 9.09);
  EXPECT_EQ(result.taxed, 1);
  EXPECT_EQ(result.message,
            QStringLiteral("Expenses changed: 2, of which 1 with their tax amount."));
}

TEST_F(RateChange, ATaxedRecordKeepsItsContainedTax) {
  books.addExpense(QDate(2024, 2, 1), 7, 110.00, 10.00);
  apply(0.5, 0.55);
  const ExpenseRecord changed = books.expenses().back();
  EXPECT_EQ(changed.Amount, 121.00);
  EXPECT_EQ(changed.GSTE, 11.00);
}

TEST_F(RateChange, CompoundsWhenAppliedTwice) {
  apply(0.5, 0.55);
  apply(0.5, 0.55);
  EXPECT_EQ(amounts(), (std::vector<double>{121.00, 100.00, 60.50, 100.00, 100.00}));
}

TEST_F(RateChange, AnAmountThatWouldNotFitChangesNothing) {
  // 950,000.00 x 1.1 does not fit the nine-character amount; the expense before it in
  // the range would, and must stay as it is too.
  books.addExpense(QDate(2024, 2, 1), 7, 950000.00);
  const RateChanger::Result result = apply(0.5, 0.55);
  EXPECT_EQ(result.outcome, RateChanger::Outcome::AmountTooLarge);
  EXPECT_EQ(result.changed, 0);
  EXPECT_EQ(result.message,
            QStringLiteral("The expense of 950,000.00 dated 1/2/24 would become 1,045,000.00, "
                           "which is too large for its field.\r\nNo amount was changed."));
  EXPECT_EQ(amounts(), (std::vector<double>{100.00, 100.00, 50.00, 100.00, 100.00, 950000.00}));
}

TEST_F(RateChange, ChecksRatesThenDatesInOrder) {
  struct Case {
    double oldRate, newRate;
    QDate first, last;
    RateChanger::Outcome outcome;
    const char* message;
  } cases[] = {
      {0, 0, QDate(2024, 3, 1), QDate(2024, 1, 1), RateChanger::Outcome::RatesZero,
       "RATES MUST BE NON-ZERO"},
      {1, 0, QDate(2024, 1, 1), QDate(2024, 3, 1), RateChanger::Outcome::RatesZero,
       "RATES MUST BE NON-ZERO"},
      {1, 1, QDate(2024, 3, 1), QDate(2024, 1, 1), RateChanger::Outcome::RatesEqual,
       "RATES MUST NOT BE EQUAL"},
      {1, 2, QDate(2024, 3, 1), QDate(2024, 1, 1), RateChanger::Outcome::DatesOutOfOrder,
       "Beginning date must be on or before end date."},
  };
  for (const Case& c : cases) {
    const RateChanger::Result result = apply(c.oldRate, c.newRate, c.first, c.last);
    EXPECT_EQ(result.outcome, c.outcome) << c.message;
    EXPECT_EQ(result.message, QString::fromLatin1(c.message));
  }
  EXPECT_EQ(amounts(), (std::vector<double>{100.00, 100.00, 50.00, 100.00, 100.00}));
}

TEST_F(RateChange, DatesAreMovedIntoTheYearWindowFirst) {
  // The clock says 2026: year 1924 is read as 2024, as a two-digit year would be.
  EXPECT_EQ(apply(0.5, 0.55, QDate(1924, 1, 1), QDate(1924, 3, 31)).changed, 2);
}

TEST_F(RateChange, ARangeWithoutExpensesOfTheAccountChangesNothing) {
  const RateChanger::Result result = apply(0.5, 0.55, QDate(2025, 1, 1), QDate(2025, 12, 31));
  EXPECT_EQ(result.outcome, RateChanger::Outcome::Applied);
  EXPECT_EQ(result.changed, 0);
  EXPECT_EQ(amounts(), (std::vector<double>{100.00, 100.00, 50.00, 100.00, 100.00}));
}

// ---- The window ----

class RateChangeWindow : public testing::Test {
 protected:
  void SetUp() override {
    books::addAccount(books.db, books::Chart::Expense, 7, QStringLiteral("Car travel"), false);
    books::addAccount(books.db, books::Chart::Expense, 12, QStringLiteral("Stationery"), false);
    books.addExpense(QDate(2026, 2, 1), 12, 100.00);
    shell.start();
  }

  MaintenanceBooks books;
  TestShell shell{books.books.dir()};
};

TEST_F(RateChangeWindow, StartsWithTheAccountsRatesOfOneAndThisYearToDate) {
  shell.ui.expectModal(QStringLiteral("RateChange"), [](QDialog& dialog) {
    auto& window = static_cast<RateChangeDialog&>(dialog);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Rate Change"));
    ASSERT_EQ(window.accountBox->count(), 2);
    EXPECT_EQ(window.accountBox->itemText(0).left(18), QStringLiteral("   7 - Car travel "));
    EXPECT_EQ(window.accountBox->currentIndex(), 0);
    EXPECT_EQ(window.oldRateEdit->text(), QStringLiteral("    1.0000"));
    EXPECT_EQ(window.newRateEdit->text(), QStringLiteral("    1.0000"));
    EXPECT_EQ(window.fromDateEdit->date(), QDate(2026, 1, 1));
    EXPECT_EQ(window.throughDateEdit->date(), QDate(2026, 6, 15));
    EXPECT_TRUE(window.applyButton->isEnabled());
    window.cancelClicked();
  });
  shell.form->rateChangeClicked();
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(RateChangeWindow, RefusalsKeepTheWindowOpenAndApplyingClosesIt) {
  shell.ui.expectModal(QStringLiteral("RateChange"), [this](QDialog& dialog) {
    auto& window = static_cast<RateChangeDialog&>(dialog);
    shell.ui.expectMessage(Ui::Type::Warning, Ui::Buttons::Ok,
                           QStringLiteral("RATES MUST NOT BE EQUAL"));
    window.applyClicked();
    EXPECT_TRUE(window.isVisible());
    shell.ui.expectMessage(
        Ui::Type::Warning, Ui::Buttons::Ok,
        QStringLiteral("Data Conversion Error in Old Expense Rate. Please check values and try "
                       "again"));
    window.oldRateEdit->setText(QStringLiteral("  x"));
    window.applyClicked();
    EXPECT_TRUE(window.isVisible());
    window.oldRateEdit->setText(QStringLiteral("    0.5000"));
    window.newRateEdit->setText(QStringLiteral("    0.5500"));
    window.accountBox->setCurrentIndex(1);
    shell.ui.expectMessage(
        Ui::Type::Information, Ui::Buttons::Ok,
        QStringLiteral("Expenses changed: 1, of which 0 with their tax amount."));
    window.applyClicked();
    EXPECT_EQ(window.result(), QDialog::Accepted);
  });
  shell.form->rateChangeClicked();
  EXPECT_EQ(books.expenses().front().Amount, 110.00);
}

TEST(RateChangeWindowEmpty, WithoutExpenseAccountsApplyIsDisabled) {
  MaintenanceBooks books;
  books.db.OpenAcc();
  books.db.OpenExp();
  ScriptedUi ui;
  RateChangeDialog window(books.db, ui, books.clock);
  ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                   QStringLiteral("Expense Accounts must be defined before entering Expense "
                                  "Records"));
  window.prepare();
  EXPECT_FALSE(window.applyButton->isEnabled());
  EXPECT_EQ(window.accountBox->count(), 0);
  code4close(books.db.code());
}

}  // namespace
