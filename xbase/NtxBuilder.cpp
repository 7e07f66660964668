#include "NtxBuilder.h"

#include <algorithm>
#include <cstring>

#include "NtxPage.h"
#include "xbase/Status.h"

namespace xbase {

namespace {

// A sort record holding the first 16 key bytes as big-endian integers, so most
// comparisons are two integer compares on a compact array instead of memcmp through
// an index into the key buffer.
struct SortItem {
  std::uint64_t hi, lo;
  std::uint32_t recno, index;
};

std::uint64_t bigEndian(const unsigned char* p) {
  std::uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v = (v << 8) | p[i];
  return v;
}

// Sorts items, which come in record order. Books are mostly entered in date order, so a
// tag's keys often come nearly sorted by their first bytes: the entries that break the
// rising run of the first eight bytes are taken aside, each run of equal first bytes is
// sorted where it lies, and the entries taken aside are sorted and merged back. When
// many break the run, the whole is sorted as it is.
template <class Less>
void sortNearlySorted(std::vector<SortItem>& items, Less less) {
  const std::size_t n = items.size();
  std::vector<SortItem> aside;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (kept == 0 || items[i].hi >= items[kept - 1].hi) {
      items[kept++] = items[i];
    } else if (aside.size() < n / 8) {
      aside.push_back(items[i]);
    } else {
      // Not nearly sorted: put the entries taken aside back in the gap they left.
      std::copy(aside.begin(), aside.end(), items.begin() + kept);
      std::sort(items.begin(), items.end(), less);
      return;
    }
  }
  for (std::size_t start = 0, end = 0; start < kept; start = end) {
    for (end = start + 1; end < kept && items[end].hi == items[start].hi;) ++end;
    std::sort(items.begin() + start, items.begin() + end, less);
  }
  std::sort(aside.begin(), aside.end(), less);
  // Merge from the back, into the room the entries taken aside left at the end.
  std::size_t a = kept, b = aside.size(), out = n;
  while (b > 0) {
    if (a > 0 && less(aside[b - 1], items[a - 1])) {
      items[--out] = items[--a];
    } else {
      items[--out] = aside[--b];
    }
  }
}

std::vector<SortItem> sortedEntries(const std::vector<char>& keys,
                                    const std::vector<std::uint32_t>& recnos, int keyLength) {
  const std::size_t n = recnos.size();
  const std::size_t kl = static_cast<std::size_t>(keyLength);
  std::vector<SortItem> items(n);
  unsigned char prefix[16] = {};
  for (std::size_t i = 0; i < n; ++i) {
    std::memcpy(prefix, keys.data() + i * kl, std::min<std::size_t>(kl, 16));
    items[i] = {bigEndian(prefix), bigEndian(prefix + 8), recnos[i], static_cast<std::uint32_t>(i)};
  }
  // Bytes beyond the prefix; zero when the prefix is the whole key.
  auto tail = [&](const SortItem& a, const SortItem& b) {
    return kl <= 16 ? 0
                    : std::memcmp(keys.data() + a.index * kl + 16, keys.data() + b.index * kl + 16,
                                  kl - 16);
  };
  auto less = [&](const SortItem& a, const SortItem& b) {
    if (a.hi != b.hi) return a.hi < b.hi;
    if (a.lo != b.lo) return a.lo < b.lo;
    if (int t = tail(a, b)) return t < 0;
    return a.recno < b.recno;
  };
  sortNearlySorted(items, less);
  auto same = [&](const SortItem& a, const SortItem& b) {
    return a.hi == b.hi && a.lo == b.lo && a.recno == b.recno && tail(a, b) == 0;
  };
  items.erase(std::unique(items.begin(), items.end(), same), items.end());
  return items;
}

// One level of the tree under construction. Level 0 holds the leaves. A level of
// `nodes` pages shares out its children evenly: q each, one more for the first r.
struct Level {
  explicit Level(int keyLength) : page(keyLength) {}
  std::uint64_t nodes = 0, q = 0, r = 0;
  std::uint64_t done = 0;  // pages of this level written so far
  NtxPage page;            // the page being filled
  std::uint64_t target() const { return q + (done < r ? 1 : 0); }  // its child count
};

// Collects encoded pages in order and writes them in large sequential blocks.
class PageWriter {
 public:
  explicit PageWriter(File& file) : file_(file) { buffer_.reserve(kBlock); }
  std::uint32_t add(const NtxPage& page, int maxItems) {
    const std::size_t at = buffer_.size();
    buffer_.resize(at + ntx::kPageSize);
    page.encode(maxItems, buffer_.data() + at);
    const std::uint32_t off = next_;
    next_ += ntx::kPageSize;
    if (buffer_.size() >= kBlock) flush();
    return off;
  }
  bool flush() {
    ok_ = ok_ && file_.write(start_, buffer_.data(), buffer_.size());
    start_ = next_;
    buffer_.clear();
    return ok_;
  }
  std::uint64_t end() const { return next_; }

