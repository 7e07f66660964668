// Choosing the books: the order of the start-up's candidates, the first-start question's
// three answers and their refusals, and the remembered books.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>

#include "BooksChooser.h"
#include "DataDirectory.h"
#include "RecentBooks.h"
#include "ScriptedUi.h"
#include "TestBooks.h"
#include "TestShell.h"

namespace {

using Choice = FirstStartDialog::Choice;

const QString kMissing = QStringLiteral(
    "Database files not found in startup directory\r\n"
    "Program must be started from the directory containing the data files.\r\n\r\n");

QString Folder(const TestBooks& books) { return QString::fromStdString(books.dir()); }

struct Chooser {
  Chooser() : recent(home.filePath(QStringLiteral("tallyworth.conf"))) {}

  // The first-start question answered with the button named button.
  void answerQuestion(const char* button) {
    ui.expectModal(QStringLiteral("FirstStartDialog"), [button](QDialog& dialog) {
      dialog.findChild<QPushButton*>(QLatin1String(button))->click();
    });
  }

  QTemporaryDir home;
  ScriptedUi ui;
  RecentBooks recent;
  BooksChooser chooser{ui, xbase::FileSystem::posix(), recent,
                       QStringLiteral(TEST_SOURCE_DIR "/../sample")};
};

TEST(BooksChooser, StartsOnTheNamedFolderThenTheWorkingDirectoryThenTheLastBooks) {
  TestBooks working, last, named;
  QTemporaryDir empty;
  Chooser c;
  c.recent.remember(Folder(last));

  EXPECT_EQ(c.chooser.startupBooks(Folder(named), Folder(working)), Folder(named));
  EXPECT_EQ(c.chooser.startupBooks(QString(), Folder(working)), Folder(working));
  EXPECT_EQ(c.chooser.startupBooks(QString(), empty.path()), Folder(last));
}

TEST(BooksChooser, FirstStartCreatesNewBooksWithTheDefaultSettings) {
  QTemporaryDir empty;
  Chooser c;
  const QString folder = c.home.filePath(QStringLiteral("Books"));
  c.answerQuestion("newBooksButton");
  c.ui.expectFileDialog(QStringLiteral("Choose a folder for the new books"), folder);

  ASSERT_EQ(c.chooser.startupBooks(QString(), empty.path()), folder);
  for (const char* table : DataDirectory::kTableFiles) {
    EXPECT_TRUE(QFile::exists(QDir(folder).filePath(QLatin1String(table)))) << table;
  }
  const SettingsRecord settings = storedSettings(folder.toStdString());
  EXPECT_EQ(settings.FyMonth, 7);
  EXPECT_EQ(settings.FyDay, 1);
  EXPECT_DOUBLE_EQ(settings.GSTRate, 10.0);
  EXPECT_EQ(settings.GSTString.trimmed(), QStringLiteral("GST"));
}

TEST(BooksChooser, FirstStartCopiesTheSampleBooks) {
  QTemporaryDir empty;
  Chooser c;
  const QString folder = c.home.filePath(QStringLiteral("Sample"));

  ASSERT_EQ(c.chooser.startupBooks(QString(), empty.path(),
                                   BooksChooser::Answer{Choice::TrySample, folder}),
            folder);
  for (const char* table : DataDirectory::kTableFiles) {
    QFile copy(QDir(folder).filePath(QLatin1String(table)));
    QFile original(QStringLiteral(TEST_SOURCE_DIR "/../sample/") + QLatin1String(table));
    ASSERT_TRUE(copy.open(QIODevice::ReadWrite) && original.open(QIODevice::ReadOnly)) << table;
    EXPECT_EQ(copy.readAll(), original.readAll()) << table;
  }
}

TEST(BooksChooser, RefusedAnswersAskAgainUntilTheUserQuits) {
  TestBooks existing;
  QTemporaryDir empty;
  Chooser c;
  const QByteArray before = [&] {
    QFile settings(QString::fromStdString(existing.path("TALY1.dbf")));
    settings.open(QIODevice::ReadOnly);
    return settings.readAll();
  }();
  c.ui.expectMessage(Ui::Type::Warning, Ui::Buttons::Ok,
                     QStringLiteral("The new books could not be created in %1:\r\n"
                                    "the folder already holds books")
                         .arg(Folder(existing)));
  c.answerQuestion("openBooksButton");
  c.ui.expectFileDialog(QStringLiteral("Choose the folder of your books"), empty.path());
  c.ui.expectMessage(kMissing + empty.path());
  c.answerQuestion("sampleBooksButton");
  c.ui.expectFileDialog(QStringLiteral("Choose a folder for a copy of the sample books"),
                        QString());  // cancelled: the question comes again
  c.answerQuestion("quitButton");

  EXPECT_EQ(c.chooser.startupBooks(QString(), empty.path(),
                                   BooksChooser::Answer{Choice::CreateNew, Folder(existing)}),
            QString());
  QFile settings(QString::fromStdString(existing.path("TALY1.dbf")));
  ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
  EXPECT_EQ(settings.readAll(), before);
}

TEST(BooksChooser, ReadsAnswersGivenInAdvance) {
  const auto answer = BooksChooser::ParseAnswer(QStringLiteral("sample:/tmp/a:b"));
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->choice, Choice::TrySample);
  EXPECT_EQ(answer->folder, QStringLiteral("/tmp/a:b"));
  EXPECT_EQ(BooksChooser::ParseAnswer(QStringLiteral("open:/b"))->choice, Choice::OpenExisting);
  EXPECT_EQ(BooksChooser::ParseAnswer(QStringLiteral("new:/c"))->choice, Choice::CreateNew);
  for (const char* text : {"", "new:", "/tmp/books", "delete:/tmp"}) {
    EXPECT_FALSE(BooksChooser::ParseAnswer(QLatin1String(text))) << text;
  }
}

