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
    page = shell.form->TabSheet3;
    // Focus moves only in an active window.
    shell.form->show();
    shell.form->PageControl1->setCurrentWidget(page);
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
  page->MaskEdit3->setText(QStringLiteral("2"));
  EXPECT_TRUE(page->MaskEdit3->runExit());
  EXPECT_EQ(page->MaskEdit4->text(), QStringLiteral("28"));
  const SettingsRecord stored = storedSettings(books.dir());
  EXPECT_EQ(stored.FyMonth, 2);
  EXPECT_EQ(stored.FyDay, 28);
  EXPECT_EQ(stored.GSTString.trimmed(), QStringLiteral("GST"));
  EXPECT_DOUBLE_EQ(stored.GSTRate, 10.0);
}

TEST_F(SettingsPageTest, AMonthOutsideTheYearIsRefusedAndNothingWritten) {
  page->BtnFont->setFocus();  // as if the user had just left the month for the button
  for (const char* month : {"13", "0"}) {
    page->MaskEdit3->setText(QString::fromLatin1(month));
    shell.ui.expectMessage(QStringLiteral("Month must be between 1 and 12"));
    page->MaskEdit3->runExit();
    EXPECT_TRUE(page->MaskEdit3->hasFocus()) << "the focus left month " << month;
  }
  EXPECT_EQ(settingsWrites(), 0);
  EXPECT_EQ(storedSettings(books.dir()).FyMonth, 7);
  EXPECT_EQ(shell.db().settingsRecord().FyMonth, 7);
}

TEST_F(SettingsPageTest, Day29OfFebruaryIsRefusedWithFocusKept) {
  page->MaskEdit3->setText(QStringLiteral("2"));
  page->MaskEdit3->runExit();
  shell.files.clear();
  page->MaskEdit4->setText(QStringLiteral("29"));
  shell.ui.expectMessage(QStringLiteral("Invalid Day for Specified Month"));
  page->BtnFont->setFocus();
  page->MaskEdit4->runExit();
  EXPECT_TRUE(page->MaskEdit4->hasFocus());
  EXPECT_EQ(settingsWrites(), 0);
  EXPECT_EQ(storedSettings(books.dir()).FyDay, 28);
}

TEST_F(SettingsPageTest, AValidDayIsStored) {
  page->MaskEdit4->setText(QStringLiteral("15"));
  EXPECT_TRUE(page->MaskEdit4->runExit());
  EXPECT_EQ(storedSettings(books.dir()).FyDay, 15);
}

TEST_F(SettingsPageTest, ABlankMonthIsAConversionErrorThatKeepsTheFocus) {
  page->MaskEdit3->clear();
  shell.ui.expectErrorBox(QStringLiteral("'' is not a valid integer value"));
  page->BtnFont->setFocus();
  EXPECT_FALSE(page->MaskEdit3->runExit());
  EXPECT_TRUE(page->MaskEdit3->hasFocus());
  EXPECT_EQ(settingsWrites(), 0);
}

TEST_F(SettingsPageTest, LeavingAFieldForAnotherRunsItsCheck) {
  page->MaskEdit3->setFocus();
  page->MaskEdit3->setText(QStringLiteral("14"));
  shell.ui.expectMessage(QStringLiteral("Month must be between 1 and 12"));
  page->Edit3->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(shell.ui.messages.size(), 1);
  EXPECT_TRUE(page->MaskEdit3->hasFocus());
}

TEST_F(SettingsPageTest, AnUnchangedRateOrTaxStringWritesNothing) {
  page->MaskEdit5->setText(QStringLiteral("10"));
  EXPECT_TRUE(page->MaskEdit5->runExit());
  page->Edit3->setText(QStringLiteral("  GST "));
  EXPECT_TRUE(page->Edit3->runExit());
  EXPECT_EQ(settingsWrites(), 0);
  EXPECT_EQ(page->MaskEdit5->text(), QStringLiteral("10.0000"));
}