 private:
  static constexpr std::size_t kBlock = 1 << 20;
  File& file_;
  std::vector<char> buffer_;
  std::uint64_t start_ = ntx::kPageSize;  // file offset of buffer_[0]
  std::uint64_t next_ = ntx::kPageSize;   // offset of the next page
  bool ok_ = true;
};

}  // namespace

int writeNtxFile(File& file, ntx::Header* header, const std::vector<char>& keys,
                 const std::vector<std::uint32_t>& recnos, std::uint64_t* fileSize) {
  const int kl = header->keyLength;
  const int max = ntx::maxItemsFor(kl);
  const std::vector<SortItem> items = sortedEntries(keys, recnos, kl);

  // Plan the levels. Seen from below, N entries are N + 1 empty subtrees; each level
  // groups its children into as few pages as hold them (max + 1 children a page), and
  // the keys between pages move up. Even shares give every page at least max/2 keys.
  std::vector<Level> levels;
  std::uint64_t children = items.size() + 1, pages = 1;
  do {
    Level& l = levels.emplace_back(kl);
    l.nodes = (children + max) / (max + 1);
    l.q = children / l.nodes;
    l.r = children % l.nodes;
    children = l.nodes;
    pages += l.nodes;
  } while (children > 1);
  if (pages * ntx::kPageSize > UINT32_MAX) return kErrIndex;

  if (!file.truncate(0)) return kErrWrite;
  PageWriter out(file);
  // Writes level l's full page and hands its offset to the level above.
  auto finish = [&](std::size_t l) {
    const std::uint32_t off = out.add(levels[l].page, max);
    levels[l].page.clear();
    ++levels[l].done;
    return off;
  };
  for (const SortItem& e : items) {
    const char* key = keys.data() + static_cast<std::size_t>(e.index) * kl;
    NtxPage& leaf = levels[0].page;
    if (static_cast<std::uint64_t>(leaf.count()) + 1 < levels[0].target()) {
      leaf.insert(leaf.count(), key, e.recno, 0);
      continue;
    }
    // The leaf is complete, so this entry separates it from the next one upwards.
    std::uint32_t off = finish(0);
    for (std::size_t l = 1; l < levels.size(); ++l) {
      NtxPage& page = levels[l].page;
      page.setChild(page.count(), off);
      if (static_cast<std::uint64_t>(page.count()) + 1 < levels[l].target()) {
        page.insert(page.count(), key, e.recno, 0);  // its right child comes later
        break;
      }
      off = finish(l);
    }
  }
  std::uint32_t root = finish(0);
  for (std::size_t l = 1; l < levels.size(); ++l) {
    levels[l].page.setChild(levels[l].page.count(), root);
    root = finish(l);
  }
  if (!out.flush()) return kErrWrite;

  header->root = root;
  header->freeList = 0;
  header->maxItems = max;
  header->halfPage = max / 2;
  char page[ntx::kPageSize];
  ntx::encodeHeader(*header, page);
  if (!file.write(0, page, sizeof page)) return kErrWrite;
  *fileSize = out.end();
  return kSuccess;
}

}  // namespace xbase
