// The one walk over a table: from where a positioning call left it (d4top, d4seek, d4go),
// record by record in the selected tag's order, until the visitor stops, the table ends or
// the engine fails. A failure ends the walk as such, never as the end of the table.
#pragma once

#include <type_traits>

#include "TableAccess.h"
#include "VectorState.h"
#include "xbase/Status.h"

enum class WalkEnd { EndOfTable, Stopped, Failed };

struct WalkResult {
  WalkEnd end;
  int code;  // the engine's result that ended the walk: negative when it failed
  bool failed() const { return end == WalkEnd::Failed; }
};

// Visits the record that rc, the positioning call's result, stands on (found, or a seek's
// next greater key) and each one after it. visit returns false to stop; a visit that
// returns nothing goes on to the end.
template <class Visit>
WalkResult WalkFrom(DATA4* data, int rc, Visit&& visit) {
  ClearVectorUpperHalves();
  for (; rc == xbase::kSuccess || rc == xbase::kAfter; rc = d4skip(data, 1)) {
    if constexpr (std::is_void_v<std::invoke_result_t<Visit&>>) {
      visit();
    } else if (!visit()) {
      return {WalkEnd::Stopped, rc};
    }
  }
  return {rc < 0 ? WalkEnd::Failed : WalkEnd::EndOfTable, rc};
}

// Visits every record from the top of the selected tag (record order when none).
template <class Visit>
WalkResult WalkAll(DATA4* data, Visit&& visit) {
  return WalkFrom(data, d4top(data), std::forward<Visit>(visit));
}
