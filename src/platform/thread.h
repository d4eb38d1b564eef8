// Threads and locks for the transports' input and output threads. The
// program's own work stays on the main thread; these only move bytes
// between a device and the queues the main thread reads and fills.
#pragma once

#include <functional>
#include <memory>

namespace platform {

class Thread {
 public:
  Thread();
  // A thread still running is waited for: what it uses must outlive it.
  ~Thread();
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;

  // Runs body on a new thread; false when the system refused one, or when
  // an earlier thread has not been joined yet. Signals for the program go
  // to the main thread, never to this one.
  bool Start(std::function<void()> body);
  // Waits up to timeout_ms for the thread to end; true when it has ended
  // (or none was started), and it is then joined.
  bool Join(int timeout_ms);

  struct Native;

 private:
  std::unique_ptr<Native> native_;
};

class Lock {
 public:
  Lock();
  ~Lock();
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

  void Acquire();
  void Release();

  struct Native;

 private:
  std::unique_ptr<Native> native_;
};

// Holds a lock for the rest of the scope.
class Locked {
 public:
  explicit Locked(Lock& lock) : lock_(lock) { lock_.Acquire(); }
  ~Locked() { lock_.Release(); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  Lock& lock_;
};

}  // namespace platform
