#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "AllocationMeter.h"

namespace {

std::atomic<std::size_t> held{0};
std::atomic<std::size_t> peak{0};
std::atomic<std::size_t> base{0};

void* take(std::size_t n) {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  const std::size_t now = held += malloc_usable_size(p);
  for (std::size_t top = peak; now > top && !peak.compare_exchange_weak(top, now);) {
  }
  return p;
}

void give(void* p) noexcept {
  if (p == nullptr) return;
  held -= malloc_usable_size(p);
  std::free(p);
}

}  // namespace

void* operator new(std::size_t n) { return take(n); }
void* operator new[](std::size_t n) { return take(n); }
void operator delete(void* p) noexcept { give(p); }
void operator delete[](void* p) noexcept { give(p); }
void operator delete(void* p, std::size_t) noexcept { give(p); }
void operator delete[](void* p, std::size_t) noexcept { give(p); }

namespace allocation_meter {

void resetPeak() {
  base = held.load();
  peak = base.load();
}

std::size_t peakSinceReset() { return peak - base; }

}  // namespace allocation_meter
