#include "support/sockets.h"

#include <algorithm>

#include "platform/std_streams.h"

namespace testsupport {

// Any end of a connection: a socket, a pipe, on POSIX any descriptor.
std::string ReceiveUpTo(platform::Socket socket, size_t count, int timeout_ms) {
  std::string received;
  uint8_t buffer[4096];
  while (received.size() < count &&
         platform::StreamWait(socket, platform::SocketReady::kReadable, {}, timeout_ms)) {
    size_t want = std::min(sizeof buffer, count - received.size());
    platform::SocketResult got = platform::StreamRead(socket, buffer, want);
    if (got.count <= 0) break;
    received.append(reinterpret_cast<const char*>(buffer), static_cast<size_t>(got.count));
  }
  return received;
}

}  // namespace testsupport
