// The report commands of the detail, profit and ledger reports through the main window:
// the account pick list of account-detail mode, the folder choice, the viewer, and the
// monthly profit report's move of the report start. With TALLYWORTH_SHOTS naming a
// directory, each viewer shown is saved there as a picture.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTableWidget>
#include <QTemporaryDir>

#include "DatePicker.h"
#include "PickList.h"
#include "ReportViewer.h"
#include "TestShell.h"

namespace {

class ReportCommands : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    Database& db = shell.db();
    storeSettings(db, {7, 1, QString(), 0, 10.0, QStringLiteral("GST")});
    books::addFolder(db, 1, QStringLiteral("Main Street"));
    books::addAccount(db, books::Chart::Expense, 10, QStringLiteral("Fuel"), true);
    books::addAccount(db, books::Chart::Expense, 20, QStringLiteral("Bank Fees"), false);
    books::addAccount(db, books::Chart::Income, 1, QStringLiteral("Sales"), true);
    addExpense(db, {2024, 3, 4}, 10, 60.00, QStringLiteral("Shell Kew"),
               QStringLiteral("Tank fill, ute"));
    addExpense(db, {2024, 3, 4}, 20, 12.50, QStringLiteral("Bank"));
    addExpense(db, {2024, 4, 30}, 10, 45.00, QStringLiteral("Caltex"));
    books::addIncome(db, {1, QDate(2024, 3, 4), QStringLiteral("Counter sales"), 300.00, 0, 1});
    setRange({2024, 3, 1}, {2024, 4, 30});
  }

  static void addExpense(Database& db, QDate date, int account, double amount, const QString& payTo,
                         const QString& memo = {}) {
    books::addExpense(db, {date, 0, account, 1, payTo, amount, false, 0, memo, false});
  }
  // The range as the user sets it on the "Report Generation" page.
  void setRange(QDate start, QDate end) {
    shell.form->fromDateEdit->setDate(start);
    shell.form->fromDateChanged();
    shell.form->throughDateEdit->setDate(end);
    shell.form->throughDateChanged();
  }
  // Expects the viewer; it exports the report in fixed columns (into lines) and, on
  // request, is saved as the picture shotName.
  void expectViewer(const char* shotName) {
    shell.ui.expectModal(QStringLiteral("ReportF"), [this, shotName](QDialog& viewer) {
      const QString shots = qEnvironmentVariable("TALLYWORTH_SHOTS");
      if (!shots.isEmpty()) {
        EXPECT_TRUE(viewer.grab().save(QDir(shots).filePath(QString::fromLatin1(shotName))));
      }
      static_cast<ReportViewer&>(viewer).asciiTextAction->trigger();
    });
    shell.ui.expectFileDialog(QStringLiteral("Export Report"), exportPath);
  }
  QStringList exported() {
    QFile file(exportPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
    file.remove();  // the next export makes it anew
    return lines;
  }

  TestBooks books;
  TestShell shell{books.dir()};
  QTemporaryDir exportDir;
  const QString exportPath = exportDir.filePath(QStringLiteral("report.txt"));
};

