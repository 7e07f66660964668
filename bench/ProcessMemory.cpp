#include "ProcessMemory.h"

#include <fstream>
#include <string>

namespace {

long statusField(const std::string& name) {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value;
  while (status >> key) {
    if (key == name + ":" && status >> value) return value;
    status.ignore(1 << 16, '\n');
  }
  return -1;
}

}  // namespace

long ProcessMemory::residentKb() { return statusField("VmRSS"); }

long ProcessMemory::peakKb() { return statusField("VmHWM"); }

long ProcessMemory::anonymousKb() { return statusField("RssAnon"); }

bool ProcessMemory::resetPeak() {
  // "5" resets the peak resident size (Linux 4.0 and later).
  std::ofstream clear("/proc/self/clear_refs");
  clear << "5";
  clear.flush();
  return static_cast<bool>(clear);
}