TEST_F(SettingsPageTest, ANewRateIsReformattedAndStored) {
  page->MaskEdit5->setText(QStringLiteral(" 12.5"));
  EXPECT_TRUE(page->MaskEdit5->runExit());
  EXPECT_EQ(page->MaskEdit5->text(), QStringLiteral("12.5000"));
  EXPECT_DOUBLE_EQ(storedSettings(books.dir()).GSTRate, 12.5);
}

TEST_F(SettingsPageTest, ARateThatIsNoNumberKeepsTheStoredRate) {
  page->MaskEdit5->setText(QStringLiteral("-"));
  shell.ui.expectErrorBox(QStringLiteral("'-' is not a valid floating point value"));
  page->BtnFont->setFocus();
  EXPECT_FALSE(page->MaskEdit5->runExit());
  EXPECT_TRUE(page->MaskEdit5->hasFocus());
  EXPECT_DOUBLE_EQ(shell.db().settingsRecord().GSTRate, 10.0);
  EXPECT_EQ(settingsWrites(), 0);
}

TEST_F(SettingsPageTest, ANewTaxStringRelabelsTheRateAndIsStoredTrimmed) {
  page->Edit3->setText(QStringLiteral("  VAT  "));
  EXPECT_TRUE(page->Edit3->runExit());
  EXPECT_EQ(page->Label6->text(), QStringLiteral("VAT Rate"));
  EXPECT_EQ(storedSettings(books.dir()).GSTString.trimmed(), QStringLiteral("VAT"));
  EXPECT_EQ(shell.db().settingsRecord().GSTString, QStringLiteral("VAT"));
}

TEST_F(SettingsPageTest, ACancelledFontDialogStillRewritesTheFont) {
  const QFont before = shell.state.ReportFont;
  shell.ui.expectFontDialog([](const QFont& initial) { return initial; });
  page->BtnFont->click();
  EXPECT_GT(settingsWrites(), 0);
  const SettingsRecord stored = storedSettings(books.dir());
  EXPECT_EQ(stored.FontName.trimmed(), before.family());
  EXPECT_EQ(stored.FontSize, before.pointSize());
  EXPECT_EQ(page->Edit1->text(),
            before.family() + QStringLiteral("@") + QString::number(before.pointSize()));
}

TEST_F(SettingsPageTest, AChosenFontBecomesTheReportFont) {
  shell.ui.expectFontDialog([](const QFont&) { return QFont(QStringLiteral("DejaVu Serif"), 11); });
  page->BtnFont->click();
  EXPECT_EQ(shell.state.ReportFont.family(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(page->Edit1->text(), QStringLiteral("DejaVu Serif@11"));
  const SettingsRecord stored = storedSettings(books.dir());
  EXPECT_EQ(stored.FontName.trimmed(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(stored.FontSize, 11);
}

TEST_F(SettingsPageTest, PageSetupShowsThePrinterAndOrientationAndStoresNothing) {
  shell.ui.expectPageSetup([](QPrinter& printer) {
    printer.setPageOrientation(QPageLayout::Landscape);
    return true;
  });
  page->BtnPSetup->click();
  EXPECT_TRUE(page->Edit2->text().endsWith(QStringLiteral("-Landscape")));
  EXPECT_EQ(page->Edit2->text(), shell.state.Printer.description());
  if (shell.state.Printer.printsToPdf()) {
    EXPECT_EQ(page->Edit2->text(), QStringLiteral("PDF file-Landscape"));
  }
  EXPECT_EQ(settingsWrites(), 0);
}

TEST_F(SettingsPageTest, ThePickersSetTheReportRange) {
  shell.form->DateTimePicker1->setDate(QDate(2026, 1, 5));
  shell.form->DateTimePicker2->setDate(QDate(2026, 3, 9));
  EXPECT_EQ(shell.state.ReportStartDate, QDate(2026, 1, 5));
  EXPECT_EQ(shell.state.ReportEndDate, QDate(2026, 3, 9));
  EXPECT_TRUE(shell.form->DateTimePicker1->calendarPopup());
  EXPECT_TRUE(shell.form->DateTimePicker1->displayFormat().contains(QStringLiteral("yyyy")));
}

}  // namespace
