// Start-up recovery: the marker of an unfinished session, and the check and repair of the
// six tables that only its presence triggers.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "DataDirectory.h"
#include "StartupRecovery.h"
#include "TestDatabase.h"

namespace {

class StartupRecoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    xbase::Engine engine(fs, dir);
    xbase::Table* exp = engine.open(tables::kExpenses);
    ASSERT_NE(exp, nullptr);
    for (int i = 1; i <= 5; ++i) {
      ASSERT_EQ(exp->appendBlank(), xbase::kSuccess);
      exp->field(fields::kExpDate)->assign("2026060" + std::to_string(i));
      exp->field(fields::kAccNo)->assignInteger(10 + i);
      exp->field(fields::kPayTo)->assign("Payee " + std::to_string(i));
    }
    ASSERT_EQ(engine.closeAll(), xbase::kSuccess);
  }

  // Leaves record 3 out of GSTEXP1's tags, as a death between the table write and the index
  // writes would, and counts two records more than GSTEXP1 holds.
  void damage() {
    damageTag();
    setCount(7);
  }

  void damageTag() {
    {
      // Deleted with the tags open, which drop it (they hold live records only), then
      // recalled with them closed.
      xbase::Engine engine(fs, dir);
      xbase::Table* exp = engine.open(tables::kExpenses);
      ASSERT_NE(exp, nullptr);
      ASSERT_EQ(exp->go(3), xbase::kSuccess);
      exp->markDeleted();
      exp->selectTag(exp->tag(tags::kEDate));
      ASSERT_EQ(exp->seek("20260603"), xbase::kAfter);
      ASSERT_EQ(engine.closeAll(), xbase::kSuccess);
      engine.autoOpen = false;
      exp = engine.open(tables::kExpenses);
      ASSERT_NE(exp, nullptr);
      ASSERT_EQ(exp->go(3), xbase::kSuccess);
      exp->recall();
      ASSERT_EQ(engine.closeAll(), xbase::kSuccess);
    }
  }

  void setCount(unsigned char count) {
    int rc = 0;
    auto file = fs.open(test.books.path("GSTEXP1.dbf"), xbase::OpenMode::ReadWrite,
                        xbase::LockMode::None, &rc);
    const unsigned char bytes[4] = {count, 0, 0, 0};
    ASSERT_TRUE(file->write(4, bytes, 4));
  }

  std::size_t findingsInAllTables() {
    std::size_t n = 0;
    for (const TableDefinition* table : TableDefinitions::all())
      n += xbase::CheckTable(fs, dir, table->baseName, table->groupName).size();
    return n;
  }

  TestDatabase test;
  xbase::FileSystem& fs = xbase::FileSystem::posix();
  std::string dir = test.books.dir();
};

TEST_F(StartupRecoveryTest, ACleanEndLeavesNoMarkerAndTheNextStartChecksNothing) {
  EXPECT_FALSE(StartupRecovery::LastSessionDied(fs, dir));
  bool marked = false;
  EXPECT_TRUE(StartupRecovery::BeginSession(fs, dir, &marked).empty());
  EXPECT_TRUE(marked);
  EXPECT_TRUE(StartupRecovery::LastSessionDied(fs, dir));
  EXPECT_TRUE(StartupRecovery::EndSession(fs, dir));
  EXPECT_FALSE(StartupRecovery::LastSessionDied(fs, dir));
  // Without the marker the tags are taken as they are: no scan, no repair.
  damageTag();
  EXPECT_TRUE(StartupRecovery::BeginSession(fs, dir).empty());
  EXPECT_EQ(findingsInAllTables(), 2u);  // record 3 missing from both tags
}

// A session that only reads (a report from the command line) forces no marker to disk,
// unless its start must build an index anew.
TEST_F(StartupRecoveryTest, AReadingSessionIsMarkedOnlyWhenItsStartWrites) {
  DataDirectory::OpenBooks(test.db, fs, dir, DataDirectory::Session::Reading);
  EXPECT_FALSE(StartupRecovery::LastSessionDied(fs, dir));
  ASSERT_TRUE(fs.remove(test.books.path("EDate.ntx")));
  DataDirectory::OpenBooks(test.db, fs, dir, DataDirectory::Session::Reading);
  EXPECT_TRUE(StartupRecovery::LastSessionDied(fs, dir));
  EXPECT_TRUE(fs.exists(test.books.path("EDate.ntx")));
}

