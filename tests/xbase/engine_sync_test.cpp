// When the engine forces table files to disk: at the end of a command (closeAll), for every
// table the command wrote (a command that only read syncs nothing), and not on each single
// close (a commit).
#include <gtest/gtest.h>

#include "FaultFileSystem.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

using namespace xbase;
using xbase::test::FaultFileSystem;

namespace {

class EngineSyncTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"ONE", "TWO"}) {
      int rc = 0;
      ASSERT_TRUE(DbfFile::create(
          fs.open(std::string("/books/") + name + ".dbf", OpenMode::Create, LockMode::None, &rc),
          {{"NAME", 'C', 8, 0}}, &rc));
    }
    Engine engine(fs, "/books");
    Table* one = engine.open("ONE");
    ASSERT_NE(one, nullptr);
    ASSERT_EQ(one->createIndexGroup("ONE", {{"OneName", "NAME", ""}}), kSuccess);
  }

  int syncs(const char* file) { return fs.syncCount(std::string("/books/") + file); }

  FaultFileSystem fs;
};

TEST_F(EngineSyncTest, ACloseLeavesTheSyncToTheEndOfTheCommand) {
  const int before = syncs("ONE.dbf"), tagBefore = syncs("OneName.ntx");
  Engine engine(fs, "/books");
  Table* one = engine.open("ONE");
  ASSERT_EQ(one->appendBlank(), kSuccess);
  one->field("NAME")->assign("A");
  ASSERT_EQ(engine.close(one), kSuccess);
  EXPECT_EQ(syncs("ONE.dbf"), before);
  // The commit reopens the table; the command ends with it open.
  one = engine.open("ONE");
  Table* two = engine.open("TWO");
  ASSERT_NE(two, nullptr);
  ASSERT_EQ(engine.close(two), kSuccess);
  ASSERT_EQ(engine.closeAll(), kSuccess);
  EXPECT_EQ(syncs("ONE.dbf"), before + 1);
  EXPECT_EQ(syncs("OneName.ntx"), tagBefore + 1);
  EXPECT_EQ(syncs("TWO.dbf"), 0) << "a table only read needs no sync";
  // Nothing opened since: the next end of a command has nothing to sync.
  ASSERT_EQ(engine.closeAll(), kSuccess);
  EXPECT_EQ(syncs("ONE.dbf"), before + 1);
}

TEST_F(EngineSyncTest, AFileRemovedBeforeTheSyncIsNoError) {
  const int before = syncs("ONE.dbf");
  Engine engine(fs, "/books");
  Table* one = engine.open("ONE");
  ASSERT_NE(one, nullptr);
  ASSERT_EQ(one->appendBlank(), kSuccess);
  ASSERT_TRUE(fs.remove("/books/OneName.ntx"));
  EXPECT_EQ(engine.closeAll(), kSuccess);
  EXPECT_EQ(syncs("ONE.dbf"), before + 1);
}

}  // namespace
