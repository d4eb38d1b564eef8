// Local time of day and pauses. The real clock reads the system; the tests
// use a virtual clock that only moves when told to or when slept on.
#pragma once

#include <cstdint>

namespace platform {

struct LocalDate {
  int year = 2000, month = 1, day = 1;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds since local midnight, at 10 ms resolution as the game's
  // clock was read (hundredths of a second).
  virtual int32_t MillisSinceMidnight() = 0;
  int32_t SecondsSinceMidnight() { return MillisSinceMidnight() / 1000; }
  virtual LocalDate Today() = 0;
  virtual void Sleep(int ms) = 0;
};

// The system's clock.
Clock& SystemClock();

}  // namespace platform
