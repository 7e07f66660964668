// Inside of NtxIndex, shared by its reading (NtxIndex.cpp) and changing
// (NtxIndexUpdate.cpp) halves.
#pragma once

#include <cstring>
#include <memory>

#include "NtxIndex.h"
#include "NtxPageStore.h"
#include "xbase/Status.h"

namespace xbase {

struct NtxIndex::Impl {
  using Path = std::vector<std::pair<std::uint32_t, int>>;

  Impl(std::unique_ptr<File> file, const ntx::Header& header, std::uint64_t fileSize);

  // Order of entry i of page against (key, recno): negative, zero or positive.
  int compare(const NtxPage& page, int i, const char* key, std::uint32_t recno) const {
    if (int c = std::memcmp(page.key(i), key, store.keyLength())) return c;
    return page.recno(i) < recno ? -1 : page.recno(i) > recno ? 1 : 0;
  }

  static bool onPath(const Path& path, std::uint32_t off) {
    for (const auto& step : path) {
      if (step.first == off) return true;
    }
    return false;
  }
  // Reads the page at off as the next level of path, refusing a path deeper than any
  // sound tree or one that meets a page twice (a cycle). kSuccess or an error.
  int enter(const Path& path, std::uint32_t off, std::shared_ptr<const NtxPage>* page);

  // Walks from the root to a leaf, at each level taking the first entry for which
  // less(page, i) is false (the subtree before it when inside a node), and fills path
  // with (page, index) for every level. kSuccess or an error.
  template <typename Less>
  int descend(Less less, Path* path) {
    path->clear();
    std::uint32_t off = store.root();
    for (;;) {
      std::shared_ptr<const NtxPage> page;
      if (int rc = enter(*path, off, &page); rc != kSuccess) return rc;
      int lo = 0, hi = page->count();
      while (lo < hi) {
        const int mid = (lo + hi) / 2;
        if (less(*page, mid)) {
          lo = mid + 1;
        } else {
          hi = mid;
        }
      }
      path->emplace_back(off, lo);
      if (page->leaf()) return kSuccess;
      off = page->child(lo);
    }
  }
  int descendToEntry(const char* key, std::uint32_t recno, Path* path) {
    return descend([&](const NtxPage& p, int i) { return compare(p, i, key, recno) < 0; }, path);
  }
  // The level of path holding the entry a descent stopped before: the deepest level
  // whose index is not past its page's last entry. -1 when there is none (end of index).
  int settledLevel(const Path& path, int* rc);

  // Cursor moves. Each returns kSuccess, kEof or an error, and leaves c invalid unless
  // it is on an entry.
  int settle(NtxCursor& c);  // c.path_ from a descent
  int leftmost(NtxCursor& c, std::uint32_t off);
  int rightmost(NtxCursor& c, std::uint32_t off);
  int stepForward(NtxCursor& c);
  int stepBack(NtxCursor& c);
  // Copies the entry at the end of c.path_ into c. A walk must move strictly in its
  // direction (+1 forward, -1 back, 0 for a fresh position); a tree whose pages are
  // linked out of order fails with kErrIndex instead of revisiting entries forever.
  int load(NtxCursor& c, int direction);
  int fail(NtxCursor& c, int rc);

  int insert(const char* key, std::uint32_t recno);
  int remove(const char* key, std::uint32_t recno);
  // Restores the minimum fill of path's pages after an entry left the bottom one.
  int rebalance(const Path& path);

  NtxPageStore store;
  NtxInfo info;
  std::uint64_t version = 1;
};

}  // namespace xbase
