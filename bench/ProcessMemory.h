// Resident memory of this process (Linux /proc), to show that a workload does not load
// whole tables or indexes: the peak is reset before the workload and read after it.
#pragma once

class ProcessMemory {
 public:
  // Resident set size now, in KiB; -1 when unknown.
  static long residentKb();
  // Highest resident set size since start or the last resetPeak(), in KiB; -1 when unknown.
  static long peakKb();
  // The part of residentKb() that is the process's own memory, not mapped files; -1 when
  // unknown.
  static long anonymousKb();
  // Makes the peak start again from the current size. False when the kernel refuses.
  static bool resetPeak();
};
