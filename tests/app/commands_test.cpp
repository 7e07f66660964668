// The main window's commands: the tables each opens, in order, all closed afterwards;
// the status bar; help; the shut-down.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>

#include "HelpWindow.h"
#include "MainPage.h"
#include "ProgressPanel.h"
#include "SettingsPage.h"
#include "TestShell.h"

namespace {

// A command as the user gives it: the button clicked or the menu action triggered.
struct Dispatch {
  const char* name;          // object name of the button or action
  QStringList tables;        // opened in this order
  QString list = {};         // the list window the command shows first, left at once; none
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
  const QString name = QString::fromLatin1(GetParam().name);
  if (auto* button = shell.form->findChild<QAbstractButton*>(name)) {
    button->click();
  } else {
    QAction* action = shell.form->findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << GetParam().name;
    action->trigger();
  }
  EXPECT_EQ(shell.files.tablesOpened(), GetParam().tables);
  EXPECT_EQ(shell.files.openFiles, 0) << "tables left open";
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, Commands,
    testing::Values(
        Dispatch{"incomeButton", {kInc, kFolder, kAccI}, "PickInc"},
        Dispatch{"expensesButton", {kExp, kFolder, kAcc}, "PickExp"},
        Dispatch{"foldersButton", {kFolder}, "PickFol"},
        Dispatch{"expenseAccountsButton", {kAcc}, "PickAcc"},
        Dispatch{"incomeAccountsButton", {kAccI}, "PickAcc"},
        Dispatch{"importButton",
                 {kInc, kFolder, kAccI},
                 "PmtImport",
                 {"Income Accounts must be defined before importing Income Records",
                  "Folders must be defined before importing Income Records"}},
        Dispatch{"rateChangeButton",
                 {kAcc, kExp},
                 "RateChange",
                 {"Expense Accounts must be defined before entering Expense Records"}},
        Dispatch{"expenseSummaryAction", {kFolder, kExp, kAcc}, {}, {kNoFolders}},
        Dispatch{"expenseDetailAction", {kFolder, kExp, kAcc}, {}, {kNoFolders}},
        Dispatch{"expenseAccountDetailAction", {kFolder, kExp, kAcc}, "PickAcc"},
        Dispatch{"expenseChartAction", {kAcc}, {}, {kNoData}},
        Dispatch{"incomeSummaryAction", {kFolder, kInc, kAccI}, {}, {kNoFolders}},
        Dispatch{"incomeDetailAction", {kFolder, kInc, kAccI}, {}, {kNoFolders}},
        Dispatch{"incomeAccountDetailAction", {kFolder, kInc, kAccI}, "PickAcc"},
        Dispatch{"incomeChartAction", {kAccI}, {}, {kNoData}},
        Dispatch{"generalLedgerButton", {kFolder, kExp, kInc}, {}, {kNoFolders}},
        Dispatch{"weeklyProfitAction", {kFolder, kExp, kInc, kAcc, kAccI}, {}, {kNoFolders}},
        Dispatch{"monthlyProfitAction", {kFolder, kExp, kInc, kAcc, kAccI}, {}, {kNoFolders}},
        Dispatch{"gstSummaryButton", {kFolder, kExp, kAcc, kInc, kAccI}, {}, {kNoFolders}},
        Dispatch{"taxReturnButton", {kFolder, kExp, kAcc, kInc, kAccI}, {}, {kNoFolders}}),
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
      QStringLiteral("Unable to open file FolTag.Ntx\r\nThe index group of FOLDER does not "
                     "list it.\r\nProgram will now terminate."));
  try {
    shell.form->expensesClicked();
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
  shell.form->expenseAccountDetailClicked();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("E"));
  leaveTheAccountList();
  shell.form->incomeAccountsClicked();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("I"));
  leaveTheAccountList();
  shell.form->expenseAccountsClicked();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("E"));
  leaveTheAccountList();
  shell.form->incomeAccountDetailClicked();
  EXPECT_EQ(shell.state.AccountKind, QStringLiteral("I"));
}

// An account detail report needs an existing account: its list offers no New.
TEST_F(MainWindowTest, TheAccountDetailListOffersNoNew) {
  const auto newOffered = [this](bool offered) {
    shell.ui.expectModal(QStringLiteral("PickAcc"), [offered](QDialog& list) {
      EXPECT_EQ(list.findChild<QPushButton*>(QStringLiteral("newButton"))->isVisible(), offered);
      list.reject();
    });
  };
  newOffered(false);
  shell.form->findChild<QAction*>(QStringLiteral("incomeAccountDetailAction"))->trigger();
  newOffered(true);
  shell.form->findChild<QAbstractButton*>(QStringLiteral("incomeAccountsButton"))->click();
}

TEST_F(MainWindowTest, ArchiveCommandsSetTheDirection) {
  shell.ui.expectModal(QStringLiteral("Archive"), [](QDialog& window) { window.reject(); });
  shell.form->deArchiveClicked();
  EXPECT_FALSE(shell.state.ArchiveDirection);
  shell.ui.expectModal(QStringLiteral("Archive"), [](QDialog& window) { window.reject(); });
  shell.form->archiveClicked();
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
  EXPECT_EQ(after.form->folderBox->count(), 2);
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
  shell.form->importClicked();
  EXPECT_FALSE(shell.state.PackPending);
  EXPECT_EQ(folderRecords(), 1);
}

TEST_F(MainWindowTest, PackCommandPacksAndSaysWhatItRemoved) {
  leaveADeletedFolder();
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                         QStringLiteral("Tables packed: 1 deleted records removed."));
  shell.form->findChild<QAbstractButton*>(QStringLiteral("packButton"))->click();
  EXPECT_EQ(folderRecords(), 1);
  EXPECT_EQ(shell.form->statusText(), QString());
  EXPECT_EQ(shell.form->progressPercent(), 0);
}

TEST_F(MainWindowTest, ReIndexRebuildsEveryIndex) {
  shell.files.clear();
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                         QStringLiteral("Indexes rebuilt for 5 tables."));
  shell.form->findChild<QAbstractButton*>(QStringLiteral("rebuildIndexesButton"))->click();
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
  for (auto [button, menu] : {std::pair{"expenseReportsButton", shell.form->expenseReportsMenu},
                              std::pair{"incomeReportsButton", shell.form->incomeReportsMenu},
                              std::pair{"profitReportsButton", shell.form->profitReportsMenu}}) {
    shell.form->findChild<QAbstractButton*>(QString::fromLatin1(button))->click();
    EXPECT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
    menu->close();
  }
}

TEST_F(MainWindowTest, EachPagesHelpButtonOpensItsTopic) {
  MainWindow& form = *shell.form;
  for (MainPage* page : {form.incomeExpensePage, form.reportsPage,
                         static_cast<MainPage*>(form.settingsPage), form.maintenancePage}) {
    auto* help = page->findChild<QPushButton*>(QStringLiteral("helpButton"));
    ASSERT_NE(help, nullptr) << page->objectName().toStdString();
    help->click();
  }
  EXPECT_EQ(shell.ui.helpContexts, (QList<int>{500, 600, 300, 400}));
  shell.form->helpContentsClicked();
  EXPECT_EQ(shell.ui.contentsShown, 1);
}

TEST(HelpTopics, EveryContextNumberHasItsOwnTopic) {
  QStringList seen;
  for (int context : {10, 300, 400, 430, 500, 510, 520, 525, 530, 540, 550, 570, 600}) {
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
  for (int context : {10, 300, 400, 430, 500, 510, 520, 525, 530, 540, 550, 570, 600}) {
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
