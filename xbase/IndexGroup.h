// The index group file (.cgp) of a table: a plain text list of its tag names, one per
// line; each tag lives in <name>.ntx beside the table.
#pragma once

#include <string>
#include <vector>

#include "xbase/FileSystem.h"

namespace xbase {

// Reads the tag names listed in the group file at path. Blank lines are skipped and a
// trailing ".ntx" is dropped. Returns kSuccess, kErrOpen or kErrRead.
int readIndexGroup(FileSystem& fs, const std::string& path, std::vector<std::string>* tagNames);

// Writes (replacing) the group file at path listing tagNames. Returns kSuccess or an error.
int writeIndexGroup(FileSystem& fs, const std::string& path,
                    const std::vector<std::string>& tagNames);

}  // namespace xbase
