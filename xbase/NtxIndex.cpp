#include "NtxIndex.h"

#include <algorithm>

#include "NtxBuilder.h"
#include "NtxIndexImpl.h"

namespace xbase {

NtxIndex::Impl::Impl(std::unique_ptr<File> file, const ntx::Header& header, std::uint64_t fileSize)
    : store(std::move(file), header, fileSize) {
  info.keyExpression = header.keyExpression;
  info.forExpression = header.forExpression;
  info.tagName = header.tagName;
  info.keyLength = header.keyLength;
  info.decimals = header.decimals;
  info.unique = header.unique;
}

NtxIndex::NtxIndex() = default;
NtxIndex::~NtxIndex() = default;

std::unique_ptr<NtxIndex> NtxIndex::open(std::unique_ptr<File> file, int* error) {
  const long long size = file->size();
  if (size < 0) {
    *error = kErrRead;
    return nullptr;
  }
  // A header page and a root page at the least.
  if (size < static_cast<long long>(2 * ntx::kPageSize)) {
    *error = kErrIndex;
    return nullptr;
  }
  char page[ntx::kPageSize];
  if (file->read(0, page, sizeof page) != static_cast<long long>(sizeof page)) {
    *error = kErrRead;
    return nullptr;
  }
  ntx::Header header;
  if ((*error = ntx::decodeHeader(page, &header)) != kSuccess) return nullptr;
  // The root and the free list head must be pages of this file, or the first walk or
  // insert would read outside it.
  if (!ntxPageOffsetValid(header.root, size) ||
      (header.freeList != 0 && !ntxPageOffsetValid(header.freeList, size))) {
    *error = kErrIndex;
    return nullptr;
  }
  std::unique_ptr<NtxIndex> index(new NtxIndex);
  index->impl_ = std::make_unique<Impl>(std::move(file), header, size);
  std::shared_ptr<const NtxPage> root;
  if ((*error = index->impl_->store.read(header.root, &root)) != kSuccess) return nullptr;
  return index;
}

std::unique_ptr<NtxIndex> NtxIndex::build(std::unique_ptr<File> file, const NtxInfo& info,
                                          NtxKeySorter& entries, int* error) {
  if (info.keyLength < 1 || info.keyLength > ntx::kMaxKeyLength ||
      entries.keyLength() != info.keyLength) {
    *error = kErrIndex;
    return nullptr;
  }
  ntx::Header header;
  header.keyLength = info.keyLength;
  header.decimals = info.decimals;
  header.keyExpression = info.keyExpression;
  header.forExpression = info.forExpression;
  header.tagName = info.tagName;
  header.unique = info.unique;
  std::uint64_t size = 0;
  if ((*error = writeNtxFile(*file, &header, entries, &size)) != kSuccess) return nullptr;
  // Reading back the header gives the info exactly as a later open() will see it.
  char page[ntx::kPageSize];
  ntx::encodeHeader(header, page);
  ntx::decodeHeader(page, &header);
  std::unique_ptr<NtxIndex> index(new NtxIndex);
  index->impl_ = std::make_unique<Impl>(std::move(file), header, size);
  return index;
}

const NtxInfo& NtxIndex::info() const { return impl_->info; }
int NtxIndex::keyLength() const { return impl_->store.keyLength(); }
std::uint64_t NtxIndex::version() const { return impl_->version; }
bool NtxIndex::sync() { return impl_->store.sync(); }

int NtxIndex::Impl::enter(const Path& path, std::uint32_t off,
                          std::shared_ptr<const NtxPage>* page) {
  if (path.size() >= static_cast<std::size_t>(ntx::kMaxDepth) || onPath(path, off)) {
    return kErrIndex;
  }
  return store.read(off, page);
}

int NtxIndex::Impl::settledLevel(const Path& path, int* rc) {
  for (int level = static_cast<int>(path.size()) - 1; level >= 0; --level) {
    std::shared_ptr<const NtxPage> page;
    if ((*rc = store.read(path[level].first, &page)) != kSuccess) return -1;
    if (path[level].second < page->count()) return level;
  }
  *rc = kEof;
  return -1;
}

int NtxIndex::Impl::fail(NtxCursor& c, int rc) {
  c.valid_ = false;
  c.path_.clear();
  return rc;
}

int NtxIndex::Impl::load(NtxCursor& c, int direction) {
  std::shared_ptr<const NtxPage> page;
  if (int rc = store.read(c.path_.back().first, &page); rc != kSuccess) return fail(c, rc);
  const int i = c.path_.back().second;
  if (direction != 0) {
    const int order = compare(*page, i, c.key_.data(), c.recno_);
    if (direction > 0 ? order <= 0 : order >= 0) return fail(c, kErrIndex);
  }
  c.key_.assign(page->key(i), store.keyLength());
  c.recno_ = page->recno(i);
  c.valid_ = true;
  c.version_ = version;
  return kSuccess;
}

int NtxIndex::Impl::settle(NtxCursor& c) {
  int rc = kSuccess;
  const int level = settledLevel(c.path_, &rc);
  if (level < 0) return fail(c, rc);
  c.path_.resize(level + 1);
  return load(c, 0);
}

// Down the first subtrees from off to the smallest entry.
int NtxIndex::Impl::leftmost(NtxCursor& c, std::uint32_t off) {
  for (;;) {
    std::shared_ptr<const NtxPage> page;
    if (int rc = enter(c.path_, off, &page); rc != kSuccess) return rc;
    c.path_.emplace_back(off, 0);
    if (page->leaf()) {
      // Only the root of an empty index may be an empty leaf.
      return page->count() > 0 ? kSuccess : c.path_.size() == 1 ? kEof : kErrIndex;
    }
    off = page->child(0);
  }
}

// Down the last subtrees from off to the greatest entry.
int NtxIndex::Impl::rightmost(NtxCursor& c, std::uint32_t off) {
  for (;;) {
    std::shared_ptr<const NtxPage> page;
    if (int rc = enter(c.path_, off, &page); rc != kSuccess) return rc;
    if (page->leaf()) {
      c.path_.emplace_back(off, page->count() - 1);
      return page->count() > 0 ? kSuccess : c.path_.size() == 1 ? kEof : kErrIndex;
    }
    c.path_.emplace_back(off, page->count());
    off = page->child(page->count());
  }
}

int NtxIndex::Impl::stepForward(NtxCursor& c) {
  std::shared_ptr<const NtxPage> page;
  if (int rc = store.read(c.path_.back().first, &page); rc != kSuccess) return fail(c, rc);
  int& index = c.path_.back().second;
  if (!page->leaf()) {
    // The next entry is the smallest of the subtree after this one.
    ++index;
    const int rc = leftmost(c, page->child(index));
    return rc == kSuccess ? load(c, 1) : fail(c, rc);
  }
  if (++index < page->count()) return load(c, 1);
  // Past a leaf's end: up to the first ancestor with an entry after the subtree we left;
  // its index there already names that entry.
  c.path_.pop_back();
  int rc = kSuccess;
  const int level = settledLevel(c.path_, &rc);
  if (level < 0) return fail(c, rc);
  c.path_.resize(level + 1);
  return load(c, 1);
}

int NtxIndex::Impl::stepBack(NtxCursor& c) {
  std::shared_ptr<const NtxPage> page;
  if (int rc = store.read(c.path_.back().first, &page); rc != kSuccess) return fail(c, rc);
  const int index = c.path_.back().second;
  if (!page->leaf()) {
    // The previous entry is the greatest of the subtree before this one.
    const int rc = rightmost(c, page->child(index));
    return rc == kSuccess ? load(c, -1) : fail(c, rc);
  }
  if (index > 0) {
    --c.path_.back().second;
    return load(c, -1);
  }
  // Before a leaf's start: up to the first ancestor with an entry before the subtree.
  c.path_.pop_back();
  while (!c.path_.empty() && c.path_.back().second == 0) c.path_.pop_back();
  if (c.path_.empty()) return fail(c, kEof);
  --c.path_.back().second;
  return load(c, -1);
}

int NtxIndex::first(NtxCursor& c) {
  c.path_.clear();
  const int rc = impl_->leftmost(c, impl_->store.root());
  return rc == kSuccess ? impl_->load(c, 0) : impl_->fail(c, rc);
}

int NtxIndex::last(NtxCursor& c) {
  c.path_.clear();
  const int rc = impl_->rightmost(c, impl_->store.root());
  return rc == kSuccess ? impl_->load(c, 0) : impl_->fail(c, rc);
}

int NtxIndex::next(NtxCursor& c) {
  if (!c.valid_) return kEof;
  if (c.version_ != impl_->version) {
    // The tree changed under the cursor: find its entry again. If that entry is gone, the
    // first greater one is where the walk continues.
    const std::string key = c.key_;
    const int rc = seekEntry(c, key.data(), c.recno_);
    if (rc != kSuccess) return rc == kAfter ? kSuccess : rc;
  }
  return impl_->stepForward(c);
}

int NtxIndex::pageRecnos(const NtxCursor& c, std::uint32_t* out, int max) {
  if (!c.valid_ || c.path_.empty()) return 0;
  std::shared_ptr<const NtxPage> page;
  if (impl_->store.read(c.path_.back().first, &page) != kSuccess) return 0;
  int n = 0;
  for (int i = c.path_.back().second; i < page->count() && n < max; ++i) out[n++] = page->recno(i);
  return n;
}

int NtxIndex::forEachEntry(const std::function<void(const char*, std::uint32_t)>& visit) {
  Impl& m = *impl_;
  // From the root down, each page with the number of its subtrees entered so far, and its
  // decoded copy; a page already on the path is not entered again (a cycle).
  Impl::Path path;
  std::vector<NtxPage> pages;
  const auto enter = [&](std::uint32_t off) -> int {
    if (path.size() >= static_cast<std::size_t>(ntx::kMaxDepth) || Impl::onPath(path, off))
      return kErrIndex;
    if (pages.size() == path.size()) pages.emplace_back(m.store.keyLength());
    const int rc = m.store.readForPass(off, &pages[path.size()]);
    if (rc == kSuccess) path.emplace_back(off, 0);
    return rc;
  };
  // Entries must come in strictly rising order, as in a cursor walk, so a damaged tree
  // that links a page twice fails instead of listing its records again. The last entry
  // visited on another page is kept as a copy; within a leaf an entry is held to the one
  // before it.
  std::string previous;
  std::uint32_t previousRecno = 0;
  const auto rises = [&](const NtxPage& page, int i) {
    if (i > 0 && page.leaf()) return m.compare(page, i, page.key(i - 1), page.recno(i - 1)) > 0;
    return previous.empty() || m.compare(page, i, previous.data(), previousRecno) > 0;
  };
  const auto keep = [&](const NtxPage& page, int i) {
    previous.assign(page.key(i), m.store.keyLength());
    previousRecno = page.recno(i);
  };
  if (int rc = enter(m.store.root()); rc != kSuccess) return rc;
  while (!path.empty()) {
    const NtxPage& page = pages[path.size() - 1];
    int& entered = path.back().second;
    if (page.leaf()) {
      for (int i = 0; i < page.count(); ++i) {
        if (!rises(page, i)) return kErrIndex;
        visit(page.key(i), page.recno(i));
      }
      if (page.count() > 0) keep(page, page.count() - 1);
      entered = page.count() + 1;
    } else if (entered > 0 && entered - 1 < page.count()) {
      // The entry after the subtree just left.
      if (!rises(page, entered - 1)) return kErrIndex;
      visit(page.key(entered - 1), page.recno(entered - 1));
      keep(page, entered - 1);
    }
    if (entered <= page.count()) {
      const std::uint32_t child = page.child(entered++);
      if (int rc = enter(child); rc != kSuccess) return rc;
    } else {
      path.pop_back();
    }
  }
  return kSuccess;
}

int NtxIndex::prev(NtxCursor& c) {
  if (!c.valid_) return kEof;
  if (c.version_ != impl_->version) {
    // Step back from the entry itself or, if it is gone, from the first greater one; with
    // none greater, the last entry is the one before.
    const std::string key = c.key_;
    const int rc = seekEntry(c, key.data(), c.recno_);
    if (rc == kEof) return last(c);
    if (rc < 0) return rc;
  }
  return impl_->stepBack(c);
}

int NtxIndex::seek(NtxCursor& c, std::string_view key) {
  const std::size_t n = std::min(key.size(), static_cast<std::size_t>(keyLength()));
  int rc = impl_->descend(
      [&](const NtxPage& p, int i) { return std::memcmp(p.key(i), key.data(), n) < 0; }, &c.path_);
  if (rc == kSuccess) rc = impl_->settle(c);
  if (rc != kSuccess) return impl_->fail(c, rc);
  return std::memcmp(c.key_.data(), key.data(), n) == 0 ? kSuccess : kAfter;
}

int NtxIndex::seekEntry(NtxCursor& c, const char* key, std::uint32_t recno) {
  int rc = impl_->descendToEntry(key, recno, &c.path_);
  if (rc == kSuccess) rc = impl_->settle(c);
  if (rc != kSuccess) return impl_->fail(c, rc);
  const bool exact = std::memcmp(c.key_.data(), key, keyLength()) == 0 && c.recno_ == recno;
  return exact ? kSuccess : kAfter;
}

int NtxIndex::insert(const char* key, std::uint32_t recno) { return impl_->insert(key, recno); }

int NtxIndex::remove(const char* key, std::uint32_t recno) { return impl_->remove(key, recno); }

}  // namespace xbase
