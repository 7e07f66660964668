// Start-up of the main window: the data-file check, the one-copy lock, the index rebuild
// at start, the settings and captions, the report range and the splash.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>

#include "AboutDialog.h"
#include "DatePicker.h"
#include "MaskedNumberEdit.h"
#include "SettingsPage.h"
#include "TestShell.h"

namespace {

const QString kMissingFiles = QStringLiteral(
    "Database files not found in startup directory\r\n"
    "Program must be started from the directory containing the data files.");

// Names, sizes and modification times of every file in directory.
QStringList snapshot(const std::string& directory) {
  QStringList files;
  for (const QFileInfo& info : QDir(QString::fromStdString(directory)).entryInfoList(QDir::Files)) {
    files.append(QStringLiteral("%1 %2 %3")
                     .arg(info.fileName())
                     .arg(info.size())
                     .arg(info.lastModified().toMSecsSinceEpoch()));
  }
  return files;
}

class MissingDataFile : public testing::TestWithParam<const char*> {};

TEST_P(MissingDataFile, EndsWithTheMessageAndTouchesNoFile) {
  TestBooks books;
  ASSERT_TRUE(QFile::remove(QString::fromStdString(books.path(GetParam()))));
  const QStringList before = snapshot(books.dir());
  TestShell shell(books.dir());
  shell.ui.expectMessage(kMissingFiles + QStringLiteral("\r\n\r\n") +
                         QString::fromStdString(books.dir()));

  try {
    shell.form->prepare();
    FAIL() << "start-up went on without " << GetParam();
  } catch (const ProgramEnded& ended) {
    EXPECT_NE(ended.exitCode, 0);
  }
  EXPECT_TRUE(shell.files.opened.isEmpty()) << shell.files.opened.join(' ').toStdString();
  EXPECT_TRUE(shell.files.changed.isEmpty());
  EXPECT_EQ(snapshot(books.dir()), before);
}

INSTANTIATE_TEST_SUITE_P(EachTable, MissingDataFile,
                         testing::Values("TALY1.dbf", "ACC.dbf", "GSTEXP1.dbf", "FOLDER.dbf",
                                         "GSTINC1.dbf", "ACCI.dbf"));

TEST(Startup, BuildsMissingIndexesSilentlyAndReadsTheSettings) {
  TestBooks books;
  {
    TestShell setup(books.dir());
    storeSettings(setup.db(),
                  {7, 1, QStringLiteral("DejaVu Serif"), 14, 12.5, QStringLiteral("VAT  ")});
  }
  TestShell shell(books.dir());
  shell.start();

  for (const char* file :
       {"AccTag.ntx", "Acc.cgp", "AccITag.ntx", "AccI.cgp", "FolTag.ntx", "Folder.cgp", "EDate.ntx",
        "EAcc.ntx", "GSTEXP1.cgp", "IncDate.ntx", "IncAcc.ntx", "GSTINC1.cgp"}) {
    EXPECT_TRUE(QFile::exists(QString::fromStdString(books.path(file)))) << file;
  }
  EXPECT_TRUE(shell.ui.messages.isEmpty());
  EXPECT_EQ(shell.form->statusText(), QString());
  EXPECT_EQ(shell.files.openFiles, 0) << "a table stayed open after start-up";

  MainWindow& form = *shell.form;
  EXPECT_EQ(form.windowTitle(),
            QStringLiteral("Tallyworth 0.1.0.0 - ") + QString::fromStdString(books.dir()));
  EXPECT_EQ(shell.state.ProgramVersion, QStringLiteral("0.1.0.0"));
  EXPECT_EQ(form.settingsPage->startMonthEdit->text(), QStringLiteral("7"));
  EXPECT_EQ(form.settingsPage->startDayEdit->text(), QStringLiteral("1"));
  EXPECT_EQ(form.settingsPage->taxStringEdit->text(), QStringLiteral("VAT"));
  EXPECT_EQ(form.settingsPage->taxRateLabel->text(), QStringLiteral("VAT Rate"));
  EXPECT_EQ(form.settingsPage->taxRateEdit->text(), QStringLiteral("12.5000"));
  EXPECT_EQ(shell.state.ReportFont.family(), QStringLiteral("DejaVu Serif"));
  EXPECT_EQ(shell.state.ReportFont.pointSize(), 14);
  EXPECT_EQ(form.settingsPage->reportFontEdit->text(), QStringLiteral("DejaVu Serif@14"));
  EXPECT_TRUE(form.settingsPage->printerEdit->text().endsWith(QStringLiteral("-Portrait")) ||
              form.settingsPage->printerEdit->text().endsWith(QStringLiteral("-Landscape")));
  EXPECT_EQ(shell.state.DefaultFolder, -1);
  EXPECT_EQ(shell.state.DefaultFolderIndex, 0);
  EXPECT_FALSE(shell.state.PackPending);
  // The current month of the test clock (15 June 2026) is the report range.
  EXPECT_EQ(shell.state.ReportStartDate, QDate(2026, 6, 1));
  EXPECT_EQ(shell.state.ReportEndDate, QDate(2026, 6, 30));
  EXPECT_EQ(form.fromDateEdit->date(), QDate(2026, 6, 1));
  EXPECT_EQ(form.throughDateEdit->date(), QDate(2026, 6, 30));
}

TEST(Startup, AnEmptyFontNameKeepsTheWindowsFont) {
  TestBooks books;
  TestShell shell(books.dir());
  shell.start();
  EXPECT_EQ(shell.state.ReportFont.family(), shell.form->font().family());
  EXPECT_EQ(shell.state.ReportFont.pointSize(), shell.form->font().pointSize());
}

TEST(Startup, OneDeletedIndexFileRebuildsOnlyItsTable) {
  TestBooks books;
  { TestShell(books.dir()).start(); }
  ASSERT_TRUE(QFile::remove(QString::fromStdString(books.path("EAcc.ntx"))));

  TestShell shell(books.dir());
  shell.ui.expectMessage(
      QStringLiteral("Tallyworth mended the books as it started:\r\n"
                     "GSTEXP1 was repaired: rebuilt the index group GSTEXP1.cgp."));
  shell.start();

  EXPECT_TRUE(QFile::exists(QString::fromStdString(books.path("EAcc.ntx"))));
  for (const char* rebuilt : {"eacc.ntx", "edate.ntx", "gstexp1.cgp"}) {
    EXPECT_GT(shell.files.writesTo(QString::fromLatin1(rebuilt)), 0) << rebuilt;
  }
  for (const char* kept : {"acctag.ntx", "acc.cgp", "accitag.ntx", "acci.cgp", "foltag.ntx",
                           "folder.cgp", "incdate.ntx", "incacc.ntx", "gstinc1.cgp"}) {
    EXPECT_EQ(shell.files.writesTo(QString::fromLatin1(kept)), 0) << kept;
  }
  EXPECT_EQ(shell.form->statusText(), QString());
}

TEST(Startup, AnUnreadableIndexIsRebuiltInsteadOfEndingTheProgram) {
  TestBooks books;
  {
    TestShell setup(books.dir());
    setup.start();
    books::addFolder(setup.db(), 1, QStringLiteral("Shop"));
  }
  QFile damaged(QString::fromStdString(books.path("FolTag.ntx")));
  ASSERT_TRUE(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
  damaged.write(QByteArray(1024, '\xA5'));
  damaged.close();

  TestShell shell(books.dir());
  shell.ui.expectMessage(
      QStringLiteral("Tallyworth mended the books as it started:\r\n"
                     "FOLDER was repaired: rebuilt the index group Folder.cgp."));
  shell.start();  // a fatal box here would fail the scripted Ui

  EXPECT_GT(shell.files.writesTo(QStringLiteral("foltag.ntx")), 0);
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("acctag.ntx")), 0);
  ASSERT_EQ(shell.form->folderBox->count(), 2);
  EXPECT_TRUE(shell.form->folderBox->itemText(1).startsWith(QStringLiteral("   1 - Shop")));
}

