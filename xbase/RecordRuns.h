// Passes over a whole table in record order read its records many at a time, straight from
// the file (DbfFile::readRecords), into a buffer of about this size: the pass's memory is
// the same whatever the table's size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "xbase/DbfFile.h"
#include "xbase/Status.h"

namespace xbase {

// Records per read of such a pass: at least one.
inline std::uint32_t recordsPerRun(const DbfFile& dbf) {
  constexpr int kRunBytes = 256 << 10;
  return static_cast<std::uint32_t>(std::max(1, kRunBytes / dbf.recordLength()));
}

// Calls visit(recno, record bytes) for every record of dbf in record order, reading them a
// run at a time. Returns kSuccess, or the error of a read (the records before it visited).
template <class Visit>
int forEachRecord(DbfFile& dbf, Visit&& visit) {
  const std::uint32_t count = dbf.recordCount();
  const std::size_t length = dbf.recordLength();
  const std::uint32_t perRun = recordsPerRun(dbf);
  std::vector<char> run(perRun * length);
  for (std::uint32_t first = 1; first <= count; first += perRun) {
    const std::uint32_t n = std::min(perRun, count - first + 1);
    if (const int rc = dbf.readRecords(first, n, run.data()); rc < 0) return rc;
    for (std::uint32_t i = 0; i < n; ++i) visit(first + i, run.data() + i * length);
  }
  return kSuccess;
}

}  // namespace xbase
