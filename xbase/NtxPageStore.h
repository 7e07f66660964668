// The pages of one open .ntx file: a bounded cache of decoded node pages for reading,
// and a working set for a change. A change first copies every page it touches (reading
// and validating it), so damage is found before anything is written; commit() then
// writes the changed pages, the freed pages and the header together.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "NtxFormat.h"
#include "NtxPage.h"
#include "xbase/FileSystem.h"

namespace xbase {

class NtxPageStore {
 public:
  NtxPageStore(std::unique_ptr<File> file, const ntx::Header& header, std::uint64_t fileSize);

  const ntx::Header& header() const { return header_; }
  int keyLength() const { return header_.keyLength; }
  int maxItems() const { return header_.maxItems; }
  std::uint32_t root() const { return header_.root; }

  // The node page at off, as last committed. kSuccess, kErrRead, or kErrIndex when off is
  // not a page of the file or the page is damaged.
  int read(std::uint32_t off, std::shared_ptr<const NtxPage>* page);

  // Decodes the page at off into *page past the cache, reading the file many pages at a
  // time: for one pass over the whole tree, which through the cache would push out every
  // page the seeks need. kSuccess, kErrRead, or kErrIndex.
  int readForPass(std::uint32_t off, NtxPage* page);

  // Working copy of the page at off for the current change (the same copy on each call).
  // kSuccess, kErrRead or kErrIndex.
  int edit(std::uint32_t off, NtxPage** page);
  // A new empty page for the current change, from the free list or the end of the file.
  // kSuccess, kErrRead, or kErrIndex when the free list is damaged.
  int allocate(std::uint32_t* off, NtxPage** page);
  // Puts the page at off on the free list when the change is committed.
  void release(std::uint32_t off);
  void setRoot(std::uint32_t off);
  // Writes the change and ends it: kSuccess, or kErrWrite. New pages are written first;
  // when one of them fails (a full disk) nothing of the tree has changed. A later failure
  // may leave the file partly changed; the cache is then emptied so later reads see what
  // the file holds.
  int commit();
  // Ends the change without writing anything.
  void discard();
  // Forces what was committed to disk. Returns false when the sync failed.
  bool sync() { return file_->sync(); }

 private:
  void begin();
  // The slot a page read next goes into: a new one while there is room, else the one the
  // clock gives up (taken out of the lookup).
  std::size_t claimSlot();
  void remember(std::uint32_t off, std::shared_ptr<NtxPage> page);
  void forget(std::uint32_t off);

  std::unique_ptr<File> file_;
  ntx::Header header_;
  std::uint64_t fileSize_;
  // The cached pages, replaced in clock order: a page read since the hand last passed it
  // is spared once. A hit only sets that mark, where a recency list would move an entry.
  struct Slot {
    std::uint32_t off = 0;
    bool referenced = false;
    std::shared_ptr<NtxPage> page;  // null: the slot is free
  };
  std::vector<Slot> slots_;
  std::size_t hand_ = 0;
  std::unordered_map<std::uint32_t, std::size_t> cached_;  // page offset to slot
  // The page read last, outside the recency order.
  std::uint32_t lastOff_ = 0;
  std::shared_ptr<const NtxPage> last_;
  // The pages a pass read last, as they are in the file: runStart_ on, runValid_ bytes.
  std::vector<char> run_;
  std::uint64_t runStart_ = 0;
  std::size_t runValid_ = 0;
  // The change under way.
  std::map<std::uint32_t, NtxPage> working_;
  std::vector<std::uint32_t> released_;
  std::uint32_t newRoot_ = 0;
  std::uint32_t newFreeList_ = 0;
  std::uint64_t newFileSize_ = 0;
  bool changing_ = false;
};

}  // namespace xbase
