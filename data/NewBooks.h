// New books: the six tables without records but the settings record, which holds the
// default settings (the fiscal year from 1 July, GST at 10 %). Their indexes are made when
// the books are first opened, as for any books whose index files are missing.
#pragma once

#include <string>

#include "xbase/FileSystem.h"

class NewBooks {
 public:
  // Creates the six tables in directory. Returns false with error set when directory
  // already holds one of them (they are left untouched) or a table could not be written.
  // REQUIRES: directory exists.
  static bool Create(xbase::FileSystem& fs, const std::string& directory, std::string* error);
  // Whether directory holds any of the six tables (names resolved in any case through fs).
  static bool AnyTablePresent(xbase::FileSystem& fs, const std::string& directory);
};
