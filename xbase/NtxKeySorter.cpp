#include "NtxKeySorter.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "ByteCoding.h"
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

// A held entry whose key has at most 12 bytes: the key's bytes as big-endian integers in
// hi and the top half of lo, the record number in the bottom half, so that one 128-bit
// compare orders entries by key and then record number, and no key is kept besides.
struct PackedItem {
  std::uint64_t hi, lo;
};
constexpr int kMaxPackedKey = 12;

std::uint64_t bigEndian(const unsigned char* p) {
  std::uint64_t v = 0;
  for (int i = 0; i < 8; ++i) v = (v << 8) | p[i];
  return v;
}

// Whether items, in record order, are nearly sorted by their first eight key bytes: at
// most one in eight breaks the rising run of them. Books are mostly entered in date order,
// so a date tag's keys often are.
template <class Item>
bool nearlySorted(const std::vector<Item>& items) {
  std::size_t breaking = 0;
  std::uint64_t highest = 0;
  for (const Item& item : items) {
    if (item.hi >= highest) {
      highest = item.hi;
    } else if (++breaking > items.size() / 8) {
      return false;
    }
  }
  return true;
}

// Sorts nearly sorted items: the entries that break the rising run of the first eight
// bytes are taken aside, each run of equal first bytes is sorted where it lies, and the
// entries taken aside are sorted and merged back, a pass or two instead of a full sort.
template <class Item, class Less>
void sortNearlySorted(std::vector<Item>& items, Less less) {
  const std::size_t n = items.size();
  std::vector<Item> aside;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < n; ++i) {
    if (kept == 0 || items[i].hi >= items[kept - 1].hi) {
      items[kept++] = items[i];
    } else {
      aside.push_back(items[i]);
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

// Sorts packed items by key and record number with a stable radix sort over their 16
// bytes from the last to the first, skipping bytes every item has alike (the blanks and
// century of most keys, the padding of short ones). Items that come in record order, as a
// table gives them, keep it among equal keys without passes over the record numbers. A
// pass per byte costs less than the comparisons of a general sort of keys in no order.
void radixSort(std::vector<PackedItem>& items) {
  const auto byteAt = [](const PackedItem& item, int b) {
    return static_cast<unsigned>(b < 8 ? item.hi >> (56 - 8 * b) : item.lo >> (120 - 8 * b)) & 0xFF;
  };
  const bool recordOrder =
      std::is_sorted(items.begin(), items.end(), [](const PackedItem& a, const PackedItem& b) {
        return static_cast<std::uint32_t>(a.lo) < static_cast<std::uint32_t>(b.lo);
      });
  const int bytes = recordOrder ? 12 : 16;
  std::vector<std::array<std::size_t, 256>> counts(bytes);
  for (const PackedItem& item : items)
    for (int b = 0; b < bytes; ++b) ++counts[b][byteAt(item, b)];
  std::vector<PackedItem> other(items.size());
  for (int b = bytes - 1; b >= 0; --b) {
    std::array<std::size_t, 256>& count = counts[b];
    if (std::find(count.begin(), count.end(), items.size()) != count.end()) continue;
    std::size_t at = 0;
    for (std::size_t& c : count) at += std::exchange(c, at);
    for (const PackedItem& item : items) other[count[byteAt(item, b)]++] = item;
    items.swap(other);
  }
}

// A run written out, read back through a buffer of whole entries (key, then record
// number in four bytes).
struct Run {
  std::unique_ptr<File> file;
  std::uint64_t offset = 0;     // of the next bytes to read
  std::uint64_t remaining = 0;  // entries not yet read into the buffer
  std::vector<char> buffer;
  std::size_t at = 0, valid = 0;  // current entry's offset in buffer; bytes in buffer
};

constexpr std::size_t kRunBufferBytes = 64 << 10;
constexpr std::size_t kWriteBytes = 1 << 20;

}  // namespace

struct NtxKeySorter::Impl {
  int kl;
  std::size_t entry;  // bytes of an entry in a run
  FileSystem* fs;
  std::string runPath;
  std::size_t perRun;  // entries held before a run is written
  bool packed;         // keys short enough to be held as PackedItem
  std::vector<PackedItem> packedItems;
  // Longer keys: their bytes, record numbers, and the sort records giving their order.
  std::vector<char> keys;
  std::vector<std::uint32_t> recnos;
  std::vector<SortItem> items;
  std::uint64_t total = 0;
  int error = kSuccess;
  std::vector<Run> runs;
  std::size_t runsWritten = 0;
  std::size_t nextItem = 0;  // reading the held entries: the next one
  std::vector<int> heap;     // merging runs: those with an entry left, least on top
  std::string current;       // the entry handed out last, where it is not held as it is

  std::string runName(std::size_t n) const { return runPath + "." + std::to_string(n); }
  const char* keyOf(const SortItem& item) const {
    return keys.data() + static_cast<std::size_t>(item.index) * kl;
  }
  std::size_t heldCount() const { return packed ? packedItems.size() : recnos.size(); }
  // The i-th held entry, in order once they are sorted; *key is valid until the next call.
  void held(std::size_t i, const char** key, std::uint32_t* recno);
  void dropHeld();
  void sortHeld();
  int writeRun();
  int openRun(std::size_t n, Run* run);
  int fill(Run& run);
  bool runLess(int a, int b) const;
};

void NtxKeySorter::Impl::held(std::size_t i, const char** key, std::uint32_t* recno) {
  if (!packed) {
    *key = keyOf(items[i]);
    *recno = items[i].recno;
    return;
  }
  const PackedItem& item = packedItems[i];
  char bytes[16];
  for (int b = 0; b < 8; ++b) {
    bytes[b] = static_cast<char>(item.hi >> (56 - 8 * b));
    bytes[8 + b] = static_cast<char>(item.lo >> (56 - 8 * b));
  }
  current.assign(bytes, kl);
  *key = current.data();
  *recno = static_cast<std::uint32_t>(item.lo);
}

void NtxKeySorter::Impl::dropHeld() {
  std::vector<PackedItem>().swap(packedItems);
  std::vector<char>().swap(keys);
  std::vector<std::uint32_t>().swap(recnos);
  std::vector<SortItem>().swap(items);
}

void NtxKeySorter::Impl::sortHeld() {
  if (packed) {
    if (!nearlySorted(packedItems)) return radixSort(packedItems);
    sortNearlySorted(packedItems, [](const PackedItem& a, const PackedItem& b) {
      return a.hi != b.hi ? a.hi < b.hi : a.lo < b.lo;
    });
    return;
  }
  const std::size_t n = recnos.size();
  items.resize(n);
  unsigned char prefix[16] = {};
  for (std::size_t i = 0; i < n; ++i) {
    std::memcpy(prefix, keys.data() + i * kl, std::min<std::size_t>(kl, 16));
    items[i] = {bigEndian(prefix), bigEndian(prefix + 8), recnos[i], static_cast<std::uint32_t>(i)};
  }
  const auto less = [this](const SortItem& a, const SortItem& b) {
    if (a.hi != b.hi) return a.hi < b.hi;
    if (a.lo != b.lo) return a.lo < b.lo;
    // Bytes beyond the prefix, when there are any.
    if (kl > 16) {
      if (int t = std::memcmp(keyOf(a) + 16, keyOf(b) + 16, kl - 16)) return t < 0;
    }
    return a.recno < b.recno;
  };
  if (nearlySorted(items)) {
    sortNearlySorted(items, less);
  } else {
    std::sort(items.begin(), items.end(), less);
  }
}

int NtxKeySorter::Impl::writeRun() {
  sortHeld();
  int rc = kSuccess;
  auto file = fs->open(runName(++runsWritten), OpenMode::Create, LockMode::None, &rc);
  if (!file) return rc < 0 ? rc : kErrCreate;
  std::vector<char> out;
  out.reserve(kWriteBytes + entry);
  std::uint64_t offset = 0;
  const auto flush = [&] {
    const bool ok = file->write(offset, out.data(), out.size());
    offset += out.size();
    out.clear();
    return ok;
  };
  for (std::size_t i = 0; i < heldCount(); ++i) {
    const char* key = nullptr;
    std::uint32_t recno = 0;
    held(i, &key, &recno);
    const std::size_t at = out.size();
    out.resize(at + entry);
    std::memcpy(out.data() + at, key, kl);
    writeU32(out.data() + at + kl, recno);
    if (out.size() >= kWriteBytes && !flush()) return kErrWrite;
  }
  if (!flush()) return kErrWrite;
  packedItems.clear();
  keys.clear();
  recnos.clear();
  items.clear();
  return kSuccess;
}

int NtxKeySorter::Impl::openRun(std::size_t n, Run* run) {
  int rc = kSuccess;
  run->file = fs->open(runName(n), OpenMode::ReadOnly, LockMode::None, &rc);
  if (!run->file) return rc < 0 ? rc : kErrOpen;
  const long long size = run->file->size();
  if (size < 0 || static_cast<std::uint64_t>(size) % entry != 0) return kErrRead;
  run->remaining = static_cast<std::uint64_t>(size) / entry;
  run->buffer.resize(std::max<std::size_t>(1, kRunBufferBytes / entry) * entry);
  return fill(*run);
}

int NtxKeySorter::Impl::fill(Run& run) {
  const std::uint64_t take = std::min<std::uint64_t>(run.remaining, run.buffer.size() / entry);
  const std::size_t bytes = static_cast<std::size_t>(take) * entry;
  if (run.file->read(run.offset, run.buffer.data(), bytes) != static_cast<long long>(bytes))
    return kErrRead;
  run.offset += bytes;
  run.remaining -= take;
  run.at = 0;
  run.valid = bytes;
  return kSuccess;
}

bool NtxKeySorter::Impl::runLess(int a, int b) const {
  const char* x = runs[a].buffer.data() + runs[a].at;
  const char* y = runs[b].buffer.data() + runs[b].at;
  if (int c = std::memcmp(x, y, kl)) return c < 0;
  return readU32(x + kl) < readU32(y + kl);
}

NtxKeySorter::NtxKeySorter(int keyLength, FileSystem* fs, std::string runPath, std::size_t budget)
    : impl_(std::make_unique<Impl>()) {
  Impl& m = *impl_;
  m.kl = keyLength;
  m.entry = static_cast<std::size_t>(keyLength) + 4;
  m.fs = fs;
  m.runPath = std::move(runPath);
  m.packed = keyLength <= kMaxPackedKey;
  // Packed entries are sorted through a second array of them.
  m.perRun = std::max<std::size_t>(
      1, budget / (m.packed ? 2 * sizeof(PackedItem) : m.entry + sizeof(SortItem)));
}

NtxKeySorter::~NtxKeySorter() {
  Impl& m = *impl_;
  m.runs.clear();  // closes the files
  if (m.fs == nullptr) return;
  for (std::size_t n = 1; n <= m.runsWritten; ++n) m.fs->remove(m.runName(n));
  // Runs an earlier build left when it was cut short.
  for (std::size_t n = m.runsWritten + 1; m.fs->exists(m.runName(n)); ++n)
    m.fs->remove(m.runName(n));
}

int NtxKeySorter::keyLength() const { return impl_->kl; }
std::uint64_t NtxKeySorter::count() const { return impl_->total; }
int NtxKeySorter::error() const { return impl_->error; }

int NtxKeySorter::add(const char* key, std::uint32_t recno) {
  Impl& m = *impl_;
  if (m.fs != nullptr && m.heldCount() == m.perRun) {
    if (int rc = m.writeRun(); rc != kSuccess) return m.error = rc;
  }
  if (m.packed) {
    unsigned char bytes[16] = {};
    std::memcpy(bytes, key, m.kl);
    m.packedItems.push_back({bigEndian(bytes), bigEndian(bytes + 8) | recno});
  } else {
    m.keys.insert(m.keys.end(), key, key + m.kl);
    m.recnos.push_back(recno);
  }
  ++m.total;
  return kSuccess;
}

int NtxKeySorter::finish() {
  Impl& m = *impl_;
  if (m.runsWritten == 0) {
    m.sortHeld();
    return kSuccess;
  }
  if (m.heldCount() > 0) {
    if (int rc = m.writeRun(); rc != kSuccess) return m.error = rc;
  }
  m.dropHeld();
  m.runs.resize(m.runsWritten);
  const auto greater = [&m](int a, int b) { return m.runLess(b, a); };
  for (std::size_t n = 0; n < m.runsWritten; ++n) {
    if (int rc = m.openRun(n + 1, &m.runs[n]); rc != kSuccess) return m.error = rc;
    if (m.runs[n].valid > 0) m.heap.push_back(static_cast<int>(n));
  }
  std::make_heap(m.heap.begin(), m.heap.end(), greater);
  return kSuccess;
}

bool NtxKeySorter::next(const char** key, std::uint32_t* recno) {
  Impl& m = *impl_;
  if (m.error != kSuccess) return false;
  if (m.runsWritten == 0) {
    if (m.nextItem == m.heldCount()) return false;
    m.held(m.nextItem++, key, recno);
    return true;
  }
  if (m.heap.empty()) return false;
  const auto greater = [&m](int a, int b) { return m.runLess(b, a); };
  std::pop_heap(m.heap.begin(), m.heap.end(), greater);
  Run& run = m.runs[m.heap.back()];
  m.current.assign(run.buffer.data() + run.at, m.entry);
  run.at += m.entry;
  if (run.at == run.valid && run.remaining > 0) {
    if (int rc = m.fill(run); rc != kSuccess) {
      m.error = rc;
      return false;
    }
  }
  if (run.at < run.valid) {
    std::push_heap(m.heap.begin(), m.heap.end(), greater);
  } else {
    m.heap.pop_back();
  }
  *key = m.current.data();
  *recno = readU32(m.current.data() + m.kl);
  return true;
}

}  // namespace xbase
