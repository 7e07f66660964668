// The record layer on a nearly full disk: no file of the test may grow past a limit, so
// every write that needs more room fails as on a full disk. Whatever fails must say so,
// leave every earlier record and every tag as they were, and the books must work again
// once there is room.
#include <gtest/gtest.h>

#include "BooksState.h"
#include "DiskBooks.h"
#include "EngineMessages.h"
#include "FileSizeLimit.h"

namespace {

class FullDisk : public testing::Test {
 protected:
  void SetUp() override {
    before = storedRecords(fs, dir());
    beforeFiles = fileNames(dir());
    ASSERT_TRUE(tagFindings(fs, dir()).empty());
  }

  std::string dir() const { return b.books.dir(); }
  std::uint64_t largestFile() const {
    std::uint64_t largest = 0;
    for (const std::string& name : beforeFiles) largest = std::max(largest, b.fileSize(name));
    return largest;
  }

  // Every table as before (plus extra rows added at the end of the expense table), every
  // tag in step with its table, no file left behind; then, as after a restart, a new
  // expense commits and the books still agree.
  void expectWholeAndUsable(const std::vector<std::string>& extraExpenses = {}) {
    auto expected = before;
    for (const std::string& row : extraExpenses) expected[tables::kExpenses].push_back(row);
    EXPECT_EQ(storedRecords(fs, dir()), expected);
    EXPECT_EQ(tagFindings(fs, dir()), std::vector<std::string>());
    EXPECT_EQ(fileNames(dir()), beforeFiles);

    TestHost host;
    RecordingProgress progress;
    Database again(dir(), host, progress, b.clock);
    again.OpenExp();
    ASSERT_EQ(d4appendBlank(again.exp().data), xbase::kSuccess);
    again.expRecord() = {};
    again.expRecord().ExpDate = QDate(2026, 12, 31);
    again.expRecord().PayTo = QStringLiteral("After the disk was cleared");
    again.WriteExp();
    code4close(again.code());
    EXPECT_EQ(storedRecords(fs, dir())[tables::kExpenses].size(),
              expected[tables::kExpenses].size() + 1);
    EXPECT_EQ(tagFindings(fs, dir()), std::vector<std::string>());
  }

  DiskBooks b;
  Database& db = b.db;
  xbase::FileSystem& fs = xbase::FileSystem::posix();
  std::map<std::string, std::vector<std::string>> before;
  std::set<std::string> beforeFiles;
};

TEST_F(FullDisk, AnAppendWithNoRoomIsRefusedAndLeavesTheTableAsItWas) {
  {
    FileSizeLimit full(b.fileSize("GSTEXP1.dbf"));
    ASSERT_TRUE(full.applied());
    db.OpenExp();
    // The entry forms answer a refused append with "Unable to Add Record at this time".
    EXPECT_EQ(d4appendBlank(db.exp().data), xbase::kErrWrite);
    EXPECT_EQ(code4errorCode(db.code(), 0), xbase::kErrWrite);
    code4close(db.code());
    EXPECT_EQ(code4errorCode(db.code(), 0), 0) << "closing after the refusal failed as well";
  }
  expectWholeAndUsable();
}

TEST_F(FullDisk, AnEditThatNeedsNoRoomIsStoredWhole) {
  {
    // No file may grow, yet the table and its tags can be rewritten where they are.
    FileSizeLimit full(largestFile());
    ASSERT_TRUE(full.applied());
    db.OpenExp();
    ASSERT_EQ(d4go(db.exp().data, 5), xbase::kSuccess);
    db.ReadExp();
    db.expRecord().Amount = 999.95;
    db.expRecord().PayTo = QStringLiteral("Edited on a full disk");
    db.WriteExp();
    code4close(db.code());
  }
  EXPECT_TRUE(b.host.messages.isEmpty());
  const std::string edited = storedRecords(fs, dir())[tables::kExpenses][4];
  EXPECT_NE(edited.find("Edited on a full disk"), std::string::npos) << edited;
  EXPECT_NE(edited.find("999.95"), std::string::npos) << edited;
  before[tables::kExpenses][4] = edited;
  expectWholeAndUsable();
}

TEST_F(FullDisk, APackWithNoRoomForTheNewTableSaysSoAndKeepsEveryTable) {
  {
    FileSizeLimit full(1024);
    ASSERT_TRUE(full.applied());
    db.PackAllTables();
    // The caller tests for a library error after the pack.
    EXPECT_THROW(error4exitTest(db.code(), b.host), TestProgramEnd);
  }
  EXPECT_EQ(b.host.messages, QStringList{writeErrorIn("GSTINC1.dbf")});
  EXPECT_EQ(b.progress.statuses.back(), QString()) << "the status was left showing";
  expectWholeAndUsable();
}

TEST_F(FullDisk, APackThatFailsOnOneTableSaysSoAndStopsThere) {
  std::uint64_t othersLargest = 0;
  for (const std::string& name : beforeFiles) {
    if (name != "GSTEXP1.dbf") othersLargest = std::max(othersLargest, b.fileSize(name));
  }
  ASSERT_LT(othersLargest, b.fileSize("GSTEXP1.dbf") - 6 * 200);
  {
    FileSizeLimit full(othersLargest);
    ASSERT_TRUE(full.applied());
    db.PackAllTables();
    EXPECT_THROW(error4exitTest(db.code(), b.host), TestProgramEnd);
  }
  EXPECT_EQ(b.host.messages, QStringList{writeErrorIn("GSTEXP1.dbf")});
  expectWholeAndUsable();
}

// The index files may be left in part; the next start-up mends them (tests/app).
TEST_F(FullDisk, AnIndexRebuildWithNoRoomEndsWithAWriteErrorAndKeepsEveryRecord) {
  {
    FileSizeLimit full(1024);
    ASSERT_TRUE(full.applied());
    EXPECT_THROW(db.RebuildIndexes(RebuildMode::Full), TestProgramEnd);
  }
  EXPECT_EQ(b.host.messages, QStringList{writeErrorIn("AccTag.ntx")});
  EXPECT_EQ(storedRecords(fs, dir()), before);
}

}  // namespace
