// The table with two tags checked against an in-memory model after random appends, field
// changes, deletions, packs and reopens.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>

#include "TempDir.h"
#include "xbase/DbfFile.h"
#include "xbase/Engine.h"
#include "xbase/Status.h"
#include "xbase/Table.h"

using namespace xbase;

namespace {

struct Row {
  bool deleted = false;
  int num = 0;
  std::string date;  // yyyymmdd
};

std::string str4(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%4d", n);
  return buf;
}

class TableModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int rc = 0;
    auto file =
        FileSystem::posix().open(dir.file("MODEL.dbf"), OpenMode::Create, LockMode::None, &rc);
    ASSERT_TRUE(file);
    ASSERT_TRUE(DbfFile::create(
        std::move(file), {{"NUM", 'N', 4, 0}, {"DAT", 'D', 8, 0}, {"MEMO", 'C', 10, 0}}, &rc));
    engine = std::make_unique<Engine>(FileSystem::posix(), dir.path());
    table = engine->open("model");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(
        table->createIndexGroup("Model", {{"ByDate", "DTOS(DAT) + STR(NUM,4)", ".NOT. DELETED()"},
                                          {"ByNum", "STR(NUM, 4)", ".NOT. DELETED()"}}),
        kSuccess);
    bind();
  }

  void bind() {
    num = table->field("num");
    dat = table->field("DAT");
    byDate = table->tag("bydate");
    byNum = table->tag("BYNUM");
    ASSERT_TRUE(num && dat && byDate && byNum);
  }

  void reopen() {
    ASSERT_EQ(engine->close(table), kSuccess);
    table = engine->open("MODEL");
    ASSERT_NE(table, nullptr) << engine->errorCode();
    bind();
  }

  std::string dateKey(const Row& r, int recno) const {
    (void)recno;
    return r.date + str4(r.num);
  }

  // Expected (key, recno) entries of a tag in order.
  std::vector<std::pair<std::string, long>> expected(bool byDateTag) const {
    std::vector<std::pair<std::string, long>> out;
    for (size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].deleted) continue;
      out.emplace_back(byDateTag ? rows[i].date + str4(rows[i].num) : str4(rows[i].num),
                       static_cast<long>(i + 1));
    }
    std::sort(out.begin(), out.end());
    return out;
  }

  void checkWalks() {
    ASSERT_EQ(table->recCount(), static_cast<long>(rows.size()));
    for (Tag* tag : {byDate, byNum}) {
      auto want = expected(tag == byDate);
      table->selectTag(tag);
      std::vector<long> forward, backward;
      for (int rc = table->top(); rc == kSuccess; rc = table->skip(1))
        forward.push_back(table->recNo());
      for (int rc = table->bottom(); rc == kSuccess; rc = table->skip(-1))
        backward.push_back(table->recNo());
      std::reverse(backward.begin(), backward.end());
      ASSERT_EQ(forward.size(), want.size()) << tag->name();
      for (size_t i = 0; i < want.size(); ++i)
        ASSERT_EQ(forward[i], want[i].second) << tag->name() << " at " << i;
      ASSERT_EQ(backward, forward) << tag->name();
      // A selection reads the records in record order but lists them in the tag's.
      std::vector<long> evens, selected;
      for (long r : forward)
        if (rows[r - 1].num % 2 == 0) evens.push_back(r);
      ASSERT_EQ(table->select([&] { return num->asInteger() % 2 == 0; }, &selected), kSuccess);
      ASSERT_EQ(selected, evens) << tag->name();
    }
    table->selectTag(nullptr);
    std::vector<long> all;
    ASSERT_EQ(table->select([] { return true; }, &all), kSuccess);
    ASSERT_EQ(all.size(), rows.size());
    long n = 0;
    for (int rc = table->top(); rc == kSuccess; rc = table->skip(1)) {
      ++n;
      ASSERT_EQ(table->recNo(), n);
      ASSERT_EQ(table->deleted(), rows[n - 1].deleted);
    }
    ASSERT_EQ(n, static_cast<long>(rows.size()));
  }

  void checkSeek(const std::string& key) {
    table->selectTag(byDate);
    auto want = expected(true);
    auto it = std::lower_bound(want.begin(), want.end(), std::make_pair(key, 0L));
    int rc = table->seek(key);
    if (it == want.end()) {
      ASSERT_EQ(rc, kEof) << key;
      return;
    }
    ASSERT_EQ(rc, it->first.compare(0, key.size(), key) == 0 ? kSuccess : kAfter) << key;
    ASSERT_EQ(table->recNo(), it->second) << key;
  }

  std::string randomDate() {
    return std::to_string(2000 + static_cast<int>(rng() % 20)) + "0" +
           std::to_string(1 + rng() % 9) + std::to_string(10 + rng() % 18);
  }

  TempDir dir;
  std::unique_ptr<Engine> engine;
  Table* table = nullptr;
  Field *num = nullptr, *dat = nullptr;
  Tag *byDate = nullptr, *byNum = nullptr;
  std::vector<Row> rows;
  std::mt19937 rng{20261208};
};

