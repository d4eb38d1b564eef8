// Manual-reset events: one thread sets an event, another waits for it. An
// event stays set until it is reset, so a wake-up given between a check and
// a wait is never lost. A thread can wait on several events at once, on
// events together with a socket (socket.h), and the console can wait on one
// together with the keyboard (console.h): whatever may concern a thread
// wakes it, and nothing has to look again and again.
#pragma once

#include <initializer_list>
#include <memory>

namespace platform {

// For waits that end only when what they wait for happens.
inline constexpr int kNoTimeLimit = -1;

class Event {
 public:
  explicit Event(bool set = false);
  ~Event();
  Event(const Event&) = delete;
  Event& operator=(const Event&) = delete;

  void Set();
  void Reset();
  bool IsSet() const;
  // Waits until the event is set or timeout_ms have passed (kNoTimeLimit:
  // no limit); true when it is set.
  bool Wait(int timeout_ms) const;

  // The backend's waitable object, defined by the backend (event_posix.h)
  // for the other backends that wait on it.
  struct Native;
  Native& native() const { return *native_; }

 private:
  std::unique_ptr<Native> native_;
};

// Waits until one of the events is set; returns the index of one that is
// set, or -1 when timeout_ms passed first.
int WaitAny(std::initializer_list<const Event*> events, int timeout_ms);

}  // namespace platform
