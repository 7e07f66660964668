// The POSIX file system: pread/pwrite on descriptors, flock for access modes.
#include "xbase/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "xbase/Status.h"

namespace xbase {
namespace {

class PosixFile : public File {
 public:
  explicit PosixFile(int fd) : fd_(fd) {}
  ~PosixFile() override {
    unmap();
    ::close(fd_);  // also drops the flock
  }

  long long read(std::uint64_t offset, void* buf, std::size_t n) override {
    auto* p = static_cast<char*>(buf);
    std::size_t done = 0;
    while (done < n) {
      ssize_t r = ::pread(fd_, p + done, n - done, static_cast<off_t>(offset + done));
      if (r < 0) {
        if (errno == EINTR) continue;
        return -1;
      }
      if (r == 0) break;  // end of file
      done += static_cast<std::size_t>(r);
    }
    return static_cast<long long>(done);
  }

  bool write(std::uint64_t offset, const void* buf, std::size_t n) override {
    const auto* p = static_cast<const char*>(buf);
    std::size_t done = 0;
    while (done < n) {
      ssize_t r = ::pwrite(fd_, p + done, n - done, static_cast<off_t>(offset + done));
      if (r < 0) {
        if (errno == EINTR) continue;
        return false;
      }
      if (r == 0) return false;  // no progress: the disk is full
      done += static_cast<std::size_t>(r);
    }
    return true;
  }

  long long size() override {
    struct stat st;
    if (::fstat(fd_, &st) != 0) return -1;
    return static_cast<long long>(st.st_size);
  }

  bool truncate(std::uint64_t size) override {
    unmap();
    while (::ftruncate(fd_, static_cast<off_t>(size)) != 0) {
      if (errno != EINTR) return false;
    }
    return true;
  }

  bool sync() override { return ::fsync(fd_) == 0; }

  const char* view(std::uint64_t length) override {
    if (map_ != nullptr && mapped_ >= length) return map_;
    unmap();
    // Mapped with room to grow: pages past the end become readable as writes extend the
    // file, so a table that grows while it is read is seldom mapped again.
    const std::uint64_t room = length + length / 4 + (std::uint64_t{1} << 20);
    void* map = ::mmap(nullptr, room, PROT_READ, MAP_SHARED, fd_, 0);
    if (map == MAP_FAILED) return nullptr;
    map_ = static_cast<const char*>(map);
    mapped_ = room;
    return map_;
  }

 private:
  void unmap() {
    if (map_ != nullptr) ::munmap(const_cast<char*>(map_), mapped_);
    map_ = nullptr;
    mapped_ = 0;
  }

  int fd_;
  const char* map_ = nullptr;
  std::uint64_t mapped_ = 0;
};

// The status code naming why open(2) failed.
int openError(int error, OpenMode mode) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return kErrAccess;
    case EISDIR:
    case ENXIO:
      return kErrNotFile;
    default:
      return mode == OpenMode::Create ? kErrCreate : kErrOpen;
  }
}

class PosixFileSystem : public FileSystem {
  // A rename swaps a whole new table or index in; syncing its directory keeps the swap
  // through a power cut. Where the file system cannot sync a directory the rename stands.
  static void syncDirectoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string dir =
        slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
  }

 public:
  std::unique_ptr<File> open(const std::string& path, OpenMode mode, LockMode lock,
                             int* error) override {
    int flags = O_CLOEXEC;
    switch (mode) {
      case OpenMode::ReadOnly:
        flags |= O_RDONLY;
        break;
      case OpenMode::ReadWrite:
        flags |= O_RDWR;
        break;
      case OpenMode::Create:
        // No O_TRUNC: the file is cut only once its lock is held, so a table another
        // handle has open is never emptied under it.
        flags |= O_RDWR | O_CREAT;
        break;
    }
    // Non-blocking, so that a pipe in a table's place cannot hang the open; only regular
    // files are tables or indexes.
    int fd;
    do {
      fd = ::open(path.c_str(), flags | O_NONBLOCK, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
      *error = openError(errno, mode);
      return nullptr;
    }
    auto file = std::make_unique<PosixFile>(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      *error = kErrNotFile;
      return nullptr;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (lock != LockMode::None) {
      int op = (lock == LockMode::Shared ? LOCK_SH : LOCK_EX) | LOCK_NB;
      int rc;
      do {
        rc = ::flock(fd, op);
      } while (rc != 0 && errno == EINTR);
      if (rc != 0) {
        *error = errno == EWOULDBLOCK ? kErrLocked : kErrOpen;
        return nullptr;
      }
    }
    if (mode == OpenMode::Create && !file->truncate(0)) {
      *error = kErrCreate;
      return nullptr;
    }
    return file;
  }

  bool exists(const std::string& path) override {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0;
  }

  bool remove(const std::string& path) override { return ::unlink(path.c_str()) == 0; }

  bool rename(const std::string& from, const std::string& to) override {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    syncDirectoryOf(to);
    return true;
  }

  std::string resolve(const std::string& path) override {
    if (exists(path)) return path;
    std::size_t slash = path.rfind('/');
    std::string dir = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty()) return path;
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) return path;
    // Several names may differ only in case; take the smallest so the choice does not
    // depend on directory order.
    std::string best;
    while (const dirent* e = ::readdir(d)) {
      if (::strcasecmp(e->d_name, name.c_str()) == 0 && (best.empty() || best > e->d_name)) {
        best = e->d_name;
      }
    }
    ::closedir(d);
    if (best.empty()) return path;
    return path.substr(0, slash == std::string::npos ? 0 : slash + 1) + best;
  }
};

}  // namespace

FileSystem& FileSystem::posix() {
  static PosixFileSystem fs;
  return fs;
}

}  // namespace xbase
