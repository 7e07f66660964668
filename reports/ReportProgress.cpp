#include "ReportProgress.h"

#include "ProgressSink.h"

void ReportProgress::Step(long items) {
  done_ += items;
  if (expected_ <= 0) return;
  const int percent = static_cast<int>(done_ * 100 / expected_);
  if (percent == shown_) return;
  shown_ = percent;
  sink_.ShowProgress(percent);
}
