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
  // Only an index file is missing: the table itself is sound and building the index
  // group anew restores everything.
  bool indexMissing = false;
};

// Checks the table tableName (".dbf" added) in directory and every tag its index group
// groupName (".cgp" added; empty for a table without tags) lists, without changing a byte
// and without locking: the header (its field list filling the record, no record bytes
// inside it), its record count against the file size (a count beyond the data, whole
// records past it, or bytes past the counted records other than the end-of-file marker),
// every record readable, starting with a deletion flag and holding in each numeric, date
// and logical field only bytes of its type; every tag of requiredTags listed in the group,
// every listed tag present, readable, belonging to the table and holding exactly the
// records that belong in it (those passing its FOR filter) once each, with their current
// keys, in key order. Special files (pipes, devices, directories) in place of a file are
// found without being read. Empty when all agree.
std::vector<TableFinding> CheckTable(FileSystem& fs, const std::string& directory,
                                     const std::string& tableName, const std::string& groupName,
                                     const std::vector<std::string>& requiredTags = {});

// Mends what CheckTable finds without losing a byte of a record. The header's record
// count is made to agree with the file: a count beyond the data is lowered to the whole
// records; whole records past the count are counted in, except the one record an append
// that never finished leaves, which is cut off; whatever is cut is first saved beside the
// table as <table>.dbf.<date-time>.cut. Then the index group groupName is written anew with
// one freshly built tag per entry of tags. Takes the files exclusively. Returns kSuccess or
// a negative Status code: kErrData, with nothing changed, when the header does not describe
// the records (field list, header or record length damaged), kErrLocked while another
// handle has the table open. *done (when given) gets one line per thing the repair did.
int RepairTable(FileSystem& fs, const std::string& directory, const std::string& tableName,
                const std::string& groupName, const std::vector<TagSpec>& tags,
                std::vector<std::string>* done = nullptr);

}  // namespace xbase
