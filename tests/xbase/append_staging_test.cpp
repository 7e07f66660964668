// An appended record is counted only when its fields are written: a process that dies in
// between leaves no blank record behind, only uncounted bytes the table check cuts off.
#include <gtest/gtest.h>

#include "FaultFileSystem.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"
#include "xbase/TableCheck.h"

using namespace xbase;
using xbase::test::FaultFileSystem;

namespace {

const std::vector<TagSpec> kTags = {{"ByName", "NAME", ".NOT. DELETED()"}};

class AppendStagingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int rc = 0;
    ASSERT_TRUE(DbfFile::create(fs.open("/books/ITEMS.dbf", OpenMode::Create, LockMode::None, &rc),
                                {{"NAME", 'C', 8, 0}}, &rc));
    Engine engine(fs, "/books");
    Table* t = engine.open("ITEMS");
    ASSERT_EQ(t->createIndexGroup("Items", kTags), kSuccess);
    ASSERT_EQ(t->appendBlank(), kSuccess);
    t->field("NAME")->assign("FIRST");
  }

  // The files as a process dying now would leave them, opened afresh.
  long countAfterDeath(const std::map<std::string, std::string>& files) {
    FaultFileSystem after;
    after.restore(files);
    Engine engine(after, "/books");
    Table* t = engine.open("ITEMS");
    return t ? t->recCount() : -1;
  }

  FaultFileSystem fs;
};

TEST_F(AppendStagingTest, TheNewRecordCountsOnlyOnceWritten) {
  Engine engine(fs, "/books");
  Table* t = engine.open("ITEMS");
  ASSERT_EQ(t->appendBlank(), kSuccess);
  // The handle sees the new record at once ...
  EXPECT_EQ(t->recCount(), 2);
  EXPECT_EQ(t->recNo(), 2);
  t->field("NAME")->assign("SECOND");
  // ... the disk not yet: dying now leaves one record, and the check finds the rest.
  auto midway = fs.snapshot();
  EXPECT_EQ(countAfterDeath(midway), 1);
  FaultFileSystem dead;
  dead.restore(midway);
  EXPECT_FALSE(CheckTable(dead, "/books", "ITEMS", "Items").empty());
  ASSERT_EQ(RepairTable(dead, "/books", "ITEMS", "Items", kTags), kSuccess);
  EXPECT_TRUE(CheckTable(dead, "/books", "ITEMS", "Items").empty());
  // Flushed, it is counted and found through its tag.
  ASSERT_EQ(t->flush(), kSuccess);
  EXPECT_EQ(countAfterDeath(fs.snapshot()), 2);
  EXPECT_TRUE(CheckTable(fs, "/books", "ITEMS", "Items").empty());
  t->selectTag(t->tag("ByName"));
  ASSERT_EQ(t->seek("SECOND"), kSuccess);
  EXPECT_EQ(t->recNo(), 2);
}

TEST_F(AppendStagingTest, ABlankAppendIsKeptAndARefreshKeepsItBlank) {
  Engine engine(fs, "/books");
  Table* t = engine.open("ITEMS");
  ASSERT_EQ(t->appendBlank(), kSuccess);
  t->field("NAME")->assign("GONE");
  ASSERT_EQ(t->refresh(), kSuccess);
  EXPECT_EQ(t->field("NAME")->str(), "        ");
  ASSERT_EQ(t->go(2), kSuccess);  // moving onto it writes it
  EXPECT_EQ(t->field("NAME")->str(), "        ");
  ASSERT_EQ(engine.closeAll(), kSuccess);
  EXPECT_EQ(countAfterDeath(fs.snapshot()), 2);
  EXPECT_TRUE(CheckTable(fs, "/books", "ITEMS", "Items").empty());
}

}  // namespace
