// The .ntx B-tree against an in-memory model: random changes, bulk builds, cursors that
// outlive changes, reopening, and the header layout other readers rely on.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "FaultFileSystem.h"
#include "NtxIndex.h"
#include "NtxTestSupport.h"

namespace xbase {
namespace {

using ntxtest::buildIndex;
using ntxtest::checkTree;
using ntxtest::Entry;
using ntxtest::makeKey;
using ntxtest::Model;
using ntxtest::TreeShape;
using ntxtest::walk;

constexpr char kPath[] = "t.ntx";

class NtxIndexTest : public testing::Test {
 protected:
  std::unique_ptr<NtxIndex> build(int keyLength, const std::vector<Entry>& entries,
                                  int* error = nullptr) {
    int rc = kSuccess;
    auto index = buildIndex(fs_.open(kPath, OpenMode::Create, LockMode::None, &rc),
                            infoFor(keyLength), entries, &rc);
    if (error) *error = rc;
    return index;
  }

  static NtxInfo infoFor(int keyLength) {
    NtxInfo info;
    info.keyExpression = "DTOS(EXPDATE)+STR(ACCNO,4)";
    info.forExpression = ".NOT. DELETED()";
    info.tagName = "eDate";
    info.keyLength = keyLength;
    return info;
  }

  std::unique_ptr<NtxIndex> reopen(int* error) {
    auto file = fs_.open(kPath, OpenMode::ReadWrite, LockMode::None, error);
    return NtxIndex::open(std::move(file), error);
  }

  std::string bytes() const { return fs_.bytes(kPath); }

  // Insert (with chance insertPercent) or remove a random entry, in index and model.
  void randomChange(NtxIndex& index, Model& model, int insertPercent, int keyRange) {
    const std::string key = makeKey(static_cast<int>(rng_() % keyRange), index.keyLength());
    const std::uint32_t recno = 1 + rng_() % 1000000;
    if (model.empty() || static_cast<int>(rng_() % 100) < insertPercent) {
      if (!model.insert({key, recno}).second) return;
      ASSERT_EQ(index.insert(key.data(), recno), kSuccess);
      return;
    }
    auto it = model.lower_bound({key, recno});
    if (it == model.end()) it = model.begin();
    ASSERT_EQ(index.remove(it->first.data(), it->second), kSuccess);
    model.erase(it);
  }

  // The file's structure, both walks, and random seeks all agree with the model.
  void expectMatches(NtxIndex& index, const Model& model, int keyRange, TreeShape* shape) {
    ASSERT_TRUE(checkTree(bytes(), shape));
    const std::vector<Entry> sorted(model.begin(), model.end());
    EXPECT_EQ(shape->entries, sorted);
    int rc = 0;
    EXPECT_EQ(walk(index, true, &rc), sorted);
    EXPECT_EQ(rc, kEof);
    EXPECT_EQ(walk(index, false, &rc), std::vector<Entry>(sorted.rbegin(), sorted.rend()));
    EXPECT_EQ(rc, kEof);
    const int keyLength = index.keyLength();
    for (int i = 0; i < 60; ++i) {
      // Partial keys of every length, and some longer than a key (cut to its length).
      const std::size_t n = rng_() % (keyLength + 4);
      const std::string sought = makeKey(static_cast<int>(rng_() % keyRange), keyLength + 3);
      const std::string prefix = sought.substr(0, n);
      const std::string cut = prefix.substr(0, std::min<std::size_t>(n, keyLength));
      NtxCursor c;
      rc = index.seek(c, prefix);
      auto it = model.lower_bound({cut, 0});
      if (it == model.end()) {
        EXPECT_EQ(rc, kEof);
        EXPECT_FALSE(c.valid());
        continue;
      }
      EXPECT_EQ(rc, it->first.compare(0, cut.size(), cut) == 0 ? kSuccess : kAfter) << prefix;
      ASSERT_TRUE(c.valid());
      EXPECT_EQ(Entry(c.key(), c.recno()), *it);
      // The cursor's path after a seek must continue the walk correctly both ways.
      NtxCursor back = c;
      rc = index.next(c);
      if (std::next(it) == model.end()) {
        EXPECT_EQ(rc, kEof);
      } else {
        EXPECT_EQ(Entry(c.key(), c.recno()), *std::next(it));
      }
      rc = index.prev(back);
      if (it == model.begin()) {
        EXPECT_EQ(rc, kEof);
      } else {
        EXPECT_EQ(Entry(back.key(), back.recno()), *std::prev(it));
      }
    }
  }

