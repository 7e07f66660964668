// Consistency check and repair of a table and its index group, for start-up recovery after
// the process died with tables open, and for the command-line tool.
#pragma once

#include <string>
#include <vector>

#include "xbase/FileSystem.h"
#include "xbase/Table.h"

namespace xbase {

// One thing wrong with a table or one of its tags.
struct TableFinding {
  std::string file;     // the file at fault as it is named on disk, e.g. "GSTEXP1.dbf"
  std::string problem;  // one line for a person, e.g. "record 17 missing from the tag"
};

// Checks the table tableName (".dbf" added) in directory and every tag its index group
// groupName (".cgp" added; empty for a table without tags) lists, without changing a byte
// and without locking: the header's record count against the file size (a count beyond
// the data, or bytes past the counted records other than the end-of-file marker), every
// record readable, every listed tag present, readable, belonging to the table and holding
// exactly the records that belong in it (those passing its FOR filter) once each, with
// their current keys, in key order. Empty when all agree.
std::vector<TableFinding> CheckTable(FileSystem& fs, const std::string& directory,
                                     const std::string& tableName, const std::string& groupName);

// Mends what CheckTable finds without losing a committed record: the header's record count
// becomes the number of records both counted and wholly in the file (uncounted bytes past
// them are an append or a cut that never finished, and are cut off), then the index group
// groupName is written anew with one freshly built tag per entry of tags. Takes the files
// exclusively. Returns kSuccess or a negative Status code (kErrLocked while another handle
// has the table open).
int RepairTable(FileSystem& fs, const std::string& directory, const std::string& tableName,
                const std::string& groupName, const std::vector<TagSpec>& tags);

}  // namespace xbase
