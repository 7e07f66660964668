#include "NtxPageStore.h"

#include <algorithm>

#include "ByteCoding.h"
#include "xbase/Status.h"

namespace xbase {

namespace {

// Holds every inner page of a million-entry index (about 530 for 12-byte keys) plus the
// leaves near a walk, so a seek reads at most its leaf from the file; a few megabytes per
// tag at most.
constexpr std::size_t kCachePages = 4096;

}  // namespace

NtxPageStore::NtxPageStore(std::unique_ptr<File> file, const ntx::Header& header,
                           std::uint64_t fileSize)
    : file_(std::move(file)), header_(header), fileSize_(fileSize) {}

int NtxPageStore::read(std::uint32_t off, std::shared_ptr<const NtxPage>* page) {
  // A walk reads the same page entry after entry: the page read last is at hand.
  if (last_ != nullptr && lastOff_ == off) {
    *page = last_;
    return kSuccess;
  }
  auto hit = cached_.find(off);
  if (hit != cached_.end()) {
    Slot& slot = slots_[hit->second];
    slot.referenced = true;
    *page = slot.page;
    lastOff_ = off;
    last_ = *page;
    return kSuccess;
  }
  if (!ntxPageOffsetValid(off, fileSize_)) return kErrIndex;
  char copy[ntx::kPageSize];
  const char* raw = file_->view(off + ntx::kPageSize);
  if (raw != nullptr) {
    raw += off;
    for (std::size_t line = 0; line < ntx::kPageSize; line += 64) __builtin_prefetch(raw + line);
  } else if (file_->read(off, copy, sizeof copy) == static_cast<long long>(sizeof copy)) {
    raw = copy;
  } else {
    return kErrRead;
  }
  const std::size_t at = claimSlot();
  Slot& slot = slots_[at];
  // The page given up is decoded into where no one holds it any more: its arrays keep
  // their room, and a seek's page read allocates nothing.
  if (!slot.page || slot.page.use_count() != 1)
    slot.page = std::make_shared<NtxPage>(header_.keyLength);
  if (int rc = slot.page->decode(raw, header_.maxItems, fileSize_); rc != kSuccess) {
    slot = {};
    return rc;
  }
  slot.off = off;
  slot.referenced = false;
  cached_[off] = at;
  lastOff_ = off;
  last_ = slot.page;
  *page = slot.page;
  return kSuccess;
}

int NtxPageStore::readForPass(std::uint32_t off, NtxPage* page) {
  if (!ntxPageOffsetValid(off, fileSize_)) return kErrIndex;
  if (off < runStart_ || off + ntx::kPageSize > runStart_ + runValid_) {
    constexpr std::size_t kRunBytes = 64 * ntx::kPageSize;
    run_.resize(kRunBytes);
    const std::size_t wanted = std::min<std::uint64_t>(kRunBytes, fileSize_ - off);
    const long long got = file_->read(off, run_.data(), wanted);
    runStart_ = off;
    runValid_ = got < 0 ? 0 : static_cast<std::size_t>(got);
    if (runValid_ < ntx::kPageSize) return kErrRead;
  }
  return page->decode(run_.data() + (off - runStart_), header_.maxItems, fileSize_);
}

std::size_t NtxPageStore::claimSlot() {
  if (slots_.size() < kCachePages) {
    cached_.reserve(kCachePages);
    slots_.emplace_back();
    return slots_.size() - 1;
  }
  // The hand stops at a free slot or at the first page not read since it last passed.
  for (;; hand_ = (hand_ + 1) % slots_.size()) {
    Slot& slot = slots_[hand_];
    if (!slot.page || !slot.referenced) break;
    slot.referenced = false;
  }
  const std::size_t at = hand_;
  hand_ = (hand_ + 1) % slots_.size();
  if (slots_[at].page) cached_.erase(slots_[at].off);
  return at;
}

void NtxPageStore::remember(std::uint32_t off, std::shared_ptr<NtxPage> page) {
  forget(off);
  const std::size_t at = claimSlot();
  slots_[at] = {off, false, std::move(page)};
  cached_[off] = at;
}

void NtxPageStore::forget(std::uint32_t off) {
  if (off == lastOff_) last_.reset();  // its bytes change or it leaves the tree
  auto hit = cached_.find(off);
  if (hit == cached_.end()) return;
  slots_[hit->second] = {};
  cached_.erase(hit);
}

void NtxPageStore::begin() {
  if (changing_) return;
  changing_ = true;
  newRoot_ = header_.root;
  newFreeList_ = header_.freeList;
  newFileSize_ = fileSize_;
}

int NtxPageStore::edit(std::uint32_t off, NtxPage** page) {
  begin();
  auto it = working_.find(off);
  if (it == working_.end()) {
    std::shared_ptr<const NtxPage> current;
    if (int rc = read(off, &current); rc != kSuccess) return rc;
    it = working_.emplace(off, *current).first;
  }
  *page = &it->second;
  return kSuccess;
}

int NtxPageStore::allocate(std::uint32_t* off, NtxPage** page) {
  begin();
  if (newFreeList_ != 0) {
    // A free page must be a real page that nothing in this change uses, and its link
    // must lead somewhere valid, or we would hand out a live page twice.
    const std::uint32_t head = newFreeList_;
    if (!ntxPageOffsetValid(head, newFileSize_) || working_.count(head)) return kErrIndex;
    char link[4];
    if (file_->read(head, link, sizeof link) != static_cast<long long>(sizeof link)) {
      return kErrRead;
    }
    const std::uint32_t next = readU32(link);
    if (next != 0 && (next == head || !ntxPageOffsetValid(next, newFileSize_))) return kErrIndex;
    newFreeList_ = next;
    *off = head;
  } else {
    const std::uint64_t end = (newFileSize_ + ntx::kPageSize - 1) / ntx::kPageSize * ntx::kPageSize;
    // Page offsets are 32-bit in the file.
    if (end + ntx::kPageSize > UINT32_MAX) return kErrIndex;
    *off = static_cast<std::uint32_t>(end);
    newFileSize_ = end + ntx::kPageSize;
  }
  *page = &working_.insert_or_assign(*off, NtxPage(header_.keyLength)).first->second;
  return kSuccess;
}

void NtxPageStore::release(std::uint32_t off) {
  begin();
  working_.erase(off);
  released_.push_back(off);
}

void NtxPageStore::setRoot(std::uint32_t off) {
  begin();
  newRoot_ = off;
}

int NtxPageStore::commit() {
  if (!changing_) return kSuccess;
  runValid_ = 0;  // the file changes under the pages a pass read
  char raw[ntx::kPageSize];
  // New pages past the end of the file go first: on a full disk they fail before any page
  // of the tree has changed, and the index stays as it was.
  for (auto& [off, page] : working_) {
    if (off < fileSize_) continue;
    page.encode(header_.maxItems, raw);
    if (!file_->write(off, raw, sizeof raw)) {
      discard();
      return kErrWrite;
    }
  }
  bool ok = true;
  for (auto& [off, page] : working_) {
    if (off < fileSize_) {
      page.encode(header_.maxItems, raw);
      ok = ok && file_->write(off, raw, sizeof raw);
    }
    remember(off, std::make_shared<NtxPage>(std::move(page)));
  }
  for (std::uint32_t off : released_) {
    std::fill(raw, raw + sizeof raw, 0);
    writeU32(raw, newFreeList_);
    ok = ok && file_->write(off, raw, sizeof raw);
    newFreeList_ = off;
    forget(off);
  }
  header_.root = newRoot_;
  header_.freeList = newFreeList_;
  ++header_.version;  // tells other readers of the file that it changed
  fileSize_ = newFileSize_;
  char fixed[ntx::kPageSize];
  ntx::encodeHeader(header_, fixed);
  ok = ok && file_->write(0, fixed, ntx::kHdrNumericEnd);
  working_.clear();
  released_.clear();
  changing_ = false;
  if (ok) return kSuccess;
  slots_.clear();
  hand_ = 0;
  cached_.clear();
  last_.reset();
  return kErrWrite;
}

void NtxPageStore::discard() {
  working_.clear();
  released_.clear();
  changing_ = false;
}

}  // namespace xbase
