// The main window's commands: the tables each opens, in order, all closed afterwards;
// the status bar; help; the shut-down.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPushButton>

#include "HelpWindow.h"
#include "ProgressPanel.h"
#include "TestShell.h"

namespace {

struct Dispatch {
  const char* name;
  void (MainWindow::*handler)();
  QStringList tables;  // opened in this order
  QString list = {};   // the list window the command shows first, left at once; none
  QStringList notices = {};  // what that window says on showing over empty books
};

void PrintTo(const Dispatch& d, std::ostream* os) { *os << d.name; }

const QString kAcc = QStringLiteral("ACC.dbf"), kAccI = QStringLiteral("ACCI.dbf"),
              kFolder = QStringLiteral("FOLDER.dbf"), kExp = QStringLiteral("GSTEXP1.dbf"),
              kInc = QStringLiteral("GSTINC1.dbf");
// What the report commands say over empty books.
const QString kNoFolders = QStringLiteral("Create folders before running reports"),
              kNoData = QStringLiteral("Report contains no data.");

class Commands : public testing::TestWithParam<Dispatch> {
 protected:
  TestBooks books;
  TestShell shell{books.dir()};
};

TEST_P(Commands, OpenTheirTablesInOrderAndCloseThemAll) {
  shell.start();
  shell.files.clear();
  if (!GetParam().list.isEmpty()) {
    shell.ui.expectModal(GetParam().list, [](QDialog& list) { list.reject(); });
  }
  for (const QString& notice : GetParam().notices) shell.ui.expectMessage(notice);
  (shell.form.get()->*GetParam().handler)();
  EXPECT_EQ(shell.files.tablesOpened(), GetParam().tables);
  EXPECT_EQ(shell.files.openFiles, 0) << "tables left open";
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Commands,
    testing::Values(
        Dispatch{"BtnIncome", &MainWindow::BtnIncomeClick, {kInc, kFolder, kAccI}, "PickInc"},
        Dispatch{"BtnExpense", &MainWindow::BtnExpenseClick, {kExp, kFolder, kAcc}, "PickExp"},
        Dispatch{"BtnFolders", &MainWindow::BtnFoldersClick, {kFolder}, "PickFol"},
        Dispatch{"BtnAccountE", &MainWindow::BtnAccountEClick, {kAcc}, "PickAcc"},
        Dispatch{"BtnAccountI", &MainWindow::BtnAccountIClick, {kAccI}, "PickAcc"},
        Dispatch{"BtnImport",
                 &MainWindow::BtnImportClick,
                 {kInc, kFolder, kAccI},
                 "PmtImport",
                 {"Income Accounts must be defined before importing Income Records",
                  "Folders must be defined before importing Income Records"}},
        Dispatch{"BtnRateChange",
                 &MainWindow::BtnRateChangeClick,
                 {kAcc, kExp},
                 "RateChange",
                 {"Expense Accounts must be defined before entering Expense Records"}},
        Dispatch{"ExpenseSummary1", &MainWindow::ExpenseSummary1Click, {kFolder, kExp, kAcc}, {},
                 {kNoFolders}},
        Dispatch{"ExpenseDetail1", &MainWindow::ExpenseDetail1Click, {kFolder, kExp, kAcc}, {},
                 {kNoFolders}},
        Dispatch{"AccountDetail1", &MainWindow::AccountDetail1Click, {kFolder, kExp, kAcc},
                 "PickAcc"},
        Dispatch{"ChartofAccounts1", &MainWindow::ChartofAccounts1Click, {kAcc}, {}, {kNoData}},
        Dispatch{"IncomeSummary1", &MainWindow::IncomeSummary1Click, {kFolder, kInc, kAccI}, {},
                 {kNoFolders}},
        Dispatch{"IncomeDetail1", &MainWindow::IncomeDetail1Click, {kFolder, kInc, kAccI}, {},
                 {kNoFolders}},
        Dispatch{"AccountDetail2", &MainWindow::AccountDetail2Click, {kFolder, kInc, kAccI},
                 "PickAcc"},
        Dispatch{"ChartofAccounts2", &MainWindow::ChartofAccounts2Click, {kAccI}, {}, {kNoData}},
        Dispatch{"BtnGLRpt", &MainWindow::BtnGLRptClick, {kFolder, kExp, kInc}, {}, {kNoFolders}},
        Dispatch{"WeeklyProfit1", &MainWindow::WeeklyProfit1Click,
                 {kFolder, kExp, kInc, kAcc, kAccI}, {}, {kNoFolders}},
        Dispatch{"MonthlyProfit1", &MainWindow::MonthlyProfit1Click,
                 {kFolder, kExp, kInc, kAcc, kAccI}, {}, {kNoFolders}},
        Dispatch{"BtnGSTSRpt", &MainWindow::BtnGSTSRptClick, {kFolder, kExp, kAcc, kInc, kAccI},
                 {}, {kNoFolders}}),
    [](const testing::TestParamInfo<Dispatch>& info) { return std::string(info.param.name); });

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override { shell.start(); }

