#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/event_posix.h"
#include "platform/io_result_posix.h"
#include "platform/poll_posix.h"
#include "platform/socket.h"

namespace platform {

namespace {

int Fd(Socket socket) {
  return static_cast<int>(socket);
}

short PollEvents(SocketReady what) {
  return what == SocketReady::kReadable ? POLLIN : POLLOUT;
}

}  // namespace

bool StartSockets(int& error) {
  error = 0;
  return true;
}

SocketResult SocketReceive(Socket socket, uint8_t* buffer, size_t max) {
  // A receive of 0 (the peer closed) sets no error code; none is left over
  // from an earlier call either.
  errno = 0;
  SocketResult result = IoResult(::recv(Fd(socket), buffer, max, MSG_DONTWAIT));
  if (result.count == 0) result.error = 0;
  return result;
}

SocketResult SocketSend(Socket socket, const uint8_t* bytes, size_t count) {
  return IoResult(::send(Fd(socket), bytes, count, MSG_DONTWAIT | MSG_NOSIGNAL));
}

bool SocketIsReady(Socket socket, SocketReady what) {
  std::vector<pollfd> fds = {{Fd(socket), PollEvents(what), 0}};
  return PollFor(fds, 0) > 0;
}

bool SocketWait(Socket socket, SocketReady what, std::initializer_list<const Event*> wake,
                int timeout_ms) {
  std::vector<pollfd> fds = {{Fd(socket), PollEvents(what), 0}};
  for (const Event* event : wake) fds.push_back({EventFd(*event), POLLIN, 0});
  return PollFor(fds, timeout_ms) > 0;
}

void SocketShutdown(Socket socket) {
  ::shutdown(Fd(socket), SHUT_RDWR);
}

void SocketClose(Socket socket) {
  ::close(Fd(socket));
}

}  // namespace platform
