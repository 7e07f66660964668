#include "VectorState.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>

namespace {

__attribute__((target("avx"))) void zeroUpperHalves() { _mm256_zeroupper(); }

}  // namespace

void ClearVectorUpperHalves() {
  // The instruction exists only where the wide registers do.
  static const bool wideRegisters = __builtin_cpu_supports("avx");
  if (wideRegisters) zeroUpperHalves();
}
#else
void ClearVectorUpperHalves() {}
#endif