TEST_F(TableModelTest, RandomOperationsKeepBothTagsInStep) {
  const int kSteps = 30000;
  for (int step = 0; step < kSteps; ++step) {
    unsigned op = rng() % 100;
    if (op < 55 || rows.empty()) {  // append and fill
      ASSERT_EQ(table->appendBlank(), kSuccess);
      Row r{false, static_cast<int>(rng() % 300), randomDate()};
      ASSERT_EQ(num->assignInteger(r.num), kSuccess);
      ASSERT_EQ(dat->assign(r.date), kSuccess);
      rows.push_back(r);
      ASSERT_EQ(table->recNo(), static_cast<long>(rows.size()));
    } else if (op < 80) {  // change a key field of a random record
      long n = 1 + static_cast<long>(rng() % rows.size());
      ASSERT_EQ(table->go(n), kSuccess);
      if (rng() % 2) {
        rows[n - 1].num = static_cast<int>(rng() % 300);
        ASSERT_EQ(num->assignInteger(rows[n - 1].num), kSuccess);
      } else {
        rows[n - 1].date = randomDate();
        ASSERT_EQ(dat->assign(rows[n - 1].date), kSuccess);
      }
    } else if (op < 97) {  // delete
      long n = 1 + static_cast<long>(rng() % rows.size());
      ASSERT_EQ(table->go(n), kSuccess);
      table->markDeleted();
      rows[n - 1].deleted = true;
    } else if (op < 99) {
      reopen();
    } else if (step % 3 == 0) {
      ASSERT_EQ(table->pack(), kSuccess);
      std::erase_if(rows, [](const Row& r) { return r.deleted; });
      bind();
    }
    if (step % 97 == 0) checkSeek(randomDate().substr(0, 6));
    if (step % 2000 == 1999) {
      checkWalks();
      if (HasFatalFailure()) return;
    }
  }
  checkWalks();
  reopen();
  checkWalks();
}

TEST_F(TableModelTest, WalkContinuesAfterTheCurrentRecordMovesOrLeavesTheTag) {
  for (int i = 1; i <= 5; ++i) {
    ASSERT_EQ(table->appendBlank(), kSuccess);
    num->assignInteger(i * 10);
    dat->assign("20200101");
  }
  table->selectTag(byNum);
  ASSERT_EQ(table->seek("  20"), kSuccess);
  ASSERT_EQ(table->recNo(), 2);
  // Moving the current record to the end of the order: the walk goes on from its new place.
  num->assignInteger(99);
  EXPECT_EQ(table->skip(1), kEof);
  ASSERT_EQ(table->seek("  30"), kSuccess);
  table->markDeleted();
  // A deleted record leaves the tag: the next record is its former successor.
  ASSERT_EQ(table->skip(1), kSuccess);
  EXPECT_EQ(table->recNo(), 4);
  ASSERT_EQ(table->seek("  40"), kSuccess);
  table->markDeleted();
  ASSERT_EQ(table->skip(-1), kSuccess);
  EXPECT_EQ(table->recNo(), 1);
}

// A selection made while a record is being appended writes it first and lists it.
TEST_F(TableModelTest, ASelectionListsTheRecordBeingAppended) {
  ASSERT_EQ(table->appendBlank(), kSuccess);
  num->assignInteger(5);
  table->selectTag(byNum);
  std::vector<long> selected;
  ASSERT_EQ(table->select([] { return true; }, &selected), kSuccess);
  EXPECT_EQ(selected, std::vector<long>{1});
}

TEST_F(TableModelTest, EmptyTableAndEndOfFile) {
  table->selectTag(byDate);
  EXPECT_EQ(table->top(), kEof);
  EXPECT_EQ(table->bottom(), kEof);
  EXPECT_EQ(table->seek("2020"), kEof);
  table->selectTag(nullptr);
  EXPECT_EQ(table->top(), kEof);
  EXPECT_EQ(table->recNo(), 1);  // one past the (empty) end
  EXPECT_EQ(num->str(), "    ");
  EXPECT_EQ(table->go(1), kErrRecordNo);
}

TEST_F(TableModelTest, TooWideValueIsRefusedAndTheFieldKeepsItsValue) {
  ASSERT_EQ(table->appendBlank(), kSuccess);
  ASSERT_EQ(num->assignInteger(1234), kSuccess);
  EXPECT_FALSE(num->fits(12345));
  EXPECT_EQ(num->assignInteger(12345), kErrFieldWidth);
  EXPECT_EQ(num->asInteger(), 1234);
  EXPECT_EQ(engine->takeError(), kErrFieldWidth);
  reopen();
  ASSERT_EQ(table->go(1), kSuccess);
  EXPECT_EQ(num->asInteger(), 1234);
}

TEST_F(TableModelTest, ZapRemovesARangeAndRebuildsTheTags) {
  for (int i = 1; i <= 6; ++i) {
    ASSERT_EQ(table->appendBlank(), kSuccess);
    num->assignInteger(7 - i);
  }
  ASSERT_EQ(table->zap(2, 3), kSuccess);  // records 2..4 go
  ASSERT_EQ(table->recCount(), 3);
  table->selectTag(byNum);
  std::vector<long> nums;
  for (int rc = table->top(); rc == kSuccess; rc = table->skip(1)) nums.push_back(num->asInteger());
  EXPECT_EQ(nums, (std::vector<long>{1, 2, 6}));
  ASSERT_EQ(table->zap(1, table->recCount()), kSuccess);
  EXPECT_EQ(table->recCount(), 0);
  EXPECT_EQ(table->top(), kEof);
}

}  // namespace
