// Passes over a whole table in record order read its records many at a time, straight from
// the file (DbfFile::readRecords), into a buffer of about this size: the pass's memory is
// the same whatever the table's size.
#pragma once

#include <algorithm>
#include <cstdint>

#include "xbase/DbfFile.h"

namespace xbase {

// Records per read of such a pass: at least one.
inline std::uint32_t recordsPerRun(const DbfFile& dbf) {
  constexpr int kRunBytes = 256 << 10;
  return static_cast<std::uint32_t>(std::max(1, kRunBytes / dbf.recordLength()));
}

}  // namespace xbase
