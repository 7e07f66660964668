// What a table does when the disk fails it, when the process dies mid-pack, and when
// its index files are damaged or foreign.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "FaultFileSystem.h"
#include "ItemsTable.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

using namespace xbase;
using xbase::test::FaultFileSystem;

namespace {

const std::vector<TagSpec>& kTags = xbase::test::kItemsTags;

class TableSafetyTest : public ::testing::Test {
 protected:
  // A table of n records named R<i> with NUM = n - i, every third one deleted.
  void makeTable(int n) { xbase::test::makeItemsTable(fs, n, n); }

  // Names of the records in record-number order, with "*" before deleted ones.
  std::vector<std::string> records(Engine& engine) {
    engine.autoOpen = false;
    Table* t = engine.open("ITEMS");
    engine.autoOpen = true;
    EXPECT_NE(t, nullptr);
    std::vector<std::string> out;
    if (!t) return out;
    for (int rc = t->top(); rc == kSuccess; rc = t->skip(1)) {
      std::string name = t->field("NAME")->str();
      name.erase(name.find_last_not_of(' ') + 1);
      out.push_back((t->deleted() ? "*" : "") + name);
    }
    engine.close(t);
    return out;
  }

  // Walks a tag and returns the names in its order.
  static std::vector<std::string> walk(Table* t, const char* tag) {
    t->selectTag(t->tag(tag));
    std::vector<std::string> out;
    for (int rc = t->top(); rc == kSuccess; rc = t->skip(1)) {
      std::string name = t->field("NAME")->str();
      out.push_back(name.erase(name.find_last_not_of(' ') + 1));
    }
    return out;
  }

  FaultFileSystem fs;
};

TEST_F(TableSafetyTest, ADeathAtAnyInstantOfAPackLeavesTheOldOrTheNewTableWhole) {
  makeTable(40);
  auto before = fs.snapshot();
  std::vector<std::string> oldRecords, newRecords;
  {
    Engine engine(fs, "/books");
    oldRecords = records(engine);
    engine.exclusive = true;
    fs.crashAfter(1 << 30);
    Table* t = engine.open("ITEMS");
    ASSERT_EQ(t->pack(), kSuccess);
    engine.closeAll();
    newRecords = records(engine);
  }
  const int changes = fs.changeCount();
  ASSERT_GT(changes, 5);
  ASSERT_EQ(newRecords.size(), oldRecords.size() - oldRecords.size() / 3);

  int sawOld = 0, sawNew = 0, sawRebuild = 0;
  for (int n = 0; n < changes; ++n) {
    SCOPED_TRACE("process died after change " + std::to_string(n));
    fs.restore(before);
    fs.clearFaults();
    {
      Engine engine(fs, "/books");
      engine.exclusive = true;
      fs.crashAfter(n);
      Table* t = engine.open("ITEMS");
      ASSERT_NE(t, nullptr);
      EXPECT_NE(t->pack(), kSuccess);
    }
    fs.clearFaults();
    Engine engine(fs, "/books");
    auto now = records(engine);
    ASSERT_TRUE(now == oldRecords || now == newRecords);
    (now == oldRecords ? sawOld : sawNew)++;
    // Either the indexes open and agree with the table, or one is missing and a rebuild
    // (as the program does at start-up) restores them.
    Table* t = engine.open("ITEMS");
    if (!t) {
      EXPECT_EQ(engine.takeError(), kErrOpen);
      ++sawRebuild;
      engine.autoOpen = false;
      engine.safety = false;
      t = engine.open("ITEMS");
      ASSERT_NE(t, nullptr);
      ASSERT_EQ(t->createIndexGroup("Items", kTags), kSuccess);
    }
    std::set<std::string> live;
    for (const auto& r : now)
      if (r[0] != '*') live.insert(r);
    auto byName = walk(t, "ByName");
    EXPECT_EQ(std::set<std::string>(byName.begin(), byName.end()), live);
    EXPECT_TRUE(std::is_sorted(byName.begin(), byName.end()));
    EXPECT_EQ(walk(t, "ByNum").size(), live.size());
  }
  // Every phase was hit: before the swap, between the renames, and after it.
  EXPECT_GT(sawOld, 0);
  EXPECT_GT(sawNew, 0);
  EXPECT_GT(sawRebuild, 0);
}

TEST_F(TableSafetyTest, AFailedWriteIsReportedAndTheTableStaysReadable) {
  makeTable(30);
  // Every number of writes short of what the append needs.
  bool appended = false;
  for (int n = 0; !appended; ++n) {
    ASSERT_LT(n, 40) << "an append that never succeeds";
    SCOPED_TRACE("writes allowed: " + std::to_string(n));
    auto before = fs.snapshot();
    {
      Engine engine(fs, "/books");
      Table* t = engine.open("ITEMS");
      ASSERT_NE(t, nullptr);
      fs.failWritesAfter(n);
      int rc = t->appendBlank();
      if (rc == kSuccess) {
        t->field("NAME")->assign("NEW");
        rc = t->flush();
      }
      appended = rc == kSuccess;
      if (!appended) {
        EXPECT_LT(engine.errorCode(), 0);
      }
      fs.clearFaults();
    }
    Engine engine(fs, "/books");
    auto recs = records(engine);
    EXPECT_GE(recs.size(), 30u);
    EXPECT_NE(engine.open("ITEMS"), nullptr);
    fs.restore(before);
  }
}

class DamagedIndexTest : public TableSafetyTest {
 protected:
  void SetUp() override { makeTable(300); }

