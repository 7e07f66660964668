// The main window's summary, GST summary and chart-of-accounts commands: the folder
// choice, the viewer showing the built report (exported from it to prove what it holds)
// or the "no data" message, the cleared status bar, and every table closed afterwards.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "FolderChooser.h"
#include "ReportViewer.h"
#include "TestShell.h"

namespace {

class SummaryCommands : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    shell.state.ReportStartDate = QDate(2026, 5, 1);
    shell.state.ReportEndDate = QDate(2026, 5, 31);
  }
  void addExpense(QDate date, int account, int folder, double amount) {
    books::addExpense(
        shell.db(),
        {date, 0, account, folder, QStringLiteral("Payee"), amount, false, 0, {}, false});
  }
  // Expects the viewer; it exports its report as fixed columns into lines.
  void expectViewer() {
    shell.ui.expectModal(QStringLiteral("ReportF"), [this](QDialog& form) {
      EXPECT_EQ(shell.form->statusText(), QString());
      EXPECT_EQ(shell.form->progressPercent(), 0);
      static_cast<ReportViewer&>(form).asciiTextClicked();
      QFile file(exportPath);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      lines = QString::fromLatin1(file.readAll()).split(QStringLiteral("\r\n"));
      QFile::remove(exportPath);
    });
    shell.ui.expectFileDialog(QStringLiteral("Export Report"), exportPath);
  }
  void expectFolderChoice(bool run) {
    shell.ui.expectModal(QStringLiteral("MultFol"), [run](QDialog& form) {
      auto& choice = static_cast<FolderChooser&>(form);
      choice.allClicked();
      run ? choice.runClicked() : form.reject();
    });
  }

  TestBooks books;
  TestShell shell{books.dir()};
  QTemporaryDir exportDir;
  QString exportPath = exportDir.filePath(QStringLiteral("report.txt"));
  QStringList lines;  // what the viewer exported
};

TEST_F(SummaryCommands, SummaryAsksForFoldersThenShowsTheReport) {
  books::addFolder(shell.db(), 1, QStringLiteral("Shop"));
  books::addFolder(shell.db(), 2, QStringLiteral("Farm"));
  books::addAccount(shell.db(), books::Chart::Expense, 10, QStringLiteral("Fuel"), true);
  addExpense({2026, 5, 3}, 10, 2, 12.34);
  expectFolderChoice(true);
  expectViewer();
  shell.files.clear();
  shell.form->expenseSummaryClicked();
  ASSERT_GE(lines.size(), 10);
  EXPECT_EQ(lines[2].trimmed(), QStringLiteral("Expense Summary Report"));
  EXPECT_EQ(lines[9].left(11), QStringLiteral("   10  Fuel"));
  EXPECT_TRUE(lines.contains(QStringLiteral("Included Folders: ") +
                             QStringLiteral("Shop").leftJustified(30)));
  EXPECT_EQ(shell.files.tablesOpened(),
            (QStringList{QStringLiteral("FOLDER.dbf"), QStringLiteral("GSTEXP1.dbf"),
                         QStringLiteral("ACC.dbf")}));
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(SummaryCommands, CancelledFolderChoiceMakesNoReport) {
  books::addFolder(shell.db(), 1, QStringLiteral("Shop"));
  books::addFolder(shell.db(), 2, QStringLiteral("Farm"));
  expectFolderChoice(false);
  shell.form->incomeSummaryClicked();  // no viewer, no message: the script says so
  EXPECT_EQ(shell.ui.messages, QStringList());
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(SummaryCommands, NoFoldersNoReport) {
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                         QStringLiteral("Create folders before running reports"));
  shell.form->gstSummaryClicked();
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(SummaryCommands, OneFolderWithNothingInTheRangeHasNoData) {
  books::addFolder(shell.db(), 1, QStringLiteral("Shop"));
  books::addAccount(shell.db(), books::Chart::Expense, 10, QStringLiteral("Fuel"), true);
  addExpense({2026, 6, 1}, 10, 1, 5.00);  // after the range
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                         QStringLiteral("Report contains no data."));
  shell.form->expenseSummaryClicked();
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(SummaryCommands, GstSummaryOfTheOnlyFolderNamesIt) {
  books::addFolder(shell.db(), 1, QStringLiteral("Shop"));
  books::addAccount(shell.db(), books::Chart::Income, 1, QStringLiteral("Sales"), true);
  storeSettings(shell.db(), {7, 1, {}, 0, 10, QStringLiteral("VAT")});
  books::addAccount(shell.db(), books::Chart::Expense, 10, QStringLiteral("Fuel"), true);
  addExpense({2026, 5, 31}, 10, 1, 7.00);
  expectViewer();
  shell.form->gstSummaryClicked();
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines[2].trimmed(), QStringLiteral("Shop VAT Summary Report"));
  EXPECT_EQ(lines[7].trimmed().right(9), QStringLiteral("VAT Total"));
}

TEST_F(SummaryCommands, ChartsNeedNoFolders) {
  books::addFolder(shell.db(), 1, QStringLiteral("Shop"));
  books::addFolder(shell.db(), 2, QStringLiteral("Farm"));
  books::addAccount(shell.db(), books::Chart::Income, 3, QStringLiteral("Interest"), false);
  expectViewer();
  shell.form->incomeChartClicked();
  ASSERT_GE(lines.size(), 8);
  EXPECT_EQ(lines[2].trimmed(), QStringLiteral("Income Accounts"));
  EXPECT_EQ(lines[7].trimmed(), QStringLiteral("3     Interest"));
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                         QStringLiteral("Report contains no data."));
  shell.files.clear();
  shell.form->expenseChartClicked();
  EXPECT_EQ(shell.files.tablesOpened(), QStringList{QStringLiteral("ACC.dbf")});
  EXPECT_EQ(shell.files.openFiles, 0);
}

}  // namespace

