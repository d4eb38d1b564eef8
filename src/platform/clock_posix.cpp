// The system clock on POSIX systems: local time from localtime_r, pauses
// with nanosleep that still notice a request to end the program.
#include <time.h>

#include <cerrno>

#include "platform/clock.h"
#include "platform/terminal.h"

namespace platform {

namespace {

tm LocalTime(time_t when) {
  tm local{};
  ::localtime_r(&when, &local);
  return local;
}

class PosixClock final : public Clock {
 public:
  int32_t MillisSinceMidnight() override {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    tm local = LocalTime(now.tv_sec);
    int32_t seconds = (local.tm_hour * 60 + local.tm_min) * 60 + local.tm_sec;
    // Whole hundredths, as the game's clock counted them.
    return seconds * 1000 + static_cast<int32_t>(now.tv_nsec / 10'000'000) * 10;
  }

  LocalDate Today() override {
    tm local = LocalTime(::time(nullptr));
    return LocalDate{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  }

  void Sleep(int ms) override {
    CheckTerminationRequest();
    if (ms <= 0) return;
    timespec left{ms / 1000, (ms % 1000) * 1'000'000L};
    // A signal cuts the sleep short: see whether it asked for the end, then
    // sleep out the rest.
    while (::nanosleep(&left, &left) != 0 && errno == EINTR) CheckTerminationRequest();
  }
};

}  // namespace

Clock& SystemClock() {
  static PosixClock clock;
  return clock;
}

}  // namespace platform