  // Opening must fail with an error and leave every file as it was.
  void expectRefused(int expected) {
    auto before = fs.snapshot();
    Engine engine(fs, "/books");
    EXPECT_EQ(engine.open("ITEMS"), nullptr);
    EXPECT_EQ(engine.takeError(), expected);
    EXPECT_EQ(fs.snapshot(), before);
  }
  std::string ntx(const char* name) { return fs.bytes(std::string("/books/") + name + ".ntx"); }
  void setNtx(const char* name, std::string bytes) {
    fs.setBytes(std::string("/books/") + name + ".ntx", std::move(bytes));
  }
};

TEST_F(DamagedIndexTest, AGroupListingAMissingTagIsRefused) {
  ASSERT_TRUE(fs.remove("/books/ByNum.ntx"));
  expectRefused(kErrOpen);
}

TEST_F(DamagedIndexTest, AKeyExpressionTheEngineCannotEvaluateIsRefused) {
  std::string bytes = ntx("ByName");
  const char bad[] = "NOSUCHFIELD + (";
  std::copy(bad, bad + sizeof bad, bytes.begin() + 22);
  setNtx("ByName", bytes);
  expectRefused(kErrIndex);
}

TEST_F(DamagedIndexTest, AnIndexOfAnotherShapeIsRefused) {
  // ByNum's file holds 5-byte keys; under ByName's name it would misread every entry.
  setNtx("ByName", ntx("ByNum"));
  std::string bytes = ntx("ByName");
  const char expr[] = "NAME";
  std::copy(expr, expr + sizeof expr, bytes.begin() + 22);
  setNtx("ByName", bytes);
  expectRefused(kErrIndex);
}

TEST_F(DamagedIndexTest, ATruncatedIndexIsRefused) {
  setNtx("ByNum", ntx("ByNum").substr(0, 1500));
  expectRefused(kErrIndex);
}

TEST_F(DamagedIndexTest, ADamagedPageDeepInTheTreeGivesAnErrorNotACrash) {
  std::string bytes = ntx("ByName");
  // Scribble over every page but the header and the root: counts and offsets go wild.
  std::uint32_t root = static_cast<unsigned char>(bytes[4]) | static_cast<unsigned char>(bytes[5])
                                                                  << 8;
  for (std::size_t page = 1024; page < bytes.size(); page += 1024)
    if (page != root) std::fill(bytes.begin() + page, bytes.begin() + page + 64, '\xff');
  setNtx("ByName", bytes);
  Engine engine(fs, "/books");
  Table* t = engine.open("ITEMS");
  if (!t) {
    EXPECT_LT(engine.takeError(), 0);
    return;
  }
  t->selectTag(t->tag("ByName"));
  int rc = t->top();
  while (rc == kSuccess) rc = t->skip(1);
  EXPECT_EQ(rc, kErrIndex);
}

}  // namespace