namespace {

// Pictures of the five reports in the viewer on the sample books, January to March 2026,
// every folder, for looking at them: only when TALLYWORTH_REPORT_PICTURES names a
// directory to save them in.
TEST(SummaryReportPictures, OnTheSampleBooks) {
  const QString out = qEnvironmentVariable("TALLYWORTH_REPORT_PICTURES");
  if (out.isEmpty()) GTEST_SKIP() << "TALLYWORTH_REPORT_PICTURES names no directory";
  QTemporaryDir books;
  const QDir sample(QStringLiteral(TEST_SOURCE_DIR "/../sample"));
  for (const QString& name : sample.entryList({QStringLiteral("*.dbf")})) {
    ASSERT_TRUE(QFile::copy(sample.filePath(name), books.filePath(name))) << name.toStdString();
  }
  TestShell shell(books.path().toStdString());
  shell.start();
  shell.state.ReportStartDate = QDate(2026, 1, 1);
  shell.state.ReportEndDate = QDate(2026, 3, 31);
  const auto grab = [&](void (MainWindow::*command)(), const QString& file, bool folders) {
    if (folders) {
      shell.ui.expectModal(QStringLiteral("MultFol"), [](QDialog& form) {
        static_cast<FolderChooser&>(form).allClicked();
        static_cast<FolderChooser&>(form).runClicked();
      });
    }
    shell.ui.expectModal(QStringLiteral("ReportF"), [&](QDialog& form) {
      form.resize(900, 700);
      static_cast<ReportViewer&>(form).prepare();
      EXPECT_TRUE(form.grab().save(QDir(out).filePath(file))) << file.toStdString();
    });
    (shell.form.get()->*command)();
  };
  grab(&MainWindow::expenseSummaryClicked, QStringLiteral("expense-summary.png"), true);
  grab(&MainWindow::incomeSummaryClicked, QStringLiteral("income-summary.png"), true);
  grab(&MainWindow::gstSummaryClicked, QStringLiteral("gst-summary.png"), true);
  grab(&MainWindow::expenseChartClicked, QStringLiteral("chart-expense.png"), false);
  grab(&MainWindow::incomeChartClicked, QStringLiteral("chart-income.png"), false);
}

}  // namespace
