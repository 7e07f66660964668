// The lock that keeps two programs from working on the same books at once: an advisory
// lock on the lock file in the data directory, held while the object lives. The operating
// system lets it go when the program ends in any way, so a program that died never leaves
// the books locked; taking it forces nothing to disk. The file holds the holder's process
// number, for a person (or a script) looking.
#pragma once

#include <memory>
#include <string>

class BooksLock {
 public:
  // Takes the lock of the file at path. Returns null when it was not taken; heldByAnother
  // then tells whether another program (or another handle of this one) holds it, as
  // opposed to a file that cannot be made (read-only books).
  static std::unique_ptr<BooksLock> Take(const std::string& path, bool* heldByAnother);
  ~BooksLock();
  BooksLock(const BooksLock&) = delete;
  BooksLock& operator=(const BooksLock&) = delete;

 private:
  explicit BooksLock(int fd) : fd_(fd) {}
  int fd_;
};
