#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <map>

#include "BookRecords.h"
#include "Database.h"
#include "TableAccess.h"
#include "TestDatabase.h"
#include "xbase/Status.h"

namespace {

// Content and modification time of every index file in the data directory.
struct FileState {
  QByteArray bytes;
  QDateTime modified;
  bool operator==(const FileState&) const = default;
};

class IndexMaintenanceTest : public ::testing::Test {
 protected:
  QString dir() const { return QString::fromStdString(t.books.dir()); }

  std::map<QString, FileState> indexFiles() const {
    std::map<QString, FileState> files;
    for (const QFileInfo& info :
         QDir(dir()).entryInfoList({"*.ntx", "*.cgp"}, QDir::Files | QDir::CaseSensitive)) {
      QFile file(info.filePath());
      EXPECT_TRUE(file.open(QIODevice::ReadOnly));
      files[info.fileName().toLower()] = {file.readAll(), info.lastModified()};
    }
    return files;
  }

  // Back-dates every index file so a rewrite shows in its modification time.
  void backdateIndexFiles() {
    for (const QFileInfo& info : QDir(dir()).entryInfoList({"*.ntx", "*.cgp"}, QDir::Files)) {
      QFile file(info.filePath());
      ASSERT_TRUE(file.open(QIODevice::ReadWrite));
      ASSERT_TRUE(file.setFileTime(kOld, QFileDevice::FileModificationTime));
    }
  }

  QString actualName(const QString& lowerName) const {
    for (const QString& name : QDir(dir()).entryList(QDir::Files)) {
      if (name.toLower() == lowerName) return name;
    }
    return QString();
  }

  void removeIndexFile(const QString& lowerName) {
    const QString name = actualName(lowerName);
    ASSERT_FALSE(name.isEmpty()) << lowerName.toStdString();
    ASSERT_TRUE(QDir(dir()).remove(name));
  }

  // Appends folders 1..count and marks those in deleted.
  void addFolders(int count, std::initializer_list<int> deleted) {
    db.OpenFolder();
    for (int i = 1; i <= count; ++i) {
      ASSERT_NE(db.AppendFolder({i, "F"}), Database::kNotAppended);
    }
    for (int recno : deleted) {
      ASSERT_EQ(d4go(db.folder().data, recno), xbase::kSuccess);
      d4delete(db.folder().data);
    }
    code4close(db.code());
  }