  // Adds two folders and deletes the first, leaving a deleted record to pack.
  void leaveADeletedFolder() {
    books::addFolder(shell.db(), 1, QStringLiteral("Old"));
    books::addFolder(shell.db(), 2, QStringLiteral("New"));
    Database& db = shell.db();
    db.OpenFolder();
    d4go(db.folder().data, 1);
    d4delete(db.folder().data);
    code4close(db.code());
  }
  long folderRecords() {
    Database& db = shell.db();
    db.OpenFolder();
    const long count = d4recCountDo(db.folder().data);
    code4close(db.code());
    return count;
  }

  TestBooks books;
  TestShell shell{books.dir()};
};

TEST_F(MainWindowTest, ATableThatCannotBeOpenedEndsTheProgramThroughTheUi) {
  ASSERT_TRUE(QFile::remove(QString::fromStdString(books.path("Folder.cgp"))));
  shell.ui.expectMessage(
      QStringLiteral("Unable to open file FolTag.Ntx\r\nProgram will now terminate."));
  try {
    shell.form->BtnExpenseClick();
    FAIL() << "the command went on without its folder table";
  } catch (const ProgramEnded& ended) {
    EXPECT_NE(ended.exitCode, 0);
  }
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(MainWindowTest, AccountCommandsNameTheirChart) {
  const auto leaveTheAccountList = [this] {
    shell.ui.expectModal(QStringLiteral("PickAcc"), [](QDialog& list) { list.reject(); });
  };
  leaveTheAccountList();
  shell.form->AccountDetail1Click();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("E"));
  leaveTheAccountList();
  shell.form->BtnAccountIClick();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("I"));
  leaveTheAccountList();
  shell.form->BtnAccountEClick();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("E"));
  leaveTheAccountList();
  shell.form->AccountDetail2Click();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("I"));
}

TEST_F(MainWindowTest, ArchiveCommandsSetTheDirection) {
  shell.ui.expectModal(QStringLiteral("Archive"), [](QDialog& window) { window.reject(); });
  shell.form->BtnDeArchiveClick();
  EXPECT_FALSE(shell.state.ArchiveDirection);
  shell.ui.expectModal(QStringLiteral("Archive"), [](QDialog& window) { window.reject(); });
  shell.form->BtnArchiveClick();
  EXPECT_TRUE(shell.state.ArchiveDirection);
}

TEST_F(MainWindowTest, ShutDownPacksPendingDeletionsThenEnds) {
  leaveADeletedFolder();
  shell.state.PackPending = true;
  try {
    shell.form->ShutDown();
    FAIL() << "the program went on after its shut-down";
  } catch (const ProgramEnded& ended) {
    EXPECT_EQ(ended.exitCode, 0);
  }
  // A pack writes the table anew and renames it into place.
  for (const char* table : {"GSTINC1.dbf", "FOLDER.dbf", "GSTEXP1.dbf", "ACC.dbf", "ACCI.dbf"}) {
    EXPECT_FALSE(
        shell.files.changed.filter(QStringLiteral(" ") + QString::fromLatin1(table)).isEmpty())
        << table << " was not packed";
  }
  EXPECT_EQ(shell.files.openFiles, 0) << "the library was not released";
  shell.form.reset();
  TestShell after(books.dir());
  after.start();
  EXPECT_EQ(after.form->FolderCBox->count(), 2);
  Database& db = after.db();
  db.OpenFolder();
  EXPECT_EQ(d4recCountDo(db.folder().data), 1) << "the deleted folder is still stored";
  code4close(db.code());
}

TEST_F(MainWindowTest, ShutDownWithoutPendingDeletionsPacksNothing) {
  leaveADeletedFolder();
  EXPECT_THROW(shell.form->ShutDown(), ProgramEnded);
  shell.form.reset();
  TestShell after(books.dir());
  after.start();
  Database& db = after.db();
  db.OpenFolder();
  EXPECT_EQ(d4recCountDo(db.folder().data), 2);
  code4close(db.code());
}

TEST_F(MainWindowTest, ImportPacksPendingDeletionsAndClearsTheFlag) {
  leaveADeletedFolder();
  shell.state.PackPending = true;
  shell.ui.expectModal(QStringLiteral("PmtImport"), [](QDialog& window) { window.reject(); });
  shell.ui.expectMessage(
      QStringLiteral("Income Accounts must be defined before importing Income Records"));
  shell.form->BtnImportClick();
  EXPECT_FALSE(shell.state.PackPending);
  EXPECT_EQ(folderRecords(), 1);
}

