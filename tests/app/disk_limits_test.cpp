// The window program on books it cannot write: a read-only data directory is refused at
// start-up, and a command that meets a full disk says so and ends, after which the next
// start finds every record and every tag whole.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <map>

#include "BooksState.h"
#include "ChildProcess.h"
#include "DirectoryBytes.h"
#include "DiskBooks.h"
#include "EngineMessages.h"
#include "FileSizeLimit.h"
#include "ReadOnlyDirectory.h"
#include "TestShell.h"

namespace {

QString readOnlyMessage(const std::string& dir) {
  return QStringLiteral("The data directory %1 is read-only.\r\nTallyworth needs to write to it.")
      .arg(QString::fromStdString(dir));
}

// Run only by the test below, in a process of its own that may not write the books.
TEST(ReadOnlyBooks, DISABLED_StartUpInAChild) {
  const char* dir = std::getenv("TALLYWORTH_READ_ONLY_BOOKS");
  ASSERT_NE(dir, nullptr);
  TestShell shell(dir);
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok, readOnlyMessage(dir));
  std::string outcome = "started";
  try {
    shell.form->prepare();
  } catch (const ProgramEnded& ended) {
    outcome = "ended " + std::to_string(ended.exitCode) + ": " +
              shell.ui.messages.join(QStringLiteral(" | ")).toStdString();
  }
  EXPECT_TRUE(tellParent(outcome));
}

TEST(ReadOnlyBooks, AreRefusedAtStartUpWithAMessageAndLeftUntouched) {
  DiskBooks b;
  const std::string dir = b.books.dir();
  const auto before = directoryBytes(dir);
  std::string outcome;
  {
    ReadOnlyDirectory readOnly(dir);
    outcome = runTestInChild("ReadOnlyBooks.DISABLED_StartUpInAChild",
                             {{"TALLYWORTH_READ_ONLY_BOOKS", dir}});
  }
  EXPECT_EQ(outcome, "ended 1: " + readOnlyMessage(dir).toStdString());
  EXPECT_EQ(directoryBytes(dir), before);

  // Writable again, the same books start as ever.
  TestShell shell(dir);
  shell.start();
  EXPECT_TRUE(shell.ui.messages.isEmpty()) << shell.ui.messages.join(' ').toStdString();
}

class FullDiskCommand : public testing::Test {
 protected:
  void SetUp() override {
    shell.start();
    before = storedRecords(xbase::FileSystem::posix(), b.books.dir());
  }

  // Runs command on a disk where no file may grow past 1 KB; it must tell the user of the
  // write error and end the program.
  void runOnFullDisk(void (MainWindow::*command)(), const QString& failedFile) {
    FileSizeLimit full(1024);
    ASSERT_TRUE(full.applied());
    shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok, writeErrorIn(failedFile));
    EXPECT_THROW((shell.form.get()->*command)(), ProgramEnded);
  }

  // The next start, with room again: at most its account of the tables it mended, every
  // record as before, every tag agreeing with its table, and a new folder saved.
  void expectNextStartWhole(const QString& mended = {}) {
    shell.form.reset();
    TestShell next(b.books.dir());
    if (!mended.isEmpty()) {
      next.ui.expectMessage(QStringLiteral("Tallyworth mended the books as it started:\r\n") +
                            mended);
    }
    next.start();
    xbase::FileSystem& fs = xbase::FileSystem::posix();
    EXPECT_EQ(storedRecords(fs, b.books.dir()), before);
    EXPECT_EQ(tagFindings(fs, b.books.dir()), std::vector<std::string>());
    books::addFolder(next.db(), 9, QStringLiteral("After the disk was cleared"));
    EXPECT_EQ(storedRecords(fs, b.books.dir())[tables::kFolder].size(),
              before[tables::kFolder].size() + 1);
    EXPECT_EQ(tagFindings(fs, b.books.dir()), std::vector<std::string>());
  }

  DiskBooks b;
  TestShell shell{b.books.dir()};
  std::map<std::string, std::vector<std::string>> before;
};

TEST_F(FullDiskCommand, PackSaysSoAndTheNextStartFindsTheBooksWhole) {
  runOnFullDisk(&MainWindow::packClicked, QStringLiteral("GSTINC1.dbf"));
  expectNextStartWhole();
}

TEST_F(FullDiskCommand, IndexRebuildSaysSoAndTheNextStartMendsTheTags) {
  runOnFullDisk(&MainWindow::rebuildIndexesClicked, QStringLiteral("AccTag.ntx"));
  EXPECT_NE(tagFindings(xbase::FileSystem::posix(), b.books.dir()), std::vector<std::string>())
      << "the rebuild left every tag whole; the test proves nothing";
  expectNextStartWhole(QStringLiteral("ACC was repaired: rebuilt the index group Acc.cgp."));
}

}  // namespace
