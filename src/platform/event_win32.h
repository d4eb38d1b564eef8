// For the Windows backends only: an event is a manual-reset event object,
// which WaitForMultipleObjects waits on beside the console's input. Sockets
// cannot join such a wait under Windows Sockets 1.1, whose only wait is
// select(): for a socket wait an event also gets a wake-up socket, a
// datagram socket on the loopback address that sends to itself, which holds
// a datagram after the event has been set.
#pragma once

#include <windows.h>
#include <winsock.h>

#include "platform/event.h"

namespace platform {

struct Event::Native {
  HANDLE handle = nullptr;
  mutable CRITICAL_SECTION lock;
  bool set = false;
  SOCKET wake = INVALID_SOCKET;  // made by the first socket wait
  bool wake_sent = false;        // a datagram may be on the wake-up socket
};

inline HANDLE EventHandle(const Event& event) {
  return event.native().handle;
}

// What Win32 waits take as their time limit.
inline DWORD WaitMs(int timeout_ms) {
  return timeout_ms < 0 ? INFINITE : static_cast<DWORD>(timeout_ms);
}

// The socket that select() sees readable once the event is set: arms the
// event's wake-up socket (making it on the first call) and empties it of
// what an earlier setting left. INVALID_SOCKET when the event is set
// already, or when no socket can be made (the caller then waits in steps).
SOCKET ArmWakeSocket(const Event& event);

}  // namespace platform
