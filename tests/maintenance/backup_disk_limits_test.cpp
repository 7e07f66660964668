// Backups through the machine's own copier onto a disk without room and into a directory
// the user may not write: each asks the question the user can act on, and neither the
// older backup nor any table is harmed.
#include <gtest/gtest.h>

#include <QDir>
#include <map>

#include "BackupSet.h"
#include "ChildProcess.h"
#include "FileSizeLimit.h"
#include "MaintenanceBooks.h"
#include "ReadOnlyDirectory.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"

namespace {

// Every file in directory with its bytes.
std::map<QString, QByteArray> contents(const QString& directory) {
  std::map<QString, QByteArray> files;
  const QDir dir(directory);
  for (const QString& name : dir.entryList(QDir::Files)) {
    files[name] = MaintenanceBooks::fileBytes(dir.filePath(name));
  }
  return files;
}

class BackupOnALimitedDisk : public testing::Test {
 protected:
  void SetUp() override {
    books::addAccount(books.db, books::Chart::Expense, 1, QStringLiteral("Fuel"), false);
    books::addFolder(books.db, 1, QStringLiteral("Farm"));
    for (int day = 1; day <= 20; ++day) books.addExpense(QDate(2024, 1, day), 1, 10.0 * day);
    ScriptedPrompts quiet;
    ASSERT_TRUE(BackupSet(books.db, quiet, books.progress)
                    .CopyDataFiles(BackupSet::Direction::Backup, backupDir()));
    olderBackup = contents(backupDir());
    for (int day = 1; day <= 10; ++day) books.addExpense(QDate(2024, 2, day), 1, 5.0 * day);
    tables = contents(dataDir());
  }
  QString dataDir() const { return QString::fromStdString(books.books.dir()); }
  QString backupDir() const { return QString::fromStdString(target.path()); }

  MaintenanceBooks books;
  TempDir target;
  std::map<QString, QByteArray> olderBackup;
  std::map<QString, QByteArray> tables;
};

TEST_F(BackupOnALimitedDisk, NoRoomForACopyAsksForAnotherDiskAndKeepsTheOlderBackup) {
  // Room for every copy but the grown expense table's.
  const qint64 room = olderBackup.at(QStringLiteral("GSTEXP1.bak")).size();
  ASSERT_GT(tables.at(QStringLiteral("GSTEXP1.dbf")).size(), room);
  ScriptedPrompts ui;
  ui.expectMessage(Prompts::Type::Information, Prompts::Buttons::OkCancel,
                   QStringLiteral("Disk Full. Insert another disk.GSTEXP1.bak"),
                   Prompts::Answer::Cancel);
  {
    FileSizeLimit full(static_cast<std::uint64_t>(room));
    ASSERT_TRUE(full.applied());
    EXPECT_FALSE(BackupSet(books.db, ui, books.progress)
                     .CopyDataFiles(BackupSet::Direction::Backup, backupDir()));
  }
  const auto now = contents(backupDir());
  EXPECT_EQ(now.at(QStringLiteral("GSTEXP1.bak")), olderBackup.at(QStringLiteral("GSTEXP1.bak")));
  // The tables copied before it hold the new copies; nothing half-written stays behind.
  EXPECT_EQ(now.at(QStringLiteral("ACC.bak")), tables.at(QStringLiteral("ACC.dbf")));
  EXPECT_EQ(now.size(), olderBackup.size());
  EXPECT_EQ(contents(dataDir()), tables);
}

TEST_F(BackupOnALimitedDisk, AFolderTheUserMayNotWriteIsWriteProtectedAndStaysAsItWas) {
  std::string outcome;
  {
    ReadOnlyDirectory readOnly(target.path());
    ReadOnlyDirectory readable(books.books.dir());  // the books must stay readable for nobody
    outcome = runInChild([this] {
      ScriptedPrompts ui;
      ui.expectMessage(Prompts::Type::Information, Prompts::Buttons::OkCancel,
                       QStringLiteral("Disk is Write Protected"), Prompts::Answer::Cancel);
      const bool copied = BackupSet(books.db, ui, books.progress)
                              .CopyDataFiles(BackupSet::Direction::Backup, backupDir());
      return std::string(copied ? "copied" : "not copied") + ": " +
             ui.messages.join(QStringLiteral(" | ")).toStdString();
    });
  }
  EXPECT_EQ(outcome, "not copied: Disk is Write Protected");
  EXPECT_EQ(contents(backupDir()), olderBackup);
  EXPECT_EQ(contents(dataDir()), tables);
}

}  // namespace
