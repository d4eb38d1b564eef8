// The console of the tests: the same screen, keys from a script, and a
// clock that only moves when set or slept on.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <string_view>

#include "platform/clock.h"
#include "platform/console.h"

namespace platform {

class VirtualClock : public Clock {
 public:
  int32_t MillisSinceMidnight() override { return now_ms_; }
  LocalDate Today() override { return today_; }
  void Sleep(int ms) override { Advance(ms); }

  void SetMillis(int32_t ms) { now_ms_ = ms; }
  void SetTime(int hours, int minutes, int seconds) {
    now_ms_ = ((hours * 60 + minutes) * 60 + seconds) * 1000;
  }
  void SetToday(LocalDate date) { today_ = date; }
  // Moves time on, wrapping at midnight (and moving the date on).
  void Advance(int ms);

 private:
  int32_t now_ms_ = 12 * 3600 * 1000;
  LocalDate today_{2026, 12, 6};
};

class VirtualConsole : public Console {
 public:
  // The clock, when given, moves on while the console waits for a key that
  // is not in the script; without one, waits take no time (or real time,
  // when they also wait for an event).
  explicit VirtualConsole(VirtualClock* clock = nullptr) : clock_(clock) {}

  bool KeyPressed() override { return !keys_.empty(); }
  char ReadKey() override;
  bool WaitForKey(int timeout_ms) override;
  // Ends at once when `wake` is set. Otherwise, with a virtual clock, the
  // clock moves on as in WaitForKey; without one the console really waits
  // for the event (a remote caller on a real transport) up to timeout_ms.
  bool WaitForKeyOrEvent(int timeout_ms, const Event& wake) override;
  void Present() override { ++presents_; }

  // Script: ordinary keys, one byte each.
  void Type(std::string_view keys);
  void Key(char key) { keys_.push_back(key); }
  // Script: an extended key (0 and its scan code).
  void Extended(char scan);
  size_t PendingKeys() const { return keys_.size(); }

  // Called when the program waits for a key the script does not hold. The
  // default prints the screen and aborts: a test that runs out of keys is
  // a broken test, never a pass. A handler that adds keys lets the
  // program go on with them (a screen can be inspected between keys).
  void SetOnExhausted(std::function<void()> handler) { on_exhausted_ = std::move(handler); }

  // The screen as text, one line per row (trailing blanks removed).
  std::string Dump() const;
  int presents() const { return presents_; }

 private:
  void Exhausted();

  VirtualClock* clock_;
  std::deque<char> keys_;
  std::function<void()> on_exhausted_;
  int idle_waits_ = 0;
  int presents_ = 0;
};

}  // namespace platform
