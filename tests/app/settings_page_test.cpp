// The "Program Setup" page: checks, messages, focus, and what reaches the settings
// record.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPrinter>
#include <QPushButton>
#include <QTest>

#include "DatePicker.h"
#include "ExitEdit.h"
#include "MaskedNumberEdit.h"
#include "SettingsPage.h"
#include "TestShell.h"

namespace {

class SettingsPageTest : public testing::Test {
 protected:
  void SetUp() override {
    {
      TestShell setup(books.dir());
      storeSettings(setup.db(), {7, 31, QString(), 0, 10.0, QStringLiteral("GST")});
    }
    shell.start();
    page = shell.form->settingsPage;
    // Focus moves only in an active window.
    shell.form->show();
    shell.form->pageTabs->setCurrentWidget(page);
    shell.form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(shell.form.get()));
    shell.files.clear();
  }
  void TearDown() override { shell.form->hide(); }

  int settingsWrites() const { return shell.files.writesTo(QStringLiteral("taly1.dbf")); }

  TestBooks books;
  TestShell shell{books.dir()};
  SettingsPage* page = nullptr;
};

TEST_F(SettingsPageTest, MonthTwoAfterDay31StoresDay28) {
  page->startMonthEdit->setText(QStringLiteral("2"));
  EXPECT_TRUE(page->startMonthEdit->runExit());
  EXPECT_EQ(page->startDayEdit->text(), QStringLiteral("28"));
  const SettingsRecord stored = storedSettings(books.dir());
  EXPECT_EQ(stored.FyMonth, 2);
  EXPECT_EQ(stored.FyDay, 28);
  EXPECT_EQ(stored.GSTString.trimmed(), QStringLiteral("GST"));
  EXPECT_DOUBLE_EQ(stored.GSTRate, 10.0);
}

TEST_F(SettingsPageTest, AMonthOutsideTheYearIsRefusedAndNothingWritten) {
  page->reportFontButton->setFocus();  // as if the user had just left the month for the button
  for (const char* month : {"13", "0"}) {
    page->startMonthEdit->setText(QString::fromLatin1(month));
    shell.ui.expectMessage(QStringLiteral("Month must be between 1 and 12"));
    page->startMonthEdit->runExit();
    EXPECT_TRUE(page->startMonthEdit->hasFocus()) << "the focus left month " << month;
  }
  EXPECT_EQ(settingsWrites(), 0);
  EXPECT_EQ(storedSettings(books.dir()).FyMonth, 7);
  EXPECT_EQ(shell.db().settingsRecord().FyMonth, 7);
}

TEST_F(SettingsPageTest, Day29OfFebruaryIsRefusedWithFocusKept) {
  page->startMonthEdit->setText(QStringLiteral("2"));
  page->startMonthEdit->runExit();
  shell.files.clear();
  page->startDayEdit->setText(QStringLiteral("29"));
  shell.ui.expectMessage(QStringLiteral("Invalid Day for Specified Month"));
  page->reportFontButton->setFocus();
  page->startDayEdit->runExit();
  EXPECT_TRUE(page->startDayEdit->hasFocus());
  EXPECT_EQ(settingsWrites(), 0);
  EXPECT_EQ(storedSettings(books.dir()).FyDay, 28);
}

TEST_F(SettingsPageTest, AValidDayIsStored) {
  page->startDayEdit->setText(QStringLiteral("15"));
  EXPECT_TRUE(page->startDayEdit->runExit());
  EXPECT_EQ(storedSettings(books.dir()).FyDay, 15);
}

TEST_F(SettingsPageTest, ABlankMonthIsAConversionErrorThatKeepsTheFocus) {
  page->startMonthEdit->clear();
  shell.ui.expectErrorBox(
      QStringLiteral("Fiscal Year Start Month: '' is not a valid integer value"));
  page->reportFontButton->setFocus();
  EXPECT_FALSE(page->startMonthEdit->runExit());
  EXPECT_TRUE(page->startMonthEdit->hasFocus());
  EXPECT_EQ(settingsWrites(), 0);
}

TEST_F(SettingsPageTest, LeavingAFieldForAnotherRunsItsCheck) {
  page->startMonthEdit->setFocus();
  page->startMonthEdit->setText(QStringLiteral("14"));
  shell.ui.expectMessage(QStringLiteral("Month must be between 1 and 12"));
  page->taxStringEdit->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(shell.ui.messages.size(), 1);
  EXPECT_TRUE(page->startMonthEdit->hasFocus());
}

TEST_F(SettingsPageTest, AnUnchangedRateOrTaxStringWritesNothing) {
  page->taxRateEdit->setText(QStringLiteral("10"));
  EXPECT_TRUE(page->taxRateEdit->runExit());
  page->taxStringEdit->setText(QStringLiteral("  GST "));
  EXPECT_TRUE(page->taxStringEdit->runExit());
  EXPECT_EQ(settingsWrites(), 0);
  EXPECT_EQ(page->taxRateEdit->text(), QStringLiteral("10.0000"));
}

