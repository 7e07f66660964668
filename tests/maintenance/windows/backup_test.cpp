// Backup and restore of the five tables: a byte-for-byte round trip, a restore that
// cannot fetch every backup changing no table, the disk-full and write-protected
// prompts, bounded retries, copies never left half-written, and the main window's
// commands through the drive and directory chooser.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <deque>
#include <filesystem>
#include <map>

#include "BackupSet.h"
#include "DirectoryChooser.h"
#include "MaintenanceBooks.h"
#include "ScriptedUi.h"
#include "TempDir.h"
#include "TestShell.h"

namespace {

const char* const kTables[] = {"ACC.dbf", "ACCI.dbf", "FOLDER.dbf", "GSTEXP1.dbf", "GSTINC1.dbf"};

// Copies through the machine's copier, except where the test has scripted failures; a
// failed copy leaves half a file behind, as a full disk would.
class ScriptedCopier : public FileCopier {
 public:
  Failure copy(const std::string& from, const std::string& to) override {
    targets.push_back(std::filesystem::path(to).filename().string());
    Failure failure = Failure::None;
    if (!script.empty()) {
      failure = script.front();
      script.pop_front();
    } else if (to.find(failingName) != std::string::npos && !failingName.empty()) {
      failure = Failure::Other;
    }
    if (failure == Failure::None) return FileCopier::posix().copy(from, to);
    std::FILE* half = std::fopen(to.c_str(), "wb");
    if (half) {
      std::fputs("half", half);
      std::fclose(half);
    }
    return failure;
  }

  std::deque<Failure> script;  // the results of the next copies, then success
  std::string failingName;     // copies to a file of this name always fail
  std::vector<std::string> targets;
};

std::map<std::string, QByteArray> snapshot(const QString& dir, const char* extension) {
  std::map<std::string, QByteArray> files;
  for (const char* table : kTables) {
    const QString name =
        QString::fromLatin1(table).replace(QStringLiteral(".dbf"), QString::fromLatin1(extension));
    files[table] = MaintenanceBooks::fileBytes(QDir(dir).filePath(name));
  }
  return files;
}

// Files whose names show a copy or swap left behind.
QStringList leftovers(const QString& dir) {
  return QDir(dir).entryList({QStringLiteral("*.partial"), QStringLiteral("*.replaced")},
                             QDir::Files);
}

class Backup : public testing::Test {
 protected:
  void SetUp() override {
    books::addAccount(books.db, books::Chart::Expense, 1, QStringLiteral("Fuel"), false);
    books::addAccount(books.db, books::Chart::Income, 2, QStringLiteral("Sales"), false);
    books::addFolder(books.db, 1, QStringLiteral("Farm"));
    books.addExpense(QDate(2024, 1, 1), 1, 100.00);
    books.addIncome(QDate(2024, 1, 2), 2, 200.00);
    books.progress.clear();
  }
  QString dataDir() const { return QString::fromStdString(books.books.dir()); }
  QString backupDir() const { return QString::fromStdString(target.path()); }
  bool copy(BackupSet::Direction direction, const QString& dir) {
    return BackupSet(books.db, ui, books.progress, copier).CopyDataFiles(direction, dir);
  }
  // Adds a record to every table, so a restore has something to undo.
  void changeEveryTable() {
    books::addAccount(books.db, books::Chart::Expense, 9, QStringLiteral("Later"), false);
    books::addAccount(books.db, books::Chart::Income, 9, QStringLiteral("Later"), false);
    books::addFolder(books.db, 9, QStringLiteral("Later"));
    books.addExpense(QDate(2024, 5, 1), 9, 1.00);
    books.addIncome(QDate(2024, 5, 1), 9, 1.00);
  }

