// Counts the bytes the test program holds through operator new, and the most it held
// since the last reset, so that a test can bound what a piece of code needs at its peak.
#pragma once

#include <cstddef>

namespace allocation_meter {

// Starts a new peak from what is held now.
void resetPeak();
// The most held since resetPeak, less what was held then.
std::size_t peakSinceReset();

}  // namespace allocation_meter
