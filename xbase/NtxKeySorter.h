// The entries of a tag being built, sorted by key then record number in bounded memory:
// they are held in memory up to a budget, then sorted and written out as a run to a file
// beside the index; the runs are merged as they are read back.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "xbase/FileSystem.h"

namespace xbase {

class NtxKeySorter {
 public:
  // Memory for the entries held before a run is written out (keys and sort records).
  static constexpr std::size_t kDefaultBudget = std::size_t{16} << 20;

  // Runs go to runPath with ".1", ".2", ... added, through fs; without fs every entry is
  // held in memory.
  explicit NtxKeySorter(int keyLength, FileSystem* fs = nullptr, std::string runPath = {},
                        std::size_t budget = kDefaultBudget);
  ~NtxKeySorter();  // removes the runs
  NtxKeySorter(const NtxKeySorter&) = delete;
  NtxKeySorter& operator=(const NtxKeySorter&) = delete;

  int keyLength() const;
  // Takes keyLength() bytes of key. REQUIRES: before finish(); no (key, recno) added
  // twice (a table gives each record once). kSuccess, or the error writing a run.
  int add(const char* key, std::uint32_t recno);
  // Ends the adding; then count() and next(). kSuccess, or the error writing or opening a run.
  int finish();
  std::uint64_t count() const;
  // The next entry in order: *key (keyLength() bytes, valid until the next call) and
  // *recno. False after the last one, or when a run could not be read (error() says so).
  bool next(const char** key, std::uint32_t* recno);
  int error() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace xbase
