// Damaged .ntx files: opening refuses a bad header or root page, deeper damage makes the
// operation that meets it fail, and nothing is ever written on the strength of a damaged
// page. Also failing reads and writes underneath the index.
#include <gtest/gtest.h>

#include <functional>

#include "ByteCoding.h"
#include "FaultFileSystem.h"
#include "NtxIndex.h"
#include "NtxTestSupport.h"

namespace xbase {
namespace {

using ntxtest::buildIndex;
using ntxtest::checkTree;
using ntxtest::Entry;
using ntxtest::le16;
using ntxtest::le32;
using ntxtest::makeKey;
using ntxtest::TreeShape;
using ntxtest::walk;

constexpr char kPath[] = "d.ntx";
constexpr int kKeyLength = 250;  // two keys a page: a deep tree from few entries

void put16(std::string& b, std::size_t at, std::uint32_t v) {
  writeU16(b.data() + at, static_cast<std::uint16_t>(v));
}
void put32(std::string& b, std::size_t at, std::uint32_t v) { writeU32(b.data() + at, v); }
// File offset of item slot i of the page at page.
std::size_t item(const std::string& b, std::uint32_t page, int i) {
  return page + le16(b, page + 2 + 2 * i);
}

class NtxDamageTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 300; ++i)
      entries_.push_back({makeKey(i, kKeyLength), static_cast<std::uint32_t>(i + 1)});
    int rc = 0;
    NtxInfo info;
    info.keyExpression = "ACCNO";
    info.keyLength = kKeyLength;
    ASSERT_TRUE(
        buildIndex(fs_.open(kPath, OpenMode::Create, LockMode::None, &rc), info, entries_, &rc));
    good_ = fs_.bytes(kPath);
    ASSERT_TRUE(checkTree(good_, &shape_));
    ASSERT_GE(shape_.depth, 5);
  }

  std::unique_ptr<NtxIndex> open(const std::string& bytes, int* rc) {
    fs_.setBytes(kPath, bytes);
    return NtxIndex::open(fs_.open(kPath, OpenMode::ReadWrite, LockMode::None, rc), rc);
  }

  void expectOpenFails(const std::string& bytes) {
    int rc = 0;
    EXPECT_FALSE(open(bytes, &rc));
    EXPECT_EQ(rc, kErrIndex);
    EXPECT_EQ(fs_.bytes(kPath), bytes);
  }

  // Opens the damaged file, then walks it both ways and tries to remove and re-insert
  // every entry. A walk must stop with kErrIndex; every change that fails must leave the
  // file as it was, and some removals must fail.
  void expectOperationsFail(const std::string& bytes) {
    int rc = 0;
    auto index = open(bytes, &rc);
    ASSERT_TRUE(index) << rc;
    walk(*index, true, &rc);
    EXPECT_EQ(rc, kErrIndex);
    walk(*index, false, &rc);
    EXPECT_EQ(rc, kErrIndex);
    EXPECT_EQ(index->forEachEntry([](const char*, std::uint32_t) {}), kErrIndex);
    EXPECT_EQ(fs_.bytes(kPath), bytes);
    int failures = 0;
    for (const auto& [key, recno] : entries_) {
      for (bool removing : {true, false}) {
        const std::string before = fs_.bytes(kPath);
        rc = removing ? index->remove(key.data(), recno) : index->insert(key.data(), recno);
        if (rc == kSuccess) continue;
        EXPECT_EQ(rc, kErrIndex);
        EXPECT_EQ(fs_.bytes(kPath), before);
        failures += removing;
      }
    }
    EXPECT_GT(failures, 0);
  }

  test::FaultFileSystem fs_;
  std::vector<Entry> entries_;
  std::string good_;
  TreeShape shape_;
};

TEST_F(NtxDamageTest, BadHeaderFieldsFailOpen) {
  const std::uint32_t root = le32(good_, 4);
  const std::vector<std::pair<const char*, std::function<void(std::string&)>>> damages = {
      {"signature", [](std::string& b) { put16(b, 0, 0x42); }},
      {"key size 0", [](std::string& b) { put16(b, 14, 0); }},
      {"key size 251", [](std::string& b) { put16(b, 14, 251), put16(b, 12, 259); }},
      {"item size", [](std::string& b) { put16(b, 12, 100); }},
      {"max items 0", [](std::string& b) { put16(b, 18, 0); }},
      {"max items too many for the page", [](std::string& b) { put16(b, 18, 4); }},
      {"root not on a page boundary", [](std::string& b) { put32(b, 4, 1500); }},
      {"root is the header", [](std::string& b) { put32(b, 4, 0); }},
      {"root past the end",
       [](std::string& b) { put32(b, 4, static_cast<std::uint32_t>(b.size())); }},
      {"free list head", [](std::string& b) { put32(b, 8, 1030); }},
      {"descending", [](std::string& b) { b[279] = 1; }},
      {"too short", [](std::string& b) { b.resize(1500); }},
      {"root count over max", [root](std::string& b) { put16(b, root, 3); }},
      {"root slot past the page", [root](std::string& b) { put16(b, root + 2, 1020); }},
      {"root slot in the offset table", [root](std::string& b) { put16(b, root + 4, 2); }},
      {"root child off a page", [&](std::string& b) { put32(b, item(b, root, 0), 1000); }},
  };
  for (const auto& [what, damage] : damages) {
    SCOPED_TRACE(what);
    std::string bytes = good_;
    damage(bytes);
    expectOpenFails(bytes);
  }
}