TEST(OpenBooks, HandsOverChosenBooksAndKeepsItsOwnWhenTheFolderHasNone) {
  TestBooks current, other;
  QTemporaryDir empty;
  Chooser c;
  c.recent.remember(Folder(other));
  c.recent.remember(Folder(current));
  TestShell shell(current.dir());
  shell.env.books = &c.chooser;
  shell.form.reset();
  shell.form = std::make_unique<MainWindow>(shell.env, shell.state);
  shell.start();
  MainWindow& window = *shell.form;
  ASSERT_EQ(window.recentBooksMenu->actions().size(), 1);
  EXPECT_EQ(window.recentBooksMenu->actions().at(0)->text(), Folder(other));
  auto* open = window.findChild<QAction*>(QStringLiteral("openBooksAction"));

  c.ui.expectFileDialog(QStringLiteral("Choose the folder of your books"), empty.path());
  c.ui.expectMessage(kMissing + empty.path());
  open->trigger();
  EXPECT_EQ(window.nextBooks(), QString());
  EXPECT_NO_FATAL_FAILURE(shell.db().OpenSettings());
  code4close(shell.db().code());

  c.ui.expectFileDialog(QStringLiteral("Choose the folder of your books"), Folder(other));
  open->trigger();
  EXPECT_EQ(window.nextBooks(), Folder(other));
  bool held = true;
  EXPECT_NE(DataDirectory::Lock(current.dir(), &held), nullptr) << "the old books stay locked";
}

TEST(RecentBooks, KeepsTheNewestFiveOnceEachAndSurvivesTheProgram) {
  QTemporaryDir home;
  const QString file = home.filePath(QStringLiteral("config/tallyworth.conf"));
  {
    RecentBooks recent(file);
    for (const char* folder : {"/a", "/b", "/c", "/d", "/e", "/f", "/c/../b"}) {
      recent.remember(QLatin1String(folder));
    }
  }
  EXPECT_EQ(RecentBooks(file).folders(),
            QStringList({QStringLiteral("/b"), QStringLiteral("/f"), QStringLiteral("/e"),
                         QStringLiteral("/d"), QStringLiteral("/c")}));
}

}  // namespace
