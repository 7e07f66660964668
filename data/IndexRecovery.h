// Start-up care for damaged index files. The start-up rebuild re-creates only index
// groups with a file missing; a group whose files exist but cannot be read would make
// every later open of its table fatal and lock the user out of their books. Such a group
// is removed here first, so the rebuild re-creates it like a missing one.
#pragma once

#include <string>
#include <vector>

#include "TableAccess.h"

class IndexRecovery {
 public:
  // Checks each indexed table whose index files all exist: one that opens alone but not
  // with its index group, or whose group lacks one of its tags, has its index files
  // removed.
  // A table that cannot be opened at all is left alone for the open routines to report.
  // Returns the base names of the tables whose index files were removed.
  // REQUIRES: no table is open.
  static std::vector<std::string> RemoveUnreadableIndexes(CODE4* code);
  // Whether every indexed table has all its index files and opens with them and every tag
  // of its definition: then the start-up has no index to build anew.
  // REQUIRES: no table is open.
  static bool IndexesSound(CODE4* code);
};