TEST_F(ReportCommands, AccountDetailNewOrAClosedPickListMakesNoReport) {
  shell.ui.expectModal(QStringLiteral("PickAcc"),
                       [](QDialog& list) { static_cast<PickList&>(list).newClicked(); });
  shell.form->expenseAccountDetailClicked();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("E"));
  EXPECT_EQ(shell.state.SelectedExpenseAccount, 0);

  shell.ui.expectModal(QStringLiteral("PickAcc"), [](QDialog& list) {
    // The income chart is listed; the window is closed by its title bar.
    EXPECT_EQ(static_cast<PickList&>(list).grid->horizontalHeaderItem(2)->text(),
              QStringLiteral("Taxable"));
    list.reject();
  });
  shell.form->incomeAccountDetailClicked();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("I"));
  EXPECT_LT(shell.state.SelectedIncomeAccount, 0);
  // Neither went on to the folders, a message or the viewer (the scripted Ui fails on
  // anything unannounced), and every table is closed.
  EXPECT_TRUE(shell.ui.messages.isEmpty());
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(ReportCommands, AccountDetailReportsTheChosenAccount) {
  shell.ui.expectModal(QStringLiteral("PickAcc"), [](QDialog& dialog) {
    auto& list = static_cast<PickList&>(dialog);
    const auto found = list.grid->findItems(QStringLiteral("20"), Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1);
    list.grid->setCurrentCell(found.front()->row(), 0);
    list.selectClicked();
  });
  expectViewer("account-detail.png");
  shell.form->expenseAccountDetailClicked();
  const QStringList lines = exported();
  EXPECT_EQ(lines[2].trimmed(), QStringLiteral("Main Street Bank Fees Expense Detail Report"));
  EXPECT_TRUE(lines[8].startsWith(QStringLiteral("04/03/24          0   20  Bank")));
  EXPECT_TRUE(lines[9].startsWith(QStringLiteral("TOTAL EXPENSES")));
  EXPECT_TRUE(lines[9].endsWith(QStringLiteral("12.50         0.00")));
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(ReportCommands, ExpenseAndIncomeDetailShowTheirReports) {
  expectViewer("expense-detail.png");
  shell.form->expenseDetailClicked();
  const QStringList expenses = exported();
  EXPECT_TRUE(expenses[8].startsWith(QStringLiteral("04/03/24          0   10  Shell Kew")));
  EXPECT_EQ(expenses[9], QString(26, ' ') + QStringLiteral("Tank fill, ute"));
  EXPECT_TRUE(expenses[11].startsWith(QStringLiteral("30/04/24          0   10  Caltex")));
  EXPECT_TRUE(expenses[12].startsWith(QStringLiteral("TOTAL EXPENSES")));
  EXPECT_TRUE(expenses[12].endsWith(QStringLiteral("117.50         0.00")));
  expectViewer("income-detail.png");
  shell.form->incomeDetailClicked();
  EXPECT_TRUE(exported()[8].startsWith(QStringLiteral("04/03/24      1  Counter sales")));
}

TEST_F(ReportCommands, MonthlyProfitStartsOnTheFirstOfTheMonthFromThenOn) {
  setRange({2024, 3, 15}, {2024, 4, 30});
  expectViewer("monthly-profit.png");
  shell.form->monthlyProfitClicked();
  EXPECT_TRUE(exported()[3].contains(QStringLiteral("for 1/3/24 through 30/4/24")));
  EXPECT_EQ(shell.state.ReportStartDate, QDate(2024, 3, 1));
  // The picker still shows the user's date.
  EXPECT_EQ(shell.form->fromDateEdit->date(), QDate(2024, 3, 15));

  // The next report starts there too.
  expectViewer("weekly-profit.png");
  shell.form->weeklyProfitClicked();
  const QStringList weekly = exported();
  EXPECT_TRUE(weekly[3].contains(QStringLiteral("for 1/3/24 through 30/4/24")));
  EXPECT_TRUE(weekly[9].startsWith(QStringLiteral("07/03/24")));  // first week's end
}

TEST_F(ReportCommands, MonthlyProfitLeftAtTheFolderChoiceMovesNothing) {
  books::addFolder(shell.db(), 2, QStringLiteral("Farm"));
  setRange({2024, 3, 15}, {2024, 4, 30});
  shell.ui.expectModal(QStringLiteral("MultFol"), [](QDialog& choice) { choice.reject(); });
  shell.form->monthlyProfitClicked();
  EXPECT_EQ(shell.state.ReportStartDate, QDate(2024, 3, 15));
}

TEST_F(ReportCommands, TheLedgerOfAnEmptyPeriodStillShowsItsOpeningRows) {
  setRange({2025, 1, 1}, {2025, 1, 31});
  expectViewer("general-ledger.png");
  shell.form->generalLedgerClicked();
  const QStringList lines = exported();
  EXPECT_TRUE(lines[8].startsWith(QStringLiteral("          Prior Year Totals")));
  // 300.00 of income less 117.50 of expenses before the fiscal year of 1 July 2024.
  EXPECT_TRUE(lines[8].endsWith(QStringLiteral("182.50")));
  EXPECT_TRUE(lines[10].startsWith(QStringLiteral("          Fiscal YTD Totals")));
}

}  // namespace