TEST_F(SettingsPageTest, ANewRateIsReformattedAndStored) {
  page->taxRateEdit->setText(QStringLiteral(" 12.5"));
  EXPECT_TRUE(page->taxRateEdit->runExit());
  EXPECT_EQ(page->taxRateEdit->text(), QStringLiteral("12.5000"));
  EXPECT_DOUBLE_EQ(storedSettings(books.dir()).GSTRate, 12.5);
}

TEST_F(SettingsPageTest, ARateThatIsNoNumberKeepsTheStoredRate) {
  page->taxRateEdit->setText(QStringLiteral("-"));
  shell.ui.expectErrorBox(QStringLiteral("GST Rate: '-' is not a valid floating point value"));
  page->reportFontButton->setFocus();
  EXPECT_FALSE(page->taxRateEdit->runExit());
  EXPECT_TRUE(page->taxRateEdit->hasFocus());
  EXPECT_DOUBLE_EQ(shell.db().settingsRecord().GSTRate, 10.0);
  EXPECT_EQ(settingsWrites(), 0);
}

TEST_F(SettingsPageTest, ANewTaxStringRelabelsTheRateAndIsStoredTrimmed) {
  page->taxStringEdit->setText(QStringLiteral("  VAT  "));
  EXPECT_TRUE(page->taxStringEdit->runExit());
  EXPECT_EQ(page->taxRateLabel->text(), QStringLiteral("VAT Rate"));
  EXPECT_EQ(shell.form->gstSummaryButton->text(), QStringLiteral("VAT Summary"));
  EXPECT_EQ(storedSettings(books.dir()).GSTString.trimmed(), QStringLiteral("VAT"));
  EXPECT_EQ(shell.db().settingsRecord().GSTString, QStringLiteral("VAT"));
}

TEST_F(SettingsPageTest, ACancelledFontDialogStillRewritesTheFont) {
  const QFont before = shell.state.ReportFont;
  shell.ui.expectFontDialog([](const QFont& initial) { return initial; });
  page->reportFontButton->click();
  EXPECT_GT(settingsWrites(), 0);
  const SettingsRecord stored = storedSettings(books.dir());
  EXPECT_EQ(stored.FontName.trimmed(), before.family());
  EXPECT_EQ(stored.FontSize, before.pointSize());
  EXPECT_EQ(page->reportFontEdit->text(),
            before.family() + QStringLiteral("@") + QString::number(before.pointSize()));
}

TEST_F(SettingsPageTest, AChosenFontBecomesTheReportFont) {
  shell.ui.expectFontDialog([](const QFont&) { return QFont(QStringLiteral("DejaVu Serif"), 11); });
  page->reportFontButton->click();
  EXPECT_EQ(shell.state.ReportFont.family(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(page->reportFontEdit->text(), QStringLiteral("DejaVu Serif@11"));
  const SettingsRecord stored = storedSettings(books.dir());
  EXPECT_EQ(stored.FontName.trimmed(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(stored.FontSize, 11);
}

TEST_F(SettingsPageTest, PageSetupShowsThePrinterAndOrientationAndStoresNothing) {
  shell.ui.expectPageSetup([](QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    return true;
  });
  page->pageSetupButton->click();
  EXPECT_TRUE(page->printerEdit->text().endsWith(QStringLiteral("-Landscape")));
  EXPECT_EQ(page->printerEdit->text(), shell.state.Printer.description());
  if (shell.state.Printer.printsToPdf()) {
    EXPECT_EQ(page->printerEdit->text(), QStringLiteral("PDF file-Landscape"));
  }
  EXPECT_EQ(settingsWrites(), 0);
}

TEST_F(SettingsPageTest, TypedDatesSetTheReportRange) {
  for (DatePicker* field : {shell.form->fromDateEdit, shell.form->throughDateEdit}) {
    field->lineEdit->clear();
    QTest::keyClicks(field->lineEdit, field == shell.form->fromDateEdit
                                          ? QStringLiteral("5 Jan 2026")
                                          : QStringLiteral("9.3.26"));
    EXPECT_TRUE(field->lineEdit->runExit());
  }
  EXPECT_EQ(shell.state.ReportStartDate, QDate(2026, 1, 5));
  EXPECT_EQ(shell.state.ReportEndDate, QDate(2026, 3, 9));
  EXPECT_EQ(shell.form->fromDateEdit->lineEdit->text(), QStringLiteral("5/1/2026"));
  EXPECT_EQ(shell.form->throughDateEdit->lineEdit->text(), QStringLiteral("9/3/2026"));
}

}  // namespace
