// The progress bar of a report walk: items done against the items expected, shown as
// trunc(done * 100 / expected). The bar is painted only when that value changes, since a
// walk may step a million times and each paint of the status bar is immediate.
#pragma once

class ProgressSink;

class ReportProgress {
 public:
  // sink must outlive the object. An expected count of 0 or less shows nothing.
  ReportProgress(ProgressSink& sink, long expected) : sink_(sink), expected_(expected) {}

  // Counts items more as done and shows the new percentage when it changed.
  void Step(long items = 1) {
    done_ += items;
    if (done_ >= next_) show();
  }

 private:
  // Shows the percentage done and finds how many items done change it next.
  void show();

  ProgressSink& sink_;
  long expected_;
  long done_ = 0;
  int shown_ = 0;
  long next_ = 0;  // items done at which the percentage next changes
};