TEST(Startup, ASecondCopyOnTheSameBooksRefusesToStart) {
  TestBooks books;
  TestShell first(books.dir());
  first.start();

  TestShell second(books.dir());
  second.ui.expectMessage(
      QStringLiteral("Tallyworth is already running on the data files in this directory.\r\n"
                     "Only one copy of the program may use them at a time."));
  second.files.clear();
  EXPECT_THROW(second.form->prepare(), ProgramEnded);
  EXPECT_TRUE(second.files.opened.isEmpty()) << "the second copy touched the tables";

  // Once the first copy is gone the books open again.
  first.form.reset();
  TestShell third(books.dir());
  third.start();
  EXPECT_TRUE(third.ui.messages.isEmpty());
}

TEST(Startup, TheSplashShowsWithoutItsOkButtonForAtLeastItsTime) {
  TestBooks books;
  TestShell shell(books.dir());
  const std::int64_t start = shell.waitClock.now;
  int pauses = 0;
  shell.waitClock.onIdle = [&] {
    ++pauses;
    EXPECT_TRUE(shell.form->aboutDialog->isVisible());
    EXPECT_FALSE(shell.form->aboutDialog->okButton->isVisible());
    EXPECT_TRUE(shell.state.SplashMode);
  };
  shell.form->prepare();

  EXPECT_GT(pauses, 0);
  EXPECT_GE(shell.waitClock.now - start, 1728);
  EXPECT_LT(shell.waitClock.now - start, 1728 + 100) << "waited far past the splash time";
  EXPECT_FALSE(shell.form->aboutDialog->isVisible());
  EXPECT_FALSE(shell.state.SplashMode);
  EXPECT_EQ(shell.form->aboutDialog->windowTitle(), QStringLiteral("About Tallyworth 0.1.0.0"));
}

TEST(Startup, TheAboutBoxFromTheMenuShowsItsOkButton) {
  TestBooks books;
  TestShell shell(books.dir());
  shell.start();
  shell.state.SplashMode = true;  // the About command clears it itself
  bool okVisible = false;
  shell.ui.expectModal(QStringLiteral("AboutDialog"), [&](QDialog& form) {
    auto* about = static_cast<AboutDialog*>(&form);
    okVisible = about->okButton->isVisible();
    EXPECT_EQ(form.windowTitle(), QStringLiteral("About Tallyworth 0.1.0.0"));
    about->okButton->click();
  });
  shell.form->aboutClicked();
  EXPECT_TRUE(okVisible);
  EXPECT_FALSE(shell.form->aboutDialog->isVisible());
}

TEST(ReportRange, IsTheWholeCurrentMonth) {
  AppState state;
  state.SetCurrentMonth(QDate(2028, 2, 10));
  EXPECT_EQ(state.ReportStartDate, QDate(2028, 2, 1));
  EXPECT_EQ(state.ReportEndDate, QDate(2028, 2, 29));
  state.SetCurrentMonth(QDate(2027, 12, 31));
  EXPECT_EQ(state.ReportStartDate, QDate(2027, 12, 1));
  EXPECT_EQ(state.ReportEndDate, QDate(2027, 12, 31));
  state.SetCurrentMonth(QDate(2026, 4, 1));
  EXPECT_EQ(state.ReportEndDate, QDate(2026, 4, 30));
}

}  // namespace