  MaintenanceBooks books;
  ScriptedUi ui;
  ScriptedCopier copier;
  TempDir target;
};

TEST_F(Backup, ThenRestoreRoundTripsAllFiveTablesByteForByte) {
  const auto tables = snapshot(dataDir(), ".dbf");
  ASSERT_TRUE(copy(BackupSet::Direction::Backup, backupDir()));
  EXPECT_EQ(snapshot(backupDir(), ".bak"), tables);
  EXPECT_EQ(books.progress.progress, (QList<int>{10, 30, 40, 50, 90, 100}));
  EXPECT_EQ(books.progress.statuses, QStringList{QStringLiteral("Copying Data Files")});
  EXPECT_TRUE(leftovers(backupDir()).isEmpty());

  changeEveryTable();
  ASSERT_NE(snapshot(dataDir(), ".dbf"), tables);
  ASSERT_TRUE(copy(BackupSet::Direction::Restore, backupDir()));
  EXPECT_EQ(snapshot(dataDir(), ".dbf"), tables);
  EXPECT_TRUE(leftovers(dataDir()).isEmpty()) << leftovers(dataDir()).join(' ').toStdString();
  // With its indexes rebuilt the restored books read as they were.
  books.db.RebuildIndexes(RebuildMode::Full);
  EXPECT_EQ(books.expenses().size(), 1u);
  EXPECT_EQ(books.income().size(), 1u);
}

TEST_F(Backup, ADirectoryEndingInASlashTakesTheFilesAsWell) {
  ASSERT_TRUE(copy(BackupSet::Direction::Backup, backupDir() + QStringLiteral("/ ")));
  EXPECT_EQ(snapshot(backupDir(), ".bak"), snapshot(dataDir(), ".dbf"));
}

TEST_F(Backup, RestoreFromADirectoryMissingOneBackupChangesNoTable) {
  ASSERT_TRUE(copy(BackupSet::Direction::Backup, backupDir()));
  ASSERT_TRUE(QFile::remove(QDir(backupDir()).filePath(QStringLiteral("ACCI.bak"))));
  changeEveryTable();
  const auto changed = snapshot(dataDir(), ".dbf");
  ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                   QStringLiteral("Unable to find ") + QDir(backupDir()).filePath("ACCI.bak") +
                       QStringLiteral("\r\nFunction Aborted"));
  EXPECT_FALSE(copy(BackupSet::Direction::Restore, backupDir()));
  EXPECT_EQ(snapshot(dataDir(), ".dbf"), changed);
  EXPECT_TRUE(leftovers(dataDir()).isEmpty());
}

TEST_F(Backup, ARestoreCopyThatKeepsFailingGivesUpAndChangesNoTable) {
  ASSERT_TRUE(copy(BackupSet::Direction::Backup, backupDir()));
  changeEveryTable();
  const auto changed = snapshot(dataDir(), ".dbf");
  copier.targets.clear();
  copier.failingName = "GSTEXP1";
  EXPECT_FALSE(copy(BackupSet::Direction::Restore, backupDir()));
  EXPECT_EQ(std::count(copier.targets.begin(), copier.targets.end(), "GSTEXP1.dbf.partial"),
            BackupSet::kMaxTries);
  EXPECT_EQ(snapshot(dataDir(), ".dbf"), changed);
  EXPECT_TRUE(leftovers(dataDir()).isEmpty());
}

// A file system on which putting one restored table in place fails.
class RenameFailing : public RecordingFileSystem {
 public:
  bool rename(const std::string& from, const std::string& to) override {
    if (from.ends_with(".partial") && to.ends_with("GSTINC1.dbf")) return false;
    return RecordingFileSystem::rename(from, to);
  }
};

TEST_F(Backup, ARestoreThatCannotPutEveryTableInPlacePutsTheOldOnesBack) {
  ASSERT_TRUE(copy(BackupSet::Direction::Backup, backupDir()));
  changeEveryTable();
  const auto changed = snapshot(dataDir(), ".dbf");
  RenameFailing files;
  Database db(books.books.dir(), books.host, books.progress, books.clock, files);
  EXPECT_FALSE(BackupSet(db, ui, books.progress, copier)
                   .CopyDataFiles(BackupSet::Direction::Restore, backupDir()));
  EXPECT_EQ(snapshot(dataDir(), ".dbf"), changed);
  EXPECT_TRUE(leftovers(dataDir()).isEmpty()) << leftovers(dataDir()).join(' ').toStdString();
}