TEST_F(MainWindowTest, PackCommandPacksAndClearsItsStatus) {
  leaveADeletedFolder();
  shell.form->Image2Click();
  EXPECT_EQ(folderRecords(), 1);
  EXPECT_EQ(shell.form->statusText(), QString());
  EXPECT_EQ(shell.form->progressPercent(), 0);
}

TEST_F(MainWindowTest, ReIndexRebuildsEveryIndex) {
  shell.files.clear();
  shell.form->BtnReIndexClick();
  for (const char* file : {"acctag.ntx", "accitag.ntx", "foltag.ntx", "edate.ntx", "eacc.ntx",
                           "incdate.ntx", "incacc.ntx"}) {
    EXPECT_GT(shell.files.writesTo(QString::fromLatin1(file)), 0) << file;
  }
  EXPECT_EQ(shell.files.openFiles, 0);
}

TEST_F(MainWindowTest, StatusCaptionClearsTheProgressBar) {
  shell.form->ShowProgress(60);
  EXPECT_EQ(shell.form->progressPercent(), 60);
  shell.form->ShowStatus(QStringLiteral("Packing Data Files"));
  EXPECT_EQ(shell.form->statusText(), QStringLiteral("Packing Data Files"));
  EXPECT_EQ(shell.form->progressPercent(), 0);
  shell.form->ShowStatus(QString());
  EXPECT_EQ(shell.form->statusText(), QString());
}

TEST_F(MainWindowTest, ReportButtonsOpenTheirMenus) {
  for (auto [open, menu] : {std::pair{&MainWindow::BtnExpRptClick, shell.form->PopupMenu1},
                            std::pair{&MainWindow::BtnIncRptClick, shell.form->PopupMenu2},
                            std::pair{&MainWindow::BtnProfRptClick, shell.form->PopupMenu3}}) {
    (shell.form.get()->*open)();
    EXPECT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
    menu->close();
  }
}

TEST_F(MainWindowTest, EachPagesHelpButtonOpensItsTopic) {
  for (const char* button : {"BtnHelp2", "BtnHelp1", "BtnHelp3", "BtnHelp4"}) {
    auto* help = shell.form->findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_NE(help, nullptr) << button;
    help->click();
  }
  EXPECT_EQ(shell.ui.helpContexts, (QList<int>{500, 600, 300, 400}));
  shell.form->Help2Click();
  EXPECT_EQ(shell.ui.contentsShown, 1);
}

TEST(HelpTopics, EveryContextNumberHasItsOwnTopic) {
  QStringList seen;
  for (int context : {10, 300, 400, 430, 500, 510, 520, 530, 540, 550, 570, 600}) {
    const QUrl url = HelpWindow::topicUrl(context);
    EXPECT_NE(url, HelpWindow::contentsUrl()) << context;
    EXPECT_FALSE(seen.contains(url.toString())) << context;
    seen.append(url.toString());
  }
  EXPECT_EQ(HelpWindow::topicUrl(12345), HelpWindow::contentsUrl());
}

TEST(HelpTopics, TheContentsLinkEveryTopic) {
  HelpWindow window;
  window.showPage(HelpWindow::contentsUrl());
  QFile contents(QStringLiteral(":/help/index.html"));
  ASSERT_TRUE(contents.open(QIODevice::ReadOnly));
  const QString html = QString::fromUtf8(contents.readAll());
  for (int context : {10, 300, 400, 430, 500, 510, 520, 530, 540, 550, 570, 600}) {
    EXPECT_TRUE(html.contains(QStringLiteral("href=\"%1.html\"").arg(context))) << context;
  }
}

TEST(ProgressBar, PaintsPercentPixelsOfBlueOverSilver) {
  ProgressPanel panel;
  panel.resize(110, 20);
  const QColor silver(0xC0, 0xC0, 0xC0);
  panel.setPercent(50);
  QImage image = panel.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, 10), QColor(Qt::blue));
  EXPECT_EQ(image.pixelColor(54, 10), QColor(Qt::blue));
  EXPECT_EQ(image.pixelColor(55, 10), silver);
  EXPECT_EQ(image.pixelColor(104, 10), silver);
  EXPECT_NE(image.pixelColor(105, 10), silver);
  EXPECT_NE(image.pixelColor(5, 2), silver);
  EXPECT_EQ(image.pixelColor(5, 3), QColor(Qt::blue));
  EXPECT_NE(image.pixelColor(5, 19), QColor(Qt::blue));
  panel.setPercent(0);
  image = panel.grab().toImage();
  EXPECT_EQ(image.pixelColor(5, 10), silver);
}

}  // namespace
