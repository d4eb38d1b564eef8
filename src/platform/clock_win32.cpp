// The system clock on Windows: local time from GetLocalTime, pauses that
// wake early when the program is asked to end.
#include <windows.h>

#include "platform/clock.h"
#include "platform/terminal.h"
#include "platform/termination_win32.h"

namespace platform {

namespace {

class Win32Clock final : public Clock {
 public:
  int32_t MillisSinceMidnight() override {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    int32_t seconds = (now.wHour * 60 + now.wMinute) * 60 + now.wSecond;
    // Whole hundredths, as the game's clock counted them.
    return seconds * 1000 + now.wMilliseconds / 10 * 10;
  }

  LocalDate Today() override {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return LocalDate{now.wYear, now.wMonth, now.wDay};
  }

  void Sleep(int ms) override {
    CheckTerminationRequest();
    if (ms <= 0) return;
    ::WaitForSingleObject(TerminationEvent(), static_cast<DWORD>(ms));
    CheckTerminationRequest();
  }
};

}  // namespace

Clock& SystemClock() {
  static Win32Clock clock;
  return clock;
}

}  // namespace platform
