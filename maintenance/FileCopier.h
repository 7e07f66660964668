// Copies whole files and tells why a copy failed, so that the backup can ask for another
// disk when one is full and for a writable one when it is write protected. Tests put a
// copier in its place that fails on demand.
#pragma once

#include <string>

class FileCopier {
 public:
  enum class Failure {
    None,      // copied, and on stable storage
    DiskFull,  // no space left on the target's device (quota exceeded, file too large)
    ReadOnly,  // the target is write protected: a read-only file system or no permission
    Other,     // anything else: the source unreadable, the target not creatable, ...
  };

  virtual ~FileCopier() = default;
  // Copies from to `to`, creating or replacing it, and forces it to disk. On failure
  // `to` may be left in part; the caller removes it.
  virtual Failure copy(const std::string& from, const std::string& to) = 0;

  // The machine's files.
  static FileCopier& posix();
};