TEST_F(Backup, AFullDiskAsksForAnotherAndCopiesTheSameFileAgain) {
  copier.script = {FileCopier::Failure::DiskFull};
  ui.expectMessage(Ui::Type::Information, Ui::Buttons::OkCancel,
                   QStringLiteral("Disk Full. Insert another disk.ACC.bak"), Ui::Answer::Ok);
  EXPECT_TRUE(copy(BackupSet::Direction::Backup, backupDir()));
  EXPECT_EQ(copier.targets.front(), copier.targets[1]);
  EXPECT_EQ(snapshot(backupDir(), ".bak"), snapshot(dataDir(), ".dbf"));
  EXPECT_TRUE(leftovers(backupDir()).isEmpty());
}

TEST_F(Backup, CancelAtTheFullDiskEndsWithoutAHalfCopy) {
  copier.script = {FileCopier::Failure::None, FileCopier::Failure::DiskFull};
  ui.expectMessage(QStringLiteral("Disk Full. Insert another disk.ACCI.bak"), Ui::Answer::Cancel);
  EXPECT_FALSE(copy(BackupSet::Direction::Backup, backupDir()));
  EXPECT_EQ(QDir(backupDir()).entryList(QDir::Files), QStringList{QStringLiteral("ACC.bak")});
}

TEST_F(Backup, AWriteProtectedDiskAsksForAWritableOne) {
  copier.script = {FileCopier::Failure::ReadOnly, FileCopier::Failure::ReadOnly};
  ui.expectMessage(Ui::Type::Information, Ui::Buttons::OkCancel,
                   QStringLiteral("Disk is Write Protected"), Ui::Answer::Ok);
  ui.expectMessage(QStringLiteral("Disk is Write Protected"), Ui::Answer::Cancel);
  EXPECT_FALSE(copy(BackupSet::Direction::Backup, backupDir()));
  EXPECT_TRUE(QDir(backupDir()).entryList(QDir::Files).isEmpty());
}

TEST_F(Backup, OtherFailuresAreTriedABoundedNumberOfTimesAndKeepTheOlderBackup) {
  ASSERT_TRUE(copy(BackupSet::Direction::Backup, backupDir()));
  const auto older = snapshot(backupDir(), ".bak");
  changeEveryTable();
  copier.targets.clear();
  copier.failingName = "FOLDER";
  EXPECT_FALSE(copy(BackupSet::Direction::Backup, backupDir()));
  EXPECT_EQ(std::count(copier.targets.begin(), copier.targets.end(), "FOLDER.bak.partial"),
            BackupSet::kMaxTries);
  // Tables before the failure hold the new copy; the failing one keeps the older one whole.
  EXPECT_EQ(snapshot(backupDir(), ".bak")["ACC.dbf"], books.bytes("ACC.dbf"));
  EXPECT_EQ(snapshot(backupDir(), ".bak")["FOLDER.dbf"], older.at("FOLDER.dbf"));
  EXPECT_TRUE(leftovers(backupDir()).isEmpty());
}

TEST(BackupMedia, RemovableMediaAreThoseMountedUnderMediaOrRunMedia) {
  EXPECT_TRUE(BackupSet::IsRemovable(QStringLiteral("/media/usb")));
  EXPECT_TRUE(BackupSet::IsRemovable(QStringLiteral("/media/joe/STICK/backup/")));
  EXPECT_TRUE(BackupSet::IsRemovable(QStringLiteral("/run/media/joe/STICK")));
  EXPECT_FALSE(BackupSet::IsRemovable(QStringLiteral("/mediafiles/backup")));
  EXPECT_FALSE(BackupSet::IsRemovable(QStringLiteral("/home/joe/media")));
  EXPECT_FALSE(BackupSet::IsRemovable(QStringLiteral("/media")));
}