  test::FaultFileSystem fs_;
  std::mt19937 rng_{12345};
};

struct ChangeCase {
  int keyLength;
  int minDepth;  // the peak depth the grown tree must reach
};

class NtxChangeTest : public NtxIndexTest, public testing::WithParamInterface<ChangeCase> {};

// Grow a tree by random inserts and removals, shrink it to nothing, and grow it again,
// comparing with the model along the way. With 250-byte keys a page holds two keys, so
// splits, borrowing and merges happen at every level of a deep tree.
TEST_P(NtxChangeTest, RandomChangesMatchModel) {
  const int keyLength = GetParam().keyLength;
  const int keyRange = 3000;  // about two entries per key: many duplicates
  int rc = 0;
  auto index = build(keyLength, {}, &rc);
  ASSERT_TRUE(index) << rc;
  Model model;
  TreeShape shape;
  int peakDepth = 0;
  for (int batch = 0; batch < 8; ++batch) {
    for (int i = 0; i < 1500; ++i)
      ASSERT_NO_FATAL_FAILURE(randomChange(*index, model, 75, keyRange));
    ASSERT_NO_FATAL_FAILURE(expectMatches(*index, model, keyRange, &shape));
    peakDepth = std::max(peakDepth, shape.depth);
  }
  EXPECT_GE(peakDepth, GetParam().minDepth);

  while (!model.empty()) {
    for (int i = 0; i < 1500 && !model.empty(); ++i) {
      ASSERT_NO_FATAL_FAILURE(randomChange(*index, model, 25, keyRange));
    }
    ASSERT_NO_FATAL_FAILURE(expectMatches(*index, model, keyRange, &shape));
  }
  // Emptied: the root is a lone empty leaf, every other page is free.
  EXPECT_EQ(shape.depth, 1);
  const std::size_t emptySize = bytes().size();
  EXPECT_EQ(shape.freePages, static_cast<int>(emptySize / 1024) - 2);

  // Regrowing takes the free pages before the file grows.
  const int reuse = std::min(shape.freePages, 400);
  for (int i = 0; i < reuse; ++i) {
    ASSERT_NO_FATAL_FAILURE(randomChange(*index, model, 100, keyRange));
  }
  ASSERT_NO_FATAL_FAILURE(expectMatches(*index, model, keyRange, &shape));
  EXPECT_EQ(bytes().size(), emptySize);

  // The file alone holds the tree.
  index.reset();
  index = reopen(&rc);
  ASSERT_TRUE(index) << rc;
  ASSERT_NO_FATAL_FAILURE(expectMatches(*index, model, keyRange, &shape));
}

INSTANTIATE_TEST_SUITE_P(KeyLengths, NtxChangeTest,
                         testing::Values(ChangeCase{250, 8}, ChangeCase{40, 3}, ChangeCase{10, 3}),
                         [](const auto& info) {
                           return "Key" + std::to_string(info.param.keyLength);
                         });

TEST_F(NtxIndexTest, InsertOfPresentEntryAndRemovalOfMissingOneFailWithoutChange) {
  auto index = build(10, {{makeKey(1, 10), 5}, {makeKey(2, 10), 6}});
  ASSERT_TRUE(index);
  const std::string before = bytes();
  EXPECT_EQ(index->insert(makeKey(1, 10).data(), 5), kErrIndex);
  EXPECT_EQ(index->remove(makeKey(1, 10).data(), 6), kErrIndex);
  EXPECT_EQ(index->remove(makeKey(3, 10).data(), 1), kErrIndex);
  EXPECT_EQ(bytes(), before);
}

// A cursor stays usable while entries around it, and its own entry, come and go: next()
// gives the first entry greater than the one it was on, prev() the last smaller one.
TEST_F(NtxIndexTest, CursorSurvivesChanges) {
  for (int keyLength : {250, 12}) {
    SCOPED_TRACE(keyLength);
    Model model;
    while (model.size() < 3000)
      model.insert({makeKey(rng_() % 1500, keyLength), 1 + rng_() % 99999});
    auto index = build(keyLength, std::vector<Entry>(model.begin(), model.end()));
    ASSERT_TRUE(index);
    for (int round = 0; round < 1500; ++round) {
      auto it = model.lower_bound({makeKey(rng_() % 1500, keyLength), 0});
      if (it == model.end()) continue;
      NtxCursor c;
      ASSERT_EQ(index->seekEntry(c, it->first.data(), it->second), kSuccess);
      const Entry was = *it;
      if (rng_() % 3 == 0) {
        ASSERT_EQ(index->remove(was.first.data(), was.second), kSuccess);
        model.erase(was);
      }
      for (int i = rng_() % 4; i > 0; --i) {
        ASSERT_NO_FATAL_FAILURE(randomChange(*index, model, 50, 1500));
      }
      const bool forward = rng_() % 2;
      const int rc = forward ? index->next(c) : index->prev(c);
      auto expected = forward ? model.upper_bound(was) : model.lower_bound(was);
      if (!forward) expected = expected == model.begin() ? model.end() : std::prev(expected);
      if (expected == model.end()) {
        EXPECT_EQ(rc, kEof);
        EXPECT_FALSE(c.valid());
      } else {
        ASSERT_EQ(rc, kSuccess);
        EXPECT_EQ(Entry(c.key(), c.recno()), *expected);
      }
    }
    TreeShape shape;
    ASSERT_NO_FATAL_FAILURE(expectMatches(*index, model, 1500, &shape));
  }
}

TEST_F(NtxIndexTest, SeekFindsFirstOfDuplicatesAndReportsKind) {
  std::vector<Entry> entries;
  for (std::uint32_t r = 200; r > 0; --r)
    entries.push_back({makeKey(static_cast<int>(r % 7) * 10, 8), r});
  auto index = build(8, entries);
  ASSERT_TRUE(index);
  NtxCursor c;
  EXPECT_EQ(index->seek(c, "00030"), kSuccess);
  EXPECT_EQ(c.recno(), 3u);  // lowest record number with key 30
  EXPECT_EQ(index->seek(c, "00031"), kAfter);
  EXPECT_EQ(c.key(), makeKey(40, 8));
  EXPECT_EQ(c.recno(), 4u);
  EXPECT_EQ(index->seek(c, "00061"), kEof);
  EXPECT_FALSE(c.valid());
  EXPECT_EQ(index->next(c), kEof);
  EXPECT_EQ(index->seekEntry(c, makeKey(30, 8).data(), 4), kAfter);
  EXPECT_EQ(c.recno(), 10u);
}

class NtxBuildTest : public NtxIndexTest, public testing::WithParamInterface<int> {};

// Built trees hold exactly the sorted distinct input, random or nearly sorted (keys
// rising in runs, one in ten out of place, as books entered in date order give), with
// every page but the root at least half full, for sizes around one page and beyond; they
// then take changes and read back the same after reopening.
TEST_P(NtxBuildTest, BuiltTreeIsSortedBalancedAndChangeable) {
  for (auto [keyLength, nearlySorted] : {std::pair{250, false}, {10, false}, {10, true}}) {
    SCOPED_TRACE(keyLength);
    SCOPED_TRACE(nearlySorted);
    const int max = keyLength == 250 ? 2 : 50;
    const int sizes[] = {0, 1, max, max + 1, 2 * max + 1, max * (max + 2), GetParam()};
    for (int n : sizes) {
      SCOPED_TRACE(n);
      std::vector<Entry> input;
      for (int i = 0; i < n; ++i) {
        const int value = !nearlySorted ? rng_() % (n / 2 + 1)
                          : i % 10 == 9 ? rng_() % (i / 3 + 1)
                                        : i / 3;
        // Record numbers in no order, each once, as a table gives them.
        input.push_back({makeKey(value, keyLength), 1 + (i * 7919u) % 100003u});
      }
      const Model model(input.begin(), input.end());
      auto index = build(keyLength, input);
      ASSERT_TRUE(index);
      EXPECT_EQ(ntxtest::le16(bytes(), 18), static_cast<std::uint32_t>(max));
      TreeShape shape;
      ASSERT_NO_FATAL_FAILURE(expectMatches(*index, model, n / 2 + 1, &shape));
      EXPECT_EQ(shape.freePages, 0);

      Model changed = model;
      for (int i = 0; i < 300; ++i)
        ASSERT_NO_FATAL_FAILURE(randomChange(*index, changed, 50, n + 1));
      ASSERT_NO_FATAL_FAILURE(expectMatches(*index, changed, n + 1, &shape));
      int rc = 0;
      index.reset();
      index = reopen(&rc);
      ASSERT_TRUE(index) << rc;
      EXPECT_EQ(walk(*index, true, &rc), std::vector<Entry>(changed.begin(), changed.end()));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, NtxBuildTest, testing::Values(20000));

// Keys beyond the sorter's memory are sorted in runs written beside the index and merged
// as they are read back; the runs are removed with the sorter. A run that cannot be
// written fails the adding.
TEST_F(NtxIndexTest, KeysBeyondTheSortersMemoryAreSortedThroughRuns) {
  Model model;
  {
    NtxKeySorter sorter(10, &fs_, "t.ntx.run", 4096);
    for (std::uint32_t recno = 1; recno <= 5000; ++recno) {
      const std::string key = makeKey(rng_() % 700, 10);
      model.insert({key, recno});
      ASSERT_EQ(sorter.add(key.data(), recno), kSuccess);
    }
    ASSERT_EQ(sorter.finish(), kSuccess);
    EXPECT_TRUE(fs_.exists("t.ntx.run.2"));
    int rc = 0;
    auto index = NtxIndex::build(fs_.open(kPath, OpenMode::Create, LockMode::None, &rc),
                                 infoFor(10), sorter, &rc);
    ASSERT_TRUE(index) << rc;
    EXPECT_EQ(walk(*index, true, &rc), std::vector<Entry>(model.begin(), model.end()));
  }
  EXPECT_FALSE(fs_.exists("t.ntx.run.1"));
  NtxKeySorter failing(10, &fs_, "t.ntx.run", 4096);
  fs_.failWritesAfter(0);
  int rc = kSuccess;
  for (std::uint32_t recno = 1; recno <= 5000 && rc == kSuccess; ++recno)
    rc = failing.add(makeKey(1, 10).data(), recno);
  EXPECT_EQ(rc, kErrWrite);
}

TEST_F(NtxIndexTest, HeaderLayout) {
  auto index = build(12, {{makeKey(1, 12), 1}});
  ASSERT_TRUE(index);
  const std::string b = bytes();
  EXPECT_EQ(b.size() % 1024, 0u);
  EXPECT_EQ(ntxtest::le16(b, 0), 6u);         // Clipper 5 signature
  EXPECT_EQ(ntxtest::le32(b, 4) % 1024, 0u);  // root page
  EXPECT_EQ(ntxtest::le32(b, 8), 0u);         // no free page
  EXPECT_EQ(ntxtest::le16(b, 12), 20u);       // item size
  EXPECT_EQ(ntxtest::le16(b, 14), 12u);       // key size
  EXPECT_EQ(ntxtest::le16(b, 18), 44u);       // max items: 1022 / 22 - 1, made even
  EXPECT_EQ(ntxtest::le16(b, 20), 22u);       // half page
  EXPECT_EQ(b.substr(22, 27), std::string("DTOS(EXPDATE)+STR(ACCNO,4)") + '\0');
  EXPECT_EQ(b[278], 0);  // not unique
  EXPECT_EQ(b.substr(280, 16), std::string(".NOT. DELETED()") + '\0');
  EXPECT_EQ(b.substr(536, 12), std::string("EDATE\0\0\0\0\0\0\0", 12));
  EXPECT_EQ(index->info().tagName, "EDATE");
  EXPECT_EQ(index->info().forExpression, ".NOT. DELETED()");
  EXPECT_EQ(index->info().keyLength, 12);
}

TEST_F(NtxIndexTest, BuildRejectsBadShapes) {
  int rc = 0;
  EXPECT_FALSE(build(0, {}, &rc));
  EXPECT_EQ(rc, kErrIndex);
  EXPECT_FALSE(build(251, {}, &rc));
  EXPECT_EQ(rc, kErrIndex);
  NtxKeySorter shorterKeys(7);
  shorterKeys.finish();
  auto file = fs_.open(kPath, OpenMode::Create, LockMode::None, &rc);
  EXPECT_FALSE(NtxIndex::build(std::move(file), infoFor(8), shorterKeys, &rc));
  EXPECT_EQ(rc, kErrIndex);
}

// Opening a large index reads its header and root, not the whole file.
TEST_F(NtxIndexTest, OpenReadsOnlyHeaderAndRoot) {
  std::vector<Entry> input;
  for (int i = 0; i < 50000; ++i)
    input.push_back({makeKey(i, 10), static_cast<std::uint32_t>(i + 1)});
  ASSERT_TRUE(build(10, input));
  const int before = fs_.readCount();
  int rc = 0;
  auto index = reopen(&rc);
  ASSERT_TRUE(index) << rc;
  EXPECT_LE(fs_.readCount() - before, 2);
  NtxCursor c;
  EXPECT_EQ(index->seek(c, makeKey(31234, 10)), kSuccess);
  EXPECT_EQ(c.recno(), 31235u);
}

}  // namespace
}  // namespace xbase