  const QDateTime kOld = QDateTime(QDate(2000, 1, 1), QTime(12, 0));
  TestDatabase t;
  Database& db = t.db;
};

TEST_F(IndexMaintenanceTest, FullRebuildReportsProgressAndRestoresSettings) {
  db.RebuildIndexes(RebuildMode::Full);
  EXPECT_EQ(t.progress.events,
            QStringList({"status:Rebuilding Indexes", "progress:20", "progress:35", "progress:45",
                         "progress:50", "progress:80", "progress:100", "status:"}));
  EXPECT_TRUE(db.code()->autoOpen);
  EXPECT_TRUE(db.code()->safety);
  EXPECT_FALSE(db.code()->exclusive);
  EXPECT_EQ(indexFiles().size(), 12u);  // 7 tags and 5 groups
  EXPECT_TRUE(t.host.messages.isEmpty());
}

TEST_F(IndexMaintenanceTest, MissingOnlyWithEverythingPresentDoesNothing) {
  backdateIndexFiles();
  const auto before = indexFiles();
  db.RebuildIndexes(RebuildMode::MissingOnly);
  EXPECT_TRUE(t.progress.events.isEmpty());
  EXPECT_EQ(indexFiles(), before);
}

TEST_F(IndexMaintenanceTest, MissingOnlyRebuildsJustTheTableWithAFileMissing) {
  books::addIncome(db, {7, QDate(2026, 2, 1), "Fee", 10, 1, 1, true, false, false});
  backdateIndexFiles();
  const auto before = indexFiles();
  removeIndexFile("incacc.ntx");

  db.RebuildIndexes(RebuildMode::MissingOnly);

  EXPECT_TRUE(t.progress.events.isEmpty());
  const auto after = indexFiles();
  ASSERT_EQ(after.size(), before.size());
  for (const auto& [name, state] : before) {
    const bool income = name.startsWith("inc") || name == "gstinc1.cgp";
    ASSERT_TRUE(after.count(name)) << name.toStdString();
    if (income) {
      EXPECT_NE(after.at(name).modified, kOld) << name.toStdString() << " not re-created";
    } else {
      EXPECT_EQ(after.at(name), state) << name.toStdString() << " touched";
    }
  }
  // The re-created tag works.
  db.OpenInc();
  d4tagSelectP(db.inc().data, db.inc().IncAccTag);
  EXPECT_EQ(d4seek(db.inc().data, "   720260201"), xbase::kSuccess);
}

TEST_F(IndexMaintenanceTest, MissingOnlyMatchesFileNamesInAnyCase) {
  const QString name = actualName("acctag.ntx");
  ASSERT_TRUE(QDir(dir()).rename(name, name.toUpper() == name ? name.toLower() : name.toUpper()));
  backdateIndexFiles();
  const auto before = indexFiles();
  db.RebuildIndexes(RebuildMode::MissingOnly);
  EXPECT_EQ(indexFiles(), before);
}

TEST_F(IndexMaintenanceTest, TableThatCannotBeOpenedEndsTheRebuild) {
  ASSERT_TRUE(QFile::remove(QString::fromStdString(t.books.path("FOLDER.dbf"))));
  EXPECT_THROW(db.RebuildIndexes(RebuildMode::Full), TestProgramEnd);
  ASSERT_EQ(t.host.messages.size(), 1);
  EXPECT_TRUE(t.host.messages[0].endsWith("\r\nProgram will now terminate."));
  // ACC and ACCI were done before FOLDER failed.
  EXPECT_EQ(t.progress.progress, QList<int>({20, 35, 45}));
}

TEST_F(IndexMaintenanceTest, PackAllTablesRemovesDeletedRecordsAndKeepsTagsInStep) {
  addFolders(5, {2, 4});
  db.PackAllTables();
  EXPECT_EQ(t.progress.events,
            QStringList({"status:Packing Data Files", "progress:10", "progress:40", "progress:50",
                         "progress:90", "progress:95", "progress:100", "status:"}));
  EXPECT_FALSE(db.code()->exclusive);

  db.OpenFolder();
  DATA4* data = db.folder().data;
  EXPECT_EQ(d4recCountDo(data), 3);
  std::vector<int> walked;
  for (int rc = d4top(data); rc == xbase::kSuccess; rc = d4skip(data, 1)) {
    db.ReadFolder();
    walked.push_back(db.folderRecord().FolNo);
    EXPECT_FALSE(d4deleted(data));
  }
  EXPECT_EQ(walked, (std::vector<int>{1, 3, 5}));
  EXPECT_EQ(d4seek(data, "   5"), xbase::kSuccess);
  EXPECT_EQ(d4recNo(data), 3);
}

TEST_F(IndexMaintenanceTest, PackTableLeavesTheErrorOfATableWhoseIndexesCannotOpen) {
  addFolders(3, {2});
  removeIndexFile("foltag.ntx");
  db.PackTable(tables::kFolder);
  EXPECT_TRUE(t.host.messages.isEmpty());
  EXPECT_EQ(db.code()->errorCode(), xbase::kErrOpen);
  EXPECT_EQ(QFileInfo(QString::fromStdString(db.code()->errorFile())).fileName(), "FolTag.ntx");
  code4errorCode(db.code(), 0);
  EXPECT_FALSE(db.code()->exclusive);
  db.RebuildIndexes(RebuildMode::MissingOnly);
  db.OpenFolder();
  EXPECT_EQ(d4recCountDo(db.folder().data), 3);
}

}  // namespace
