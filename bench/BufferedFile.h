// A File that gathers writes in memory: the header region is kept and written once, and
// writes that extend the file go out in large blocks. Lets the benchmark data maker append
// a million records through DbfFile without three system calls per record.
#pragma once

#include <memory>
#include <string>

#include "xbase/FileSystem.h"

class BufferedFile : public xbase::File {
 public:
  // headBytes: the leading bytes rewritten by every append (the table header).
  BufferedFile(std::unique_ptr<xbase::File> file, std::size_t headBytes);
  ~BufferedFile() override;  // flushes; check flush() first to see errors

  long long read(std::uint64_t offset, void* buf, std::size_t n) override;
  bool write(std::uint64_t offset, const void* buf, std::size_t n) override;
  long long size() override;
  bool truncate(std::uint64_t size) override;
  bool sync() override;
  // Writes everything held in memory. Returns false when a write failed.
  bool flush();

 private:
  std::unique_ptr<xbase::File> file_;
  std::string head_;  // bytes [0, head_.size()) as they should be
  bool headDirty_ = false;
  std::uint64_t tailStart_ = 0;  // file offset of tail_[0]
  std::string tail_;             // bytes not yet written at the end of the file
  bool ok_ = true;
};
