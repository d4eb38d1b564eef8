#include <windows.h>
#include <winsock.h>

#include <cstdlib>
#include <vector>

#include "platform/event_win32.h"
#include "platform/socket.h"

namespace platform {

namespace {

class Held {
 public:
  explicit Held(CRITICAL_SECTION& lock) : lock_(lock) { ::EnterCriticalSection(&lock_); }
  ~Held() { ::LeaveCriticalSection(&lock_); }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

 private:
  CRITICAL_SECTION& lock_;
};

// A non-blocking datagram socket bound to a loopback port and connected to
// that same port, so that what it sends it receives.
SOCKET MakeSelfConnectedSocket() {
  int error = 0;
  if (!StartSockets(error)) return INVALID_SOCKET;
  SOCKET wake = ::socket(AF_INET, SOCK_DGRAM, 0);
  if (wake == INVALID_SOCKET) return INVALID_SOCKET;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  u_long non_blocking = 1;
  bool ready = ::bind(wake, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
               ::getsockname(wake, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
               ::connect(wake, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
               ::ioctlsocket(wake, FIONBIO, &non_blocking) == 0;
  if (ready) return wake;
  ::closesocket(wake);
  return INVALID_SOCKET;
}

void Drain(SOCKET wake) {
  char bytes[16];
  while (::recv(wake, bytes, sizeof bytes, 0) > 0) {
  }
}

}  // namespace

// An event that cannot be made cannot be waited on either: every transport
// wait would misbehave, so the program stops at once rather than later.
Event::Event(bool set) : native_(std::make_unique<Native>()) {
  native_->handle = ::CreateEventA(nullptr, TRUE, set ? TRUE : FALSE, nullptr);
  if (native_->handle == nullptr) std::abort();
  ::InitializeCriticalSection(&native_->lock);
  native_->set = set;
}

Event::~Event() {
  if (native_->wake != INVALID_SOCKET) ::closesocket(native_->wake);
  ::DeleteCriticalSection(&native_->lock);
  ::CloseHandle(native_->handle);
}

void Event::Set() {
  Held hold(native_->lock);
  if (native_->set) return;
  native_->set = true;
  ::SetEvent(native_->handle);
  if (native_->wake != INVALID_SOCKET) native_->wake_sent = ::send(native_->wake, "!", 1, 0) == 1;
}

// The wake-up socket is emptied by the next socket wait, not here.
void Event::Reset() {
  Held hold(native_->lock);
  native_->set = false;
  ::ResetEvent(native_->handle);
}

bool Event::IsSet() const {
  Held hold(native_->lock);
  return native_->set;
}

bool Event::Wait(int timeout_ms) const {
  return ::WaitForSingleObject(native_->handle, WaitMs(timeout_ms)) == WAIT_OBJECT_0;
}

int WaitAny(std::initializer_list<const Event*> events, int timeout_ms) {
  std::vector<HANDLE> handles;
  for (const Event* event : events) handles.push_back(EventHandle(*event));
  DWORD woke = ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                        WaitMs(timeout_ms));
  if (woke >= WAIT_OBJECT_0 + handles.size()) return -1;
  return static_cast<int>(woke - WAIT_OBJECT_0);
}

// A datagram still on its way when the socket is emptied can wake one wait
// early; the waits' callers look again after every wake-up anyway.
SOCKET ArmWakeSocket(const Event& event) {
  Event::Native& native = event.native();
  Held hold(native.lock);
  if (native.set) return INVALID_SOCKET;
  if (native.wake == INVALID_SOCKET) native.wake = MakeSelfConnectedSocket();
  if (native.wake_sent) Drain(native.wake);
  native.wake_sent = false;
  return native.wake;
}

}  // namespace platform
