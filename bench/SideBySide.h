// Side-by-side timing of one workload on the engine and on SQLite.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include "ProcessMemory.h"

// Times the two sides of each iteration and reports them once the loop is over. Each side's
// memory is its peak resident size above the resident size it started from.
class SideBySide {
 public:
  // opsPerIteration: operations one iteration performs on each side (seeks: 10,000).
  SideBySide(benchmark::State& state, int opsPerIteration)
      : state_(state), ops_(opsPerIteration), startKb_(ProcessMemory::residentKb()) {}

  template <typename Work>
  void ours(Work work) {
    const double s = measured(work, &oursRiseKb_);
    state_.SetIterationTime(s);
    ours_ += s;
  }
  template <typename Work>
  void sqlite(Work work) {
    sqlite_ += measured(work, &sqliteRiseKb_);
  }

  ~SideBySide() {
    const double per = 1e6 / (static_cast<double>(state_.iterations()) * ops_);
    state_.counters["ours_us"] = ours_ * per;
    state_.counters["sqlite_us"] = sqlite_ * per;
    state_.counters["ratio"] = sqlite_ > 0 ? ours_ / sqlite_ : 0;
    state_.counters["rss_MB"] = startKb_ / 1024.0;
    state_.counters["ours_peak_MB"] = oursRiseKb_ / 1024.0;
    state_.counters["sqlite_peak_MB"] = sqliteRiseKb_ / 1024.0;
  }

 private:
  template <typename Work>
  static double measured(Work& work, long* riseKb) {
    ProcessMemory::resetPeak();
    const long before = ProcessMemory::residentKb();
    const auto start = std::chrono::steady_clock::now();
    work();
    const double s =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    *riseKb = std::max(*riseKb, ProcessMemory::peakKb() - before);
    return s;
  }

  benchmark::State& state_;
  int ops_;
  long startKb_;
  double ours_ = 0;
  double sqlite_ = 0;
  long oursRiseKb_ = 0;
  long sqliteRiseKb_ = 0;
};
