// Real connections for the transport tests: both ends of a loopback TCP
// connection, as a board hands one end to the door and keeps the caller on
// the other; and the caller's side, which blocks as a caller's program
// would.
#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <thread>

#include "platform/socket.h"

namespace testsupport {

struct Connection {
  platform::Socket door = platform::kNoSocket;    // what the door is given
  platform::Socket caller = platform::kNoSocket;  // the caller's end
};

// A connected loopback TCP pair; both ends are closed on exec.
Connection ConnectLoopback();
// A loopback TCP listener, closed on exec, and the port it listens on.
platform::Socket ListenLoopback(int& port);
// The next connection to the listener (closed on exec), or kNoSocket when
// none comes within timeout_ms.
platform::Socket AcceptWithin(platform::Socket listener, int timeout_ms);
// A connected pair of local stream sockets, closed on exec: a board may put
// one end on a door's standard input and output.
Connection SocketPair();

// A caller on two pipes, all four ends closed on exec: the door reads from
// door_in what the caller writes to caller_out, and the caller reads from
// caller_in what the door writes to door_out.
struct PipeLine {
  platform::Socket door_in = platform::kNoSocket, door_out = platform::kNoSocket;
  platform::Socket caller_in = platform::kNoSocket, caller_out = platform::kNoSocket;
};
PipeLine PipePair();

// Shrinks the kernel's buffers of a socket, so that sends stop short soon.
void ShrinkBuffers(platform::Socket socket, int bytes);
// How much a caller floods in the flood tests: 10 MB, and less where every
// receive costs far more (Winsock under wine), still far beyond what the
// buffers and the queue hold.
extern const size_t kFloodBytes;
// Sends all bytes (on a socket or a pipe), waiting as long as it takes;
// false when the connection failed.
bool SendFully(platform::Socket socket, const std::string& bytes);
// Receives until `count` bytes have come, the connection ends or nothing
// comes for timeout_ms; returns what came. Reads any descriptor.
std::string ReceiveUpTo(platform::Socket socket, size_t count, int timeout_ms);
// Closes a socket or any descriptor.
void CloseEnd(platform::Socket socket);
// How many threads this process runs now.
int ThreadCount();

// Whether the condition comes true within the time, looked at every 10 ms.
inline bool WithinSeconds(int seconds, const std::function<bool()>& condition) {
  auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace testsupport