TEST_F(StartupRecoveryTest, AHeaderCountThatDisagreesWithTheFileIsMendedAtEveryStart) {
  for (unsigned char count : {0, 7}) {
    setCount(count);
    auto repaired = StartupRecovery::BeginSession(fs, dir);
    ASSERT_EQ(repaired.size(), 1u) << int(count);
    EXPECT_EQ(repaired[0].result, xbase::kSuccess);
    ASSERT_FALSE(repaired[0].done.empty());
    EXPECT_EQ(repaired[0].done[0], count == 0
                                       ? "counted in the 5 records past the header's count of 0"
                                       : "lowered the header's count from 7 to the 5 records "
                                         "in the file");
    EXPECT_EQ(findingsInAllTables(), 0u);
    EXPECT_TRUE(StartupRecovery::EndSession(fs, dir));
  }
}

TEST_F(StartupRecoveryTest, AfterADeathTheDisagreeingTableIsMendedWithEveryRecord) {
  ASSERT_TRUE(StartupRecovery::BeginSession(fs, dir).empty());
  damage();  // ... and the session dies: the marker stays
  auto repaired = StartupRecovery::BeginSession(fs, dir);
  ASSERT_EQ(repaired.size(), 1u);
  EXPECT_EQ(repaired[0].baseName, tables::kExpenses);
  EXPECT_EQ(repaired[0].result, xbase::kSuccess);
  ASSERT_EQ(repaired[0].findings.size(), 1u);
  EXPECT_EQ(repaired[0].findings[0].file, "GSTEXP1.dbf");
  EXPECT_EQ(findingsInAllTables(), 0u);
  // The count is cut back to the five records, all found through the mended tag.
  xbase::Engine engine(fs, dir);
  xbase::Table* exp = engine.open(tables::kExpenses);
  ASSERT_NE(exp, nullptr);
  EXPECT_EQ(exp->recCount(), 5);
  exp->selectTag(exp->tag(tags::kEDate));
  ASSERT_EQ(exp->seek("20260603"), xbase::kSuccess);
  EXPECT_EQ(exp->recNo(), 3);
  // The new session's marker stands until it ends.
  EXPECT_TRUE(StartupRecovery::LastSessionDied(fs, dir));
}

TEST_F(StartupRecoveryTest, AMissingTagIsFoundOnlyAfterADeath) {
  ASSERT_TRUE(StartupRecovery::BeginSession(fs, dir).empty());
  ASSERT_TRUE(fs.remove(test.books.path("EAcc.ntx")));
  auto repaired = StartupRecovery::BeginSession(fs, dir);
  ASSERT_EQ(repaired.size(), 1u);
  EXPECT_EQ(repaired[0].findings[0].file, "EAcc.ntx");
  EXPECT_TRUE(fs.exists(test.books.path("EAcc.ntx")));
  EXPECT_EQ(findingsInAllTables(), 0u);
}

}  // namespace

namespace {

std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeAll(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A restore killed after it put GSTEXP1 in place but before FOLDER: the next start puts
// back every table set aside, and removes what the restore and a killed pack left.
TEST_F(StartupRecoveryTest, AnInterruptedRestoreIsRolledBackAndLeftoversRemoved) {
  const std::string expenses = test.books.path("GSTEXP1.dbf");
  const std::string folders = test.books.path("FOLDER.dbf");
  const std::string oldExpenses = readAll(expenses);
  const std::string oldFolders = readAll(folders);
  writeAll(expenses + ".replaced", oldExpenses);
  writeAll(folders + ".replaced", oldFolders);
  writeAll(expenses, readAll(test.books.path("GSTINC1.dbf")));  // not the old table
  writeAll(folders + ".partial", "restored folders");
  writeAll(test.books.path("ACC.dbf") + ".replacing", "part of a copy");
  writeAll(test.books.path("EDate.ntx") + ".pack", "a pack's new tag");
  writeAll(test.books.path("Tallyworth.restoring"), "");

  std::vector<std::string> notes;
  StartupRecovery::BeginSession(fs, dir, nullptr, &notes);
  EXPECT_EQ(readAll(expenses), oldExpenses);
  EXPECT_EQ(readAll(folders), oldFolders);
  for (const char* left : {"GSTEXP1.dbf.replaced", "FOLDER.dbf.replaced", "FOLDER.dbf.partial",
                           "ACC.dbf.replacing", "EDate.ntx.pack", "Tallyworth.restoring"}) {
    EXPECT_FALSE(fs.exists(test.books.path(left))) << left;
  }
  ASSERT_EQ(notes.size(), 2u);
  EXPECT_EQ(notes[0], "a restore was interrupted; the tables were put back as they were before it");
  EXPECT_EQ(notes[1],
            "removed what an interrupted restore or pack left: ACC.dbf.replacing "
            "FOLDER.dbf.partial EDate.ntx.pack");
}

}  // namespace
