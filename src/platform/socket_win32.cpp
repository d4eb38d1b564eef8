// Windows Sockets 1.1 on the socket the board hands over. The socket keeps
// the blocking mode the board gave it: a receive is made only when select()
// reports data (so it returns at once), and a send only when select()
// reports room, which a blocking send then takes whole, as Windows buffers
// all of a send that finds room in the socket's send buffer.
#include <windows.h>
#include <winsock.h>

#include <algorithm>
#include <vector>

#include "platform/event_win32.h"
#include "platform/socket.h"

namespace platform {

namespace {

// With a wake-up socket missing, a wait looks at its events this often.
constexpr int kStepMs = 50;

SOCKET Win(Socket socket) {
  return static_cast<SOCKET>(socket);
}

SocketResult Failed(int error) {
  SocketResult result;
  result.count = -1;
  result.error = error;
  result.would_block = error == WSAEWOULDBLOCK;
  return result;
}

SocketResult ResultOf(int count) {
  if (count == SOCKET_ERROR) return Failed(::WSAGetLastError());
  SocketResult result;
  result.count = count;
  return result;
}

timeval TimeLimit(int timeout_ms) {
  return timeval{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
}

// select() on the socket and the wake-up sockets; > 0 when one is ready,
// 0 on the time-out, SOCKET_ERROR when the socket is no socket (or failed).
int Select(Socket socket, SocketReady what, const std::vector<SOCKET>& wake, int timeout_ms) {
  fd_set readable, writable, failed;
  FD_ZERO(&readable);
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(Win(socket), what == SocketReady::kReadable ? &readable : &writable);
  FD_SET(Win(socket), &failed);
  for (SOCKET one : wake) FD_SET(one, &readable);
  timeval limit = TimeLimit(std::max(timeout_ms, 0));
  return ::select(0, &readable, &writable, &failed, timeout_ms < 0 ? nullptr : &limit);
}

}  // namespace

bool StartSockets(int& error) {
  static const int started = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(1, 1), &data);
  }();
  error = started;
  return started == 0;
}

SocketResult SocketReceive(Socket socket, uint8_t* buffer, size_t max) {
  if (!SocketIsReady(socket, SocketReady::kReadable)) return Failed(WSAEWOULDBLOCK);
  int length = static_cast<int>(std::min<size_t>(max, INT32_MAX));
  return ResultOf(::recv(Win(socket), reinterpret_cast<char*>(buffer), length, 0));
}

SocketResult SocketSend(Socket socket, const uint8_t* bytes, size_t count) {
  if (!SocketIsReady(socket, SocketReady::kWritable)) return Failed(WSAEWOULDBLOCK);
  int length = static_cast<int>(std::min<size_t>(count, INT32_MAX));
  return ResultOf(::send(Win(socket), reinterpret_cast<const char*>(bytes), length, 0));
}

bool SocketIsReady(Socket socket, SocketReady what) {
  return Select(socket, what, {}, 0) != 0;
}

bool SocketWait(Socket socket, SocketReady what, std::initializer_list<const Event*> wake,
                int timeout_ms) {
  std::vector<SOCKET> sockets;
  bool stepped = false;
  for (const Event* event : wake) {
    SOCKET armed = ArmWakeSocket(*event);
    if (armed != INVALID_SOCKET)
      sockets.push_back(armed);
    else if (event->IsSet())
      return true;
    else
      stepped = true;
  }
  if (!stepped) return Select(socket, what, sockets, timeout_ms) != 0;
  for (int left = timeout_ms; timeout_ms < 0 || left > 0; left -= kStepMs) {
    int step = timeout_ms < 0 ? kStepMs : std::min(left, kStepMs);
    if (Select(socket, what, sockets, step) != 0) return true;
    for (const Event* event : wake)
      if (event->IsSet()) return true;
  }
  return false;
}

void SocketShutdown(Socket socket) {
  ::shutdown(Win(socket), 2);  // both directions
}

void SocketClose(Socket socket) {
  ::closesocket(Win(socket));
}

}  // namespace platform
