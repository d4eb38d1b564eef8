#include <pthread.h>
#include <signal.h>

#include <mutex>

#include "platform/event.h"
#include "platform/thread.h"

namespace platform {

struct Thread::Native {
  pthread_t thread{};
  bool started = false;
  std::function<void()> body;
  Event done;
};

namespace {

void* RunBody(void* argument) {
  auto* native = static_cast<Thread::Native*>(argument);
  native->body();
  native->done.Set();
  return nullptr;
}

}  // namespace

Thread::Thread() : native_(std::make_unique<Native>()) {}

Thread::~Thread() {
  Join(kNoTimeLimit);
}

bool Thread::Start(std::function<void()> body) {
  if (native_->started) return false;
  native_->body = std::move(body);
  native_->done.Reset();
  // The new thread inherits the signal mask: with every signal blocked
  // there, an interrupt or a hang-up always reaches the main thread, whose
  // waits turn it into an orderly end.
  sigset_t all, previous;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &previous);
  native_->started = pthread_create(&native_->thread, nullptr, RunBody, native_.get()) == 0;
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return native_->started;
}

bool Thread::Join(int timeout_ms) {
  if (!native_->started) return true;
  if (!native_->done.Wait(timeout_ms)) return false;
  pthread_join(native_->thread, nullptr);
  native_->started = false;
  return true;
}

struct Lock::Native {
  std::mutex mutex;
};

Lock::Lock() : native_(std::make_unique<Native>()) {}
Lock::~Lock() = default;

void Lock::Acquire() {
  native_->mutex.lock();
}

void Lock::Release() {
  native_->mutex.unlock();
}

}  // namespace platform
