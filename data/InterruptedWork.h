// What a restore or a pack killed half-way leaves in the data directory, and how the next
// start puts it right. A restore first copies every backup in beside its table
// (<table>.dbf.partial), then sets each table aside whole (copied to .replacing, renamed
// to .replaced), writes the restore marker, renames the copies over the tables and only
// then removes the marker: a marker found at start-up means the five tables may mix old
// and restored ones, and every table set aside is put back. A pack writes its new files
// as <file>.pack and renames them over the old ones.
#pragma once

#include <string>
#include <vector>

#include "xbase/FileSystem.h"

class InterruptedWork {
 public:
  static constexpr char kRestoreMarker[] = "Tallyworth.restoring";
  static constexpr char kIncoming[] = ".partial";
  static constexpr char kAsideInProgress[] = ".replacing";
  static constexpr char kAside[] = ".replaced";
  // Beside a bank import table the books did not have before the restore brought it.
  static constexpr char kAbsent[] = ".absent";
  static constexpr char kPackTemp[] = ".pack";

  // Rolls back a restore or a bank statement import (InterruptedImport) that did not
  // finish and removes the files killed restores and packs left behind. Returns one line
  // per thing done, for the user.
  // REQUIRES: the directory's lock is held and no table is open.
  static std::vector<std::string> Finish(xbase::FileSystem& fs, const std::string& directory);
};