// ---- The main window's commands ----

class BackupCommands : public Backup {
 protected:
  void SetUp() override {
    Backup::SetUp();
    shell.start();
  }
  // The chooser shows; the user picks dir (empty: Cancel).
  void choose(const QString& caption, const QString& button, const QString& dir) {
    shell.ui.expectModal(QStringLiteral("DriveDir"), [=](QDialog& dialog) {
      auto& chooser = static_cast<DirectoryChooser&>(dialog);
      EXPECT_EQ(chooser.windowTitle(), caption);
      EXPECT_EQ(chooser.okButton->text(), button);
      if (dir.isEmpty()) {
        chooser.cancelClicked();
        return;
      }
      chooser.selectDirectory(dir);
      EXPECT_EQ(chooser.selectedDirectory(), dir);
      chooser.okClicked();
    });
  }

  void expectBackedUp() {
    shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                           QStringLiteral("Backup complete: 5 tables copied to\r\n") + backupDir());
  }
  void backUp() {
    choose(QStringLiteral("Choose Backup Drive & Directory"), QStringLiteral("Backup"),
           backupDir());
    expectBackedUp();
    shell.form->findChild<QAbstractButton*>(QStringLiteral("backupButton"))->click();
  }
  // The question a restore from backupDir() asks first, with the records of this set.
  QString restoreQuestion() const {
    return QStringLiteral("Restore the books from the backup in\r\n") + backupDir() +
           QStringLiteral("\r\nmade ") +
           QLocale().toString(
               QFileInfo(QDir(backupDir()).filePath(QStringLiteral("GSTINC1.bak"))).lastModified(),
               QLocale::ShortFormat) +
           QStringLiteral(
               "?\r\n\r\nExpense accounts: 1 records\r\nIncome accounts: 1 "
               "records\r\nFolders: 1 records\r\nExpenses: 1 records\r\nIncome "
               "records: 1 records\r\n\r\nThe books in use will be replaced by the "
               "backup.");
  }

  TestShell shell{books.books.dir()};
};

TEST_F(BackupCommands, BackupStartsInTheBackupsFolderWritesTheSetAndSaysWhere) {
  const QString backups = dataDir() + QStringLiteral("/backups");
  shell.ui.expectModal(QStringLiteral("DriveDir"), [&](QDialog& dialog) {
    auto& chooser = static_cast<DirectoryChooser&>(dialog);
    EXPECT_EQ(chooser.selectedDirectory(), backups);  // made on first use
    chooser.pathEdit->setText(backupDir());           // typed
    chooser.okClicked();
  });
  expectBackedUp();
  shell.form->findChild<QAbstractButton*>(QStringLiteral("backupButton"))->click();
  EXPECT_EQ(snapshot(backupDir(), ".bak"), snapshot(dataDir(), ".dbf"));
  EXPECT_EQ(shell.form->statusText(), QString());
}

TEST_F(BackupCommands, ABackupIntoTheBooksOwnFolderIsRefused) {
  choose(QStringLiteral("Choose Backup Drive & Directory"), QStringLiteral("Backup"), dataDir());
  shell.ui.expectMessage(
      Ui::Type::Warning, Ui::Buttons::Ok,
      QStringLiteral("A backup cannot go into the folder of the books it copies:\r\n") + dataDir() +
          QStringLiteral("\r\nChoose another folder or disk."));
  shell.form->backupClicked();
  EXPECT_TRUE(QDir(dataDir()).entryList({QStringLiteral("*.bak")}, QDir::Files).isEmpty());
}

