// A nearly full disk for the object's life: no file of this process may grow past the
// limit (RLIMIT_FSIZE). The signal the kernel sends for such a write is ignored, so the
// write fails with EFBIG as it would with ENOSPC on a full disk. Raising the soft limit
// back needs no privilege, so the destructor puts the old one back.
#pragma once

#include <signal.h>
#include <sys/resource.h>

#include <cstdint>

class FileSizeLimit {
 public:
  explicit FileSizeLimit(std::uint64_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    oldHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    applied_ = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    ::signal(SIGXFSZ, oldHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  // False when the limit could not be set (the test then proves nothing).
  bool applied() const { return applied_; }

 private:
  rlimit old_{};
  sighandler_t oldHandler_ = SIG_DFL;
  bool applied_ = false;
};
