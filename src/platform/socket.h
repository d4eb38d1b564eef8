// The socket calls of the telnet transport, on a connected socket that the
// bulletin-board software hands over. Receives and sends never block and a
// send to a caller who has gone never raises a signal: the transport's
// threads wait with SocketWait instead, together with their wake-up events.
// The descriptor's own flags are left alone, since the board shares it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "platform/event.h"

namespace platform {

// A socket handle: a descriptor on POSIX, a SOCKET on Windows.
using Socket = std::intptr_t;
inline constexpr Socket kNoSocket = -1;

// Prepares the system's socket layer (Windows Sockets, started by the first
// call in the process; nothing to do on POSIX). False, with the system's
// error code, when it cannot.
bool StartSockets(int& error);

struct SocketResult {
  long count = 0;            // bytes moved; a receive of 0 means the peer closed
  int error = 0;             // the system's error code (after a count < 0)
  bool would_block = false;  // count < 0 only because the call would have waited
};

SocketResult SocketReceive(Socket socket, uint8_t* buffer, size_t max);
SocketResult SocketSend(Socket socket, const uint8_t* bytes, size_t count);

enum class SocketReady { kReadable, kWritable };

// Whether the socket is ready now. A closed or failed socket counts as
// ready: the next receive or send says what happened.
bool SocketIsReady(Socket socket, SocketReady what);
// Waits until the socket is ready, one of the events is set, or timeout_ms
// have passed; false on the time-out.
bool SocketWait(Socket socket, SocketReady what, std::initializer_list<const Event*> wake,
                int timeout_ms);

// Ends both directions, so the peer sees the connection close.
void SocketShutdown(Socket socket);
void SocketClose(Socket socket);

}  // namespace platform
