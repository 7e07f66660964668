// Checks the fuzzers make on what the engine hands back, beyond not crashing.
#pragma once

#include "xbase/Status.h"
#include "xbase/Table.h"

namespace fuzz {

// A positioning result is one of the documented ones, a record it lands on exists, and
// the end of file sits one past the last record. Stops the run otherwise.
inline void checkPosition(const xbase::Table& table, int rc) {
  if (rc > xbase::kEof) __builtin_trap();
  const bool onRecord = rc == xbase::kSuccess || rc == xbase::kBof || rc == xbase::kAfter;
  if (onRecord && (table.recNo() < 1 || table.recNo() > table.recCount())) __builtin_trap();
  if (rc == xbase::kEof && table.recNo() != table.recCount() + 1) __builtin_trap();
}

}  // namespace fuzz