TEST_F(BackupCommands, ABackupThatFailsSaysSo) {
  const QString gone = backupDir() + QStringLiteral("/gone");
  ASSERT_TRUE(QDir().mkpath(gone));
  shell.ui.expectModal(QStringLiteral("DriveDir"), [&](QDialog& dialog) {
    auto& chooser = static_cast<DirectoryChooser&>(dialog);
    chooser.selectDirectory(gone);
    chooser.okClicked();
    ASSERT_TRUE(QDir(gone).removeRecursively());  // taken away before the copy
  });
  shell.ui.expectMessage(
      Ui::Type::Information, Ui::Buttons::Ok,
      QStringLiteral("Backup Failed . . Check that disk is not write protected"));
  shell.form->backupClicked();
  EXPECT_EQ(shell.form->statusText(), QString());
}

TEST_F(BackupCommands, RestoreAsksFirstThenPutsTheSetBackAndRebuildsTheIndexes) {
  backUp();
  const auto tables = snapshot(dataDir(), ".dbf");
  changeEveryTable();
  const auto changed = snapshot(dataDir(), ".dbf");
  shell.files.clear();
  // Enter keeps the books: No is the default.
  choose(QStringLiteral("Choose Drive & Directory Containing BACKUP"), QStringLiteral("Restore"),
         backupDir());
  shell.ui.expectEnter(Ui::Type::Confirmation, Ui::Buttons::YesNoDefaultNo, restoreQuestion());
  shell.form->findChild<QAbstractButton*>(QStringLiteral("restoreButton"))->click();
  EXPECT_EQ(snapshot(dataDir(), ".dbf"), changed);
  choose(QStringLiteral("Choose Drive & Directory Containing BACKUP"), QStringLiteral("Restore"),
         backupDir());
  shell.ui.expectMessage(restoreQuestion(), Ui::Answer::Yes);
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                         QStringLiteral("Restore complete: 5 tables restored from\r\n") +
                             backupDir() + QStringLiteral("\r\nand their indexes rebuilt."));
  shell.form->findChild<QAbstractButton*>(QStringLiteral("restoreButton"))->click();
  EXPECT_EQ(snapshot(dataDir(), ".dbf"), tables);
  EXPECT_GT(shell.files.writesTo(QStringLiteral("incdate.ntx")), 0) << "indexes not rebuilt";
  EXPECT_TRUE(shell.state.RefillFolderBox);
  EXPECT_EQ(books.income().size(), 1u);
}

TEST_F(BackupCommands, AFailedRestoreSaysSoAndLeavesTheBooksAndIndexesAlone) {
  TempDir empty;
  shell.files.clear();
  choose(QStringLiteral("Choose Drive & Directory Containing BACKUP"), QStringLiteral("Restore"),
         QString::fromStdString(empty.path()));
  shell.ui.expectMessage(QStringLiteral("Unable to find ") +
                         QString::fromStdString(empty.file("ACC.bak")) +
                         QStringLiteral("\r\nFunction Aborted"));
  shell.ui.expectMessage(Ui::Type::Information, Ui::Buttons::Ok,
                         QStringLiteral("Restore Failed . . Check that your disk is not full."));
  shell.form->restoreClicked();
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("acctag.ntx")), 0);
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("acc.dbf")), 0);
  EXPECT_EQ(books.expenses().size(), 1u);
}

TEST_F(BackupCommands, CancelledChoicesCopyNothing) {
  choose(QStringLiteral("Choose Backup Drive & Directory"), QStringLiteral("Backup"), QString());
  shell.form->backupClicked();
  shell.files.clear();
  choose(QStringLiteral("Choose Drive & Directory Containing BACKUP"), QStringLiteral("Restore"),
         QString());
  shell.form->restoreClicked();
  EXPECT_TRUE(shell.files.changed.isEmpty());
  EXPECT_EQ(shell.files.writesTo(QStringLiteral("acctag.ntx")), 0);
  EXPECT_TRUE(QDir(backupDir()).entryList(QDir::Files).isEmpty());
}

}  // namespace
