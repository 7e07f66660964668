// The one door through which the engine reaches files, so tests can substitute
// an in-memory or fault-injecting implementation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace xbase {

class File {
 public:
  virtual ~File() = default;
  // Reads up to n bytes at offset. Returns the count read (short at end of file), or -1 on error.
  virtual long long read(std::uint64_t offset, void* buf, std::size_t n) = 0;
  // Writes n bytes at offset. Returns true only when every byte was written.
  virtual bool write(std::uint64_t offset, const void* buf, std::size_t n) = 0;
  // Current size in bytes, or -1 on error.
  virtual long long size() = 0;
  virtual bool truncate(std::uint64_t size) = 0;
  // Forces written data to stable storage.
  virtual bool sync() = 0;
  // The file's bytes from offset 0, mapped read-only, for at least length bytes; reads
  // through it see every write made through this File. Only bytes inside the file may be
  // touched. Valid until the next view() or truncate() or the File's end. nullptr where
  // the file cannot be mapped: read() it then.
  virtual const char* view(std::uint64_t length) {
    (void)length;
    return nullptr;
  }
};

enum class OpenMode { ReadOnly, ReadWrite, Create /* create or truncate, read-write */ };
enum class LockMode { None, Shared, Exclusive };

class FileSystem {
 public:
  virtual ~FileSystem() = default;
  // Opens path, which must be a regular file. On failure returns nullptr and sets *error:
  // kErrOpen (not found), kErrCreate, kErrAccess (permission denied, read-only), kErrNotFile
  // (a directory, pipe or device) or kErrLocked.
  // The lock (advisory, whole file) is held until the File is destroyed.
  virtual std::unique_ptr<File> open(const std::string& path, OpenMode mode, LockMode lock,
                                     int* error) = 0;
  virtual bool exists(const std::string& path) = 0;
  virtual bool remove(const std::string& path) = 0;
  // Replaces `to` with `from` in one step (POSIX rename semantics); on disk the swap is
  // made to last through a power cut where the file system allows it.
  virtual bool rename(const std::string& from, const std::string& to) = 0;
  // The existing file in path's directory whose name equals path's name without regard to
  // case (an exact match wins); path itself when none exists.
  virtual std::string resolve(const std::string& path) = 0;

  // The real file system of the machine.
  static FileSystem& posix();
};

}  // namespace xbase
