// Elapsed time for the one wait of the program, the start-up splash's minimum time on
// screen, behind an interface so tests can run the wait without waiting.
#pragma once

#include <cstdint>

class WaitClock {
 public:
  virtual ~WaitClock() = default;
  // Milliseconds on a clock that never goes back.
  virtual std::int64_t nowMs() = 0;
  // Lets the windows repaint, then rests for about ms milliseconds; user input waits.
  virtual void idle(int ms) = 0;
  // The machine's clock.
  static WaitClock& system();
};
