#include "NtxPage.h"

#include <cstring>

#include "ByteCoding.h"
#include "NtxFormat.h"
#include "xbase/Status.h"

namespace xbase {

using ntx::kPageSize;

bool ntxPageOffsetValid(std::uint64_t off, std::uint64_t fileSize) {
  // Page 0 is the header; a page must lie wholly inside the file.
  return off >= kPageSize && off % kPageSize == 0 && off + kPageSize <= fileSize;
}

void NtxPage::insert(int i, const char* key, std::uint32_t recno, std::uint32_t right) {
  keys_.insert(static_cast<std::size_t>(i) * keyLength_, key, keyLength_);
  recno_.insert(recno_.begin() + i, recno);
  child_.insert(child_.begin() + i + 1, right);
}

void NtxPage::insertWithLeft(int i, const char* key, std::uint32_t recno, std::uint32_t left) {
  keys_.insert(static_cast<std::size_t>(i) * keyLength_, key, keyLength_);
  recno_.insert(recno_.begin() + i, recno);
  child_.insert(child_.begin() + i, left);
}

void NtxPage::erase(int i) {
  keys_.erase(static_cast<std::size_t>(i) * keyLength_, keyLength_);
  recno_.erase(recno_.begin() + i);
  child_.erase(child_.begin() + i + 1);
}

void NtxPage::eraseWithLeft(int i) {
  keys_.erase(static_cast<std::size_t>(i) * keyLength_, keyLength_);
  recno_.erase(recno_.begin() + i);
  child_.erase(child_.begin() + i);
}

void NtxPage::replace(int i, const char* key, std::uint32_t recno) {
  keys_.replace(static_cast<std::size_t>(i) * keyLength_, keyLength_, key, keyLength_);
  recno_[i] = recno;
}

void NtxPage::split(int m, NtxPage& right, std::string* key, std::uint32_t* recno) {
  const std::size_t at = static_cast<std::size_t>(m) * keyLength_;
  right.keys_.assign(keys_, at + keyLength_);
  right.recno_.assign(recno_.begin() + m + 1, recno_.end());
  right.child_.assign(child_.begin() + m + 1, child_.end());
  key->assign(keys_, at, keyLength_);
  *recno = recno_[m];
  keys_.resize(at);
  recno_.resize(m);
  child_.resize(m + 1);
}

void NtxPage::merge(const char* key, std::uint32_t recno, const NtxPage& from) {
  keys_.append(key, keyLength_).append(from.keys_);
  recno_.push_back(recno);
  recno_.insert(recno_.end(), from.recno_.begin(), from.recno_.end());
  child_.insert(child_.end(), from.child_.begin(), from.child_.end());
}

void NtxPage::clear() {
  keys_.clear();
  recno_.clear();
  child_.assign(1, 0);
}

int NtxPage::decode(const char* raw, int maxItems, std::uint64_t fileSize) {
  const int n = readU16(raw);
  // More keys than the page can hold: the count is garbage.
  if (n > maxItems) return kErrIndex;
  const std::size_t itemSize = static_cast<std::size_t>(keyLength_) + 8;
  const std::size_t lowest = ntx::itemAreaStart(maxItems);
  keys_.resize(static_cast<std::size_t>(n) * keyLength_);
  recno_.resize(n);
  child_.resize(n + 1);
  for (int i = 0; i <= n; ++i) {
    const std::size_t at = readU16(raw + 2 + 2 * i);
    // A slot overlapping the offset table or running off the page would read garbage
    // or beyond the buffer.
    if (at < lowest || at + itemSize > kPageSize) return kErrIndex;
    child_[i] = readU32(raw + at);
    if (i < n) {
      recno_[i] = readU32(raw + at + 4);
      std::memcpy(keys_.data() + static_cast<std::size_t>(i) * keyLength_, raw + at + 8,
                  keyLength_);
    }
  }
  // Leaves and inner nodes cannot be mixed in one page, and every subtree must be a real
  // page: otherwise a walk would read outside the file or treat a gap as a leaf.
  const bool isLeaf = child_[0] == 0;
  for (std::uint32_t c : child_) {
    if (isLeaf ? c != 0 : !ntxPageOffsetValid(c, fileSize)) return kErrIndex;
  }
  return kSuccess;
}

void NtxPage::encode(int maxItems, char* raw) const {
  std::memset(raw, 0, kPageSize);
  const int n = count();
  const std::size_t itemSize = static_cast<std::size_t>(keyLength_) + 8;
  const std::size_t base = ntx::itemAreaStart(maxItems);
  writeU16(raw, static_cast<std::uint16_t>(n));
  // Every slot gets an offset, used or not, so the table stays a full permutation.
  for (int i = 0; i <= maxItems; ++i) {
    writeU16(raw + 2 + 2 * i, static_cast<std::uint16_t>(base + i * itemSize));
  }
  for (int i = 0; i <= n; ++i) {
    char* item = raw + base + i * itemSize;
    writeU32(item, child_[i]);
    if (i < n) {
      writeU32(item + 4, recno_[i]);
      std::memcpy(item + 8, key(i), keyLength_);
    }
  }
}

}  // namespace xbase
