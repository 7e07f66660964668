// A view of a file system through which nothing can be changed: every file opens for
// reading only, and creating, removing and renaming fail. The payment import reads
// another program's table through it, so that table is never written, and one on
// read-only media opens as well as any other.
#pragma once

#include "xbase/FileSystem.h"

class ReadOnlyFileSystem : public xbase::FileSystem {
 public:
  // base must outlive this object.
  explicit ReadOnlyFileSystem(xbase::FileSystem& base) : base_(base) {}

  // Opens path for reading whatever mode is asked; Create fails with kErrCreate.
  std::unique_ptr<xbase::File> open(const std::string& path, xbase::OpenMode mode,
                                    xbase::LockMode lock, int* error) override;
  bool exists(const std::string& path) override { return base_.exists(path); }
  bool remove(const std::string&) override { return false; }
  bool rename(const std::string&, const std::string&) override { return false; }
  std::string resolve(const std::string& path) override { return base_.resolve(path); }

 private:
  xbase::FileSystem& base_;
};
