// The engine context: settings shared by every table it opens, the pending error code
// and the set of open tables. One per program; tests make their own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "xbase/FileSystem.h"

namespace xbase {

class Table;

class Engine {
 public:
  // Files are looked up in directory (default: the current directory) through fs.
  explicit Engine(FileSystem& fs = FileSystem::posix(), std::string directory = ".");
  ~Engine();  // closes every open table

  // Opening a table also opens its index group (<name>.cgp) and every tag it lists.
  bool autoOpen = true;
  // Index creation refuses to overwrite existing files.
  bool safety = true;
  // Tables are opened exclusively (no other handle may open them) instead of shared.
  bool exclusive = false;
  // Looking up a tag that does not exist sets kErrTagName.
  bool errTagName = true;

  // Opens the table name (base name, ".dbf" added; any case matches). Returns nullptr and
  // sets the pending error on failure; nothing on disk changes then. The engine owns the
  // table until close().
  Table* open(const std::string& name);
  // Flushes and closes one table; returns its flush result. Its writes are in the
  // operating system's hands then, but reach the disk only at the next closeAll().
  int close(Table* table);
  // Flushes and closes every open table, then forces the files of every table written
  // since the last closeAll() to disk (the end of a user command: a power cut after it
  // loses nothing; a command that only read syncs nothing). Returns the first error
  // (kErrWrite when a sync failed), or kSuccess.
  int closeAll();

  // The pending error code (0 when none).
  int errorCode() const { return error_; }
  // The path of the file the pending error is about; empty when none is known.
  const std::string& errorFile() const { return errorFile_; }
  // Returns the pending error code and clears it (and its file).
  int takeError();
  // Records code, met on file, as pending unless an earlier error is still pending;
  // returns code.
  int setError(int code, const std::string& file = {});

  FileSystem& fs() { return fs_; }
  const std::string& directory() const { return directory_; }
  // The path of a file in the data directory, matched without regard to case.
  std::string pathOf(const std::string& fileName);

 private:
  FileSystem& fs_;
  std::string directory_;
  int error_ = 0;
  std::string errorFile_;
  std::vector<std::unique_ptr<Table>> open_;
  std::vector<std::string> unsynced_;  // files of tables closed since the last closeAll()
};

}  // namespace xbase
