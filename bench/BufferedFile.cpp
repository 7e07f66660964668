#include "BufferedFile.h"

#include <cstring>

namespace {
constexpr std::size_t kTailBlock = 4 << 20;
}

BufferedFile::BufferedFile(std::unique_ptr<xbase::File> file, std::size_t headBytes)
    : file_(std::move(file)), head_(headBytes, '\0') {
  const long long n = file_->read(0, head_.data(), head_.size());
  head_.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  const long long end = file_->size();
  tailStart_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
}

BufferedFile::~BufferedFile() { flush(); }

bool BufferedFile::flush() {
  if (headDirty_) ok_ = file_->write(0, head_.data(), head_.size()) && ok_;
  headDirty_ = false;
  if (!tail_.empty()) ok_ = file_->write(tailStart_, tail_.data(), tail_.size()) && ok_;
  tailStart_ += tail_.size();
  tail_.clear();
  return ok_;
}

long long BufferedFile::read(std::uint64_t offset, void* buf, std::size_t n) {
  if (!flush()) return -1;
  return file_->read(offset, buf, n);
}

bool BufferedFile::write(std::uint64_t offset, const void* buf, std::size_t n) {
  const char* bytes = static_cast<const char*>(buf);
  if (offset + n <= head_.size()) {
    std::memcpy(head_.data() + offset, bytes, n);
    headDirty_ = true;
    return true;
  }
  // A write that reaches the end of the file (an append overwriting the end-of-file
  // marker) starts a new tail when none is pending.
  if (tail_.empty() && offset >= head_.size() && offset <= tailStart_ && offset + n >= tailStart_)
    tailStart_ = offset;
  if (offset >= tailStart_ && offset <= tailStart_ + tail_.size()) {
    const std::size_t at = static_cast<std::size_t>(offset - tailStart_);
    if (at + n > tail_.size()) tail_.resize(at + n);
    std::memcpy(tail_.data() + at, bytes, n);
    return tail_.size() < kTailBlock || flush();
  }
  if (!flush()) return false;
  const bool written = file_->write(offset, bytes, n);
  const long long end = file_->size();
  tailStart_ = end > 0 ? static_cast<std::uint64_t>(end) : 0;
  return written;
}

long long BufferedFile::size() {
  if (!flush()) return -1;
  return file_->size();
}

bool BufferedFile::truncate(std::uint64_t size) {
  if (!flush() || !file_->truncate(size)) return false;
  tailStart_ = size;
  return true;
}

bool BufferedFile::sync() { return flush() && file_->sync(); }
