// Helpers for the .ntx index tests: an independent reader of the file layout that checks
// the B-tree invariants, and walks of an index through its cursors.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "NtxIndex.h"
#include "NtxKeySorter.h"
#include "xbase/Status.h"

namespace xbase::ntxtest {

using Entry = std::pair<std::string, std::uint32_t>;
using Model = std::set<Entry>;

inline std::uint32_t le16(const std::string& b, std::size_t at) {
  return static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8);
}
inline std::uint32_t le32(const std::string& b, std::size_t at) {
  return le16(b, at) | (le16(b, at + 2) << 16);
}

// Builds an index of entries, whose keys have info.keyLength bytes, sorted in memory.
inline std::unique_ptr<NtxIndex> buildIndex(std::unique_ptr<File> file, const NtxInfo& info,
                                            const std::vector<Entry>& entries, int* rc) {
  NtxKeySorter sorter(info.keyLength);
  for (const auto& [key, recno] : entries) sorter.add(key.data(), recno);
  sorter.finish();
  return NtxIndex::build(std::move(file), info, sorter, rc);
}

// A key of keyLength bytes starting with value as five digits, padded with blanks.
inline std::string makeKey(int value, int keyLength) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%05d", value);
  std::string key(digits);
  key.resize(keyLength, ' ');
  return key;
}

struct TreeShape {
  int depth = 0;  // levels, 1 for a lone root
  std::vector<Entry> entries;
  std::vector<std::vector<std::uint32_t>> levels;  // page offsets, root level first
  int freePages = 0;
};

// Reads an .ntx file straight from its bytes and checks: page counts within max, every
// page but the root at least half full, all leaves at one depth, entries strictly
// ascending in order, and every page either in the tree or on the free list exactly once.
inline testing::AssertionResult checkTree(const std::string& b, TreeShape* shape) {
  if (b.size() < 2048 || b.size() % 1024) return testing::AssertionFailure() << "file size";
  const std::uint32_t keyLen = le16(b, 14), max = le16(b, 18), half = le16(b, 20);
  const std::uint32_t root = le32(b, 4);
  if (le16(b, 12) != keyLen + 8 || half != max / 2) {
    return testing::AssertionFailure() << "header sizes";
  }
  std::set<std::uint32_t> seen;
  *shape = TreeShape();
  std::string error;
  auto visit = [&](auto&& self, std::uint32_t page, int depth) -> void {
    if (!error.empty()) return;
    if (page % 1024 || page == 0 || page + 1024 > b.size() || !seen.insert(page).second) {
      error = "bad or repeated page " + std::to_string(page);
      return;
    }
    if (static_cast<int>(shape->levels.size()) < depth) shape->levels.resize(depth);
    shape->levels[depth - 1].push_back(page);
    const std::uint32_t count = le16(b, page);
    if (count > max || (page != root && count < half)) {
      error = "count " + std::to_string(count) + " at page " + std::to_string(page);
      return;
    }
    auto item = [&](std::uint32_t i) { return page + le16(b, page + 2 + 2 * i); };
    const bool leaf = le32(b, item(0)) == 0;
    if (leaf && shape->depth != 0 && shape->depth != depth) {
      error = "leaves at depths " + std::to_string(shape->depth) + " and " + std::to_string(depth);
      return;
    }
    if (leaf) shape->depth = depth;
    for (std::uint32_t i = 0; i <= count; ++i) {
      const std::uint32_t child = le32(b, item(i));
      if ((child == 0) != leaf) error = "mixed leaf page " + std::to_string(page);
      if (!leaf) self(self, child, depth + 1);
      if (i == count || !error.empty()) break;
      Entry e{b.substr(item(i) + 8, keyLen), le32(b, item(i) + 4)};
      if (!shape->entries.empty() && !(shape->entries.back() < e)) error = "order";
      shape->entries.push_back(std::move(e));
    }
  };
  visit(visit, root, 1);
  if (!error.empty()) return testing::AssertionFailure() << error;
  for (std::uint32_t page = le32(b, 8); page != 0; page = le32(b, page)) {
    if (page % 1024 || page + 1024 > b.size() || !seen.insert(page).second) {
      return testing::AssertionFailure() << "bad free list page " << page;
    }
    ++shape->freePages;
  }
  if (seen.size() != b.size() / 1024 - 1) {
    return testing::AssertionFailure() << "pages lost: " << b.size() / 1024 - 1 - seen.size();
  }
  return testing::AssertionSuccess();
}

// All entries by first()/next(), or by last()/prev() (then in descending order). *rc gets
// the code that ended the walk (kEof when it ran to the end).
inline std::vector<Entry> walk(NtxIndex& index, bool forward, int* rc) {
  std::vector<Entry> out;
  NtxCursor c;
  for (*rc = forward ? index.first(c) : index.last(c); *rc == kSuccess;
       *rc = forward ? index.next(c) : index.prev(c)) {
    out.emplace_back(c.key(), c.recno());
  }
  return out;
}

}  // namespace xbase::ntxtest
