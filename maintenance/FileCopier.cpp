#include "FileCopier.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace {

class PosixCopier : public FileCopier {
 public:
  Failure copy(const std::string& from, const std::string& to) override {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return Failure::Other;
    const int out = ::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (out < 0) {
      const int error = errno;
      ::close(in);
      return failureOf(error);
    }
    Failure failure = transfer(in, out);
    if (failure == Failure::None && ::fsync(out) != 0) failure = failureOf(errno);
    // Some file systems report a full disk only when the file is closed.
    if (::close(out) != 0 && failure == Failure::None) failure = failureOf(errno);
    ::close(in);
    return failure;
  }

 private:
  static Failure failureOf(int error) {
    switch (error) {
      case ENOSPC:
      case EDQUOT:
      case EFBIG:  // the target's file system (or a size limit) takes no file this large
        return Failure::DiskFull;
      case EROFS:
      case EACCES:  // a directory the user may not write to is write protected for them
      case EPERM:
        return Failure::ReadOnly;
      default:
        return Failure::Other;
    }
  }

  static Failure transfer(int in, int out) {
    char buffer[65536];
    for (;;) {
      const ssize_t got = ::read(in, buffer, sizeof buffer);
      if (got == 0) return Failure::None;
      if (got < 0) {
        if (errno == EINTR) continue;
        return Failure::Other;
      }
      for (ssize_t done = 0; done < got;) {
        const ssize_t put = ::write(out, buffer + done, static_cast<size_t>(got - done));
        if (put < 0) {
          if (errno == EINTR) continue;
          return failureOf(errno);
        }
        done += put;
      }
    }
  }
};

}  // namespace

FileCopier& FileCopier::posix() {
  static PosixCopier copier;
  return copier;
}