TEST_F(NtxDamageTest, OtherSignaturesAndOddSizesOpen) {
  for (std::uint32_t signature : {3u, 0x0106u}) {
    std::string bytes = good_;
    put16(bytes, 0, signature);
    bytes.append(100, '\0');  // a partial page at the end is tolerated
    int rc = 0;
    auto index = open(bytes, &rc);
    ASSERT_TRUE(index) << rc;
    EXPECT_EQ(walk(*index, true, &rc), entries_);
    EXPECT_EQ(rc, kEof);
  }
}

// Damage below the root, in a page of the second level or in a leaf.
TEST_F(NtxDamageTest, DeepDamageFailsTheOperationsThatMeetIt) {
  const std::uint32_t inner = shape_.levels[1][0];
  const std::uint32_t deepInner = shape_.levels[shape_.depth - 2].back();
  const std::uint32_t leaf = shape_.levels[shape_.depth - 1][1];
  const std::uint32_t root = le32(good_, 4);
  const std::vector<std::pair<const char*, std::function<void(std::string&)>>> damages = {
      {"count over max", [&](std::string& b) { put16(b, inner, 3); }},
      {"slot past the page", [&](std::string& b) { put16(b, leaf + 2, 1019); }},
      {"child off a page", [&](std::string& b) { put32(b, item(b, inner, 1), 5000); }},
      {"child past the end", [&](std::string& b) { put32(b, item(b, inner, 0), 1 << 30); }},
      {"child is the header", [&](std::string& b) { put32(b, item(b, deepInner, 1), 0); }},
      {"leaf with a child", [&](std::string& b) { put32(b, item(b, leaf, 1), root); }},
      {"cycle to the root", [&](std::string& b) { put32(b, item(b, deepInner, 0), root); }},
  };
  for (const auto& [what, damage] : damages) {
    SCOPED_TRACE(what);
    std::string bytes = good_;
    damage(bytes);
    ASSERT_NO_FATAL_FAILURE(expectOperationsFail(bytes));
  }
}

// A subtree linked in twice, out of order, would make a walk revisit entries; the walk
// notices that it no longer moves forward.
TEST_F(NtxDamageTest, WalkStopsOnOutOfOrderSubtree) {
  std::string bytes = good_;
  const std::uint32_t inner = shape_.levels[1][1];
  put32(bytes, item(bytes, inner, 0), le32(bytes, item(bytes, shape_.levels[1][0], 0)));
  int rc = 0;
  auto index = open(bytes, &rc);
  ASSERT_TRUE(index) << rc;
  walk(*index, true, &rc);
  EXPECT_EQ(rc, kErrIndex);
  walk(*index, false, &rc);
  EXPECT_EQ(rc, kErrIndex);
  EXPECT_EQ(index->forEachEntry([](const char*, std::uint32_t) {}), kErrIndex);
}

// A chain of 40 distinct inner pages, each with one subtree and no keys.
TEST_F(NtxDamageTest, OverDeepTreeFails) {
  const int pages = 40;
  std::string bytes = good_.substr(0, 1024);
  bytes.resize(1024 * (pages + 1), '\0');
  put32(bytes, 4, 1024);
  const std::uint32_t slots = 2 + 2 * 3;  // after count and three slot offsets (max 2)
  for (int p = 1; p <= pages; ++p) {
    const std::uint32_t page = 1024 * p;
    for (int i = 0; i < 3; ++i) put16(bytes, page + 2 + 2 * i, slots + i * (kKeyLength + 8));
    if (p < pages) {
      put32(bytes, page + slots, page + 1024);
    } else {
      put16(bytes, page, 1);  // the bottom leaf holds one entry
      put32(bytes, page + slots + 4, 1);
    }
  }
  int rc = 0;
  auto index = open(bytes, &rc);
  ASSERT_TRUE(index) << rc;
  NtxCursor c;
  EXPECT_EQ(index->first(c), kErrIndex);
  EXPECT_EQ(index->last(c), kErrIndex);
  EXPECT_EQ(index->seek(c, ""), kErrIndex);
  EXPECT_EQ(index->forEachEntry([](const char*, std::uint32_t) {}), kErrIndex);
  EXPECT_FALSE(c.valid());
  EXPECT_EQ(index->insert(makeKey(1, kKeyLength).data(), 9), kErrIndex);
  EXPECT_EQ(fs_.bytes(kPath), bytes);
}

TEST_F(NtxDamageTest, FailingReadsAndWritesAreReported) {
  int rc = 0;
  auto index = open(good_, &rc);
  ASSERT_TRUE(index);
  fs_.failReads(true);
  NtxCursor c;
  EXPECT_EQ(index->first(c), kErrRead);  // the root is cached, the pages below are not
  EXPECT_FALSE(c.valid());
  fs_.failReads(false);
  ASSERT_EQ(index->first(c), kSuccess);
  const int writesBefore = fs_.writeCount();
  walk(*index, true, &rc);
  EXPECT_EQ(fs_.writeCount(), writesBefore);  // reading never writes

  fs_.failWritesAfter(0);
  EXPECT_EQ(index->insert(makeKey(1000, kKeyLength).data(), 1), kErrWrite);
}

}  // namespace
}  // namespace xbase
