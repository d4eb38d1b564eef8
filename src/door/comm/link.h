// The connection under a stream transport: a socket the board hands over,
// or the program's own standard input and output. Receives and sends never
// block; the transport's threads wait with Wait, together with their
// wake-up events.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/event.h"
#include "platform/socket.h"

namespace door::comm {

class Link {
 public:
  virtual ~Link() = default;

  // Opens the link on the handle the board named.
  virtual void Attach(int32_t handle) = 0;

  // A receive of 0 bytes means the caller's side has closed.
  virtual platform::SocketResult Receive(uint8_t* buffer, size_t max) = 0;
  // Sends what the connection takes now, which may be fewer bytes.
  virtual platform::SocketResult Send(const uint8_t* bytes, size_t count) = 0;
  // A closed or failed connection counts as ready: the next call says so.
  virtual bool IsReady(platform::SocketReady what) = 0;
  // Until the connection is ready, `wake` is set or timeout_ms have passed.
  virtual void Wait(platform::SocketReady what, const platform::Event& wake, int timeout_ms) = 0;
  // Hangs up; afterwards the link is never ready and every call fails.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // The handle the link was opened on.
  virtual int32_t Handle() const = 0;
};

}  // namespace door::comm
