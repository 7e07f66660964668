#include "ReportProgress.h"

#include <climits>

#include "ProgressSink.h"

void ReportProgress::show() {
  if (expected_ <= 0) {
    next_ = LONG_MAX;
    return;
  }
  const int percent = static_cast<int>(done_ * 100 / expected_);
  // The first count whose percentage is above this one: ceil((percent + 1) * expected / 100).
  next_ = ((percent + 1L) * expected_ + 99) / 100;
  if (percent == shown_) return;
  shown_ = percent;
  sink_.ShowProgress(percent);
}
