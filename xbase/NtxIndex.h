// One Clipper .ntx index file: a B-tree of (key, record number) entries in 1024-byte
// pages, ordered by key bytes and then by record number. Pages are read on demand
// through a bounded cache; opening reads only the header.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/FileSystem.h"

namespace xbase {

struct NtxInfo {
  std::string keyExpression;  // as stored in the header (at most 255 characters)
  std::string forExpression;  // filter; empty for none
  std::string tagName;        // at most 10 characters
  int keyLength = 0;          // 1..250
  int decimals = 0;
  bool unique = false;
};

class NtxIndex;

// A position in an index. It stays usable across inserts and removals: a cursor made
// stale by a change finds its place again from the entry it was on.
class NtxKeySorter;

class NtxCursor {
 public:
  bool valid() const { return valid_; }  // false after kEof or before any positioning
  std::uint32_t recno() const { return recno_; }
  const std::string& key() const { return key_; }
  // On the first entry of a page: where a walk forward meets a new run of entries.
  bool atPageStart() const { return valid_ && !path_.empty() && path_.back().second == 0; }

 private:
  friend class NtxIndex;
  bool valid_ = false;
  std::uint32_t recno_ = 0;
  std::string key_;
  std::uint64_t version_ = 0;                        // index version the path belongs to
  std::vector<std::pair<std::uint32_t, int>> path_;  // (page offset, item index) root to leaf
};

class NtxIndex {
 public:
  // Opens an existing index, validating its header and root page. On failure returns
  // nullptr and sets *error (kErrRead, kErrIndex); nothing is written.
  static std::unique_ptr<NtxIndex> open(std::unique_ptr<File> file, int* error);

  // Writes a complete new index into file (truncating it) of the sorter's entries, which
  // must be finished and have keys of info.keyLength bytes. Returns nullptr and sets
  // *error on failure.
  static std::unique_ptr<NtxIndex> build(std::unique_ptr<File> file, const NtxInfo& info,
                                         NtxKeySorter& entries, int* error);

  const NtxInfo& info() const;
  int keyLength() const;

  // Positioning. Each returns kSuccess with the cursor on an entry, kEof (cursor invalid)
  // when there is none, or a negative error when a page is damaged.
  int first(NtxCursor& c);
  int last(NtxCursor& c);
  int next(NtxCursor& c);  // kEof past the last entry, and on an invalid cursor
  // The record numbers of the entries of the cursor's page from its entry on, at most
  // max of them, into out; how many. For reading records ahead of a walk: 0 when the
  // page cannot be read.
  int pageRecnos(const NtxCursor& c, std::uint32_t* out, int max);
  int prev(NtxCursor& c);  // kEof before the first entry, and on an invalid cursor
  // Visits every entry (its key, keyLength() bytes, and record number) in key order,
  // each page read once and past the cache: a pass over the whole tag at a fraction of a
  // cursor walk's cost. kSuccess, or kErrIndex when the tree is damaged (entries out of
  // order, a page linked twice, a bad page) once the entries before the fault were visited.
  int forEachEntry(const std::function<void(const char* key, std::uint32_t recno)>& visit);
  // First entry whose key, compared over key.size() bytes (a longer key is cut to the
  // key length), is >= key. kSuccess when that prefix equals key, kAfter when a greater
  // entry is current, kEof when none.
  int seek(NtxCursor& c, std::string_view key);
  // The entry (key, recno) itself or the first entry after it: kSuccess or kAfter or kEof.
  // REQUIRES: key has keyLength() bytes.
  int seekEntry(NtxCursor& c, const char* key, std::uint32_t recno);

  // REQUIRES: key has keyLength() bytes. Every change is written through at once.
  // kSuccess; kErrIndex when the entry is already there or a damaged page is met (the
  // file is then unchanged); kErrWrite when writing failed (the file may be partly
  // changed and should be rebuilt).
  int insert(const char* key, std::uint32_t recno);
  // Removes the entry (key, recno); kSuccess, or kErrIndex when it is not there, and
  // errors as for insert().
  int remove(const char* key, std::uint32_t recno);

  // Forces every written change to disk. Returns false when the sync failed.
  bool sync();

  // Bumped by every insert and remove; cursors compare it with their own.
  std::uint64_t version() const;

  ~NtxIndex();

 private:
  NtxIndex();
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace xbase
