// Real connections for the transport tests: both ends of a loopback TCP
// connection, as a board hands one end to the door and keeps the caller on
// the other; and the caller's side, which blocks as a caller's program
// would.
#pragma once

#include <cstddef>
#include <string>

#include "platform/socket.h"

namespace testsupport {

struct Connection {
  platform::Socket door = platform::kNoSocket;    // what the door is given
  platform::Socket caller = platform::kNoSocket;  // the caller's end
};

// A connected loopback TCP pair; both ends are closed on exec.
Connection ConnectLoopback();
// Shrinks the kernel's buffers of a socket, so that sends stop short soon.
void ShrinkBuffers(platform::Socket socket, int bytes);
// Sends all bytes, waiting as long as it takes; false when the connection
// failed.
bool SendFully(platform::Socket socket, const std::string& bytes);
// Receives until `count` bytes have come, the connection ends or nothing
// comes for timeout_ms; returns what came. Reads any descriptor.
std::string ReceiveUpTo(platform::Socket socket, size_t count, int timeout_ms);
// Closes a socket or any descriptor.
void CloseEnd(platform::Socket socket);
// How many threads this process runs now.
int ThreadCount();

}  // namespace testsupport
