#include "BooksLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <string>

std::unique_ptr<BooksLock> BooksLock::Take(const std::string& path, bool* heldByAnother) {
  *heldByAnother = false;
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) return nullptr;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    *heldByAnother = errno == EWOULDBLOCK;
    ::close(fd);
    return nullptr;
  }
  const std::string holder = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, holder.data(), holder.size(), 0) < 0) {
    // The lock is held all the same; the number is only for people.
  }
  return std::unique_ptr<BooksLock>(new BooksLock(fd));
}

BooksLock::~BooksLock() { ::close(fd_); }
