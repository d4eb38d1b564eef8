#include <process.h>
#include <windows.h>

#include "platform/event_win32.h"
#include "platform/thread.h"

namespace platform {

struct Thread::Native {
  HANDLE thread = nullptr;
  std::function<void()> body;
};

namespace {

// Started through the C run-time, which sets up its own per-thread state.
unsigned __stdcall RunBody(void* argument) {
  static_cast<Thread::Native*>(argument)->body();
  return 0;
}

}  // namespace

Thread::Thread() : native_(std::make_unique<Native>()) {}

Thread::~Thread() {
  Join(kNoTimeLimit);
}

bool Thread::Start(std::function<void()> body) {
  if (native_->thread != nullptr) return false;
  native_->body = std::move(body);
  uintptr_t thread = ::_beginthreadex(nullptr, 0, RunBody, native_.get(), 0, nullptr);
  native_->thread = reinterpret_cast<HANDLE>(thread);
  return native_->thread != nullptr;
}

bool Thread::Join(int timeout_ms) {
  if (native_->thread == nullptr) return true;
  if (::WaitForSingleObject(native_->thread, WaitMs(timeout_ms)) != WAIT_OBJECT_0) return false;
  ::CloseHandle(native_->thread);
  native_->thread = nullptr;
  return true;
}

struct Lock::Native {
  CRITICAL_SECTION section;
};

Lock::Lock() : native_(std::make_unique<Native>()) {
  ::InitializeCriticalSection(&native_->section);
}

Lock::~Lock() {
  ::DeleteCriticalSection(&native_->section);
}

void Lock::Acquire() {
  ::EnterCriticalSection(&native_->section);
}

void Lock::Release() {
  ::LeaveCriticalSection(&native_->section);
}

}  // namespace platform
