#include "NtxBuilder.h"

#include <algorithm>
#include <cstring>

#include "NtxPage.h"
#include "xbase/Status.h"

namespace xbase {

namespace {

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

int writeNtxFile(File& file, ntx::Header* header, NtxKeySorter& entries, std::uint64_t* fileSize) {
  const int kl = header->keyLength;
  const int max = ntx::maxItemsFor(kl);

  // Plan the levels. Seen from below, N entries are N + 1 empty subtrees; each level
  // groups its children into as few pages as hold them (max + 1 children a page), and
  // the keys between pages move up. Even shares give every page at least max/2 keys.
  std::vector<Level> levels;
  std::uint64_t children = entries.count() + 1, pages = 1;
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
  const char* key = nullptr;
  std::uint32_t recno = 0;
  std::uint64_t written = 0;
  while (entries.next(&key, &recno)) {
    ++written;
    NtxPage& leaf = levels[0].page;
    if (static_cast<std::uint64_t>(leaf.count()) + 1 < levels[0].target()) {
      leaf.insert(leaf.count(), key, recno, 0);
      continue;
    }
    // The leaf is complete, so this entry separates it from the next one upwards.
    std::uint32_t off = finish(0);
    for (std::size_t l = 1; l < levels.size(); ++l) {
      NtxPage& page = levels[l].page;
      page.setChild(page.count(), off);
      if (static_cast<std::uint64_t>(page.count()) + 1 < levels[l].target()) {
        page.insert(page.count(), key, recno, 0);  // its right child comes later
        break;
      }
      off = finish(l);
    }
  }
  if (entries.error() != kSuccess) return entries.error();
  if (written != entries.count()) return kErrRead;
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
