// The board lines on Windows: each socket reports to an event of its own
// (WSAEventSelect), which is the line's waitable handle. A receive clears
// the event first; Winsock sets it again while bytes are left.
#include <winsock2.h>
// After winsock2.h, which must come first.
#include <windows.h>

#include "host_libraries/board_line.h"

namespace board_line {

namespace {

SOCKET Win(const Line& line) {
  return static_cast<SOCKET>(line.socket);
}

}  // namespace

// The event also makes the socket non-blocking.
bool Connect(int port, Line& line) {
  static WSADATA winsock;
  static const int started = ::WSAStartup(MAKEWORD(2, 2), &winsock);
  if (started != 0) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  address.sin_port = ::htons(static_cast<u_short>(port));
  SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
  line.socket = static_cast<std::intptr_t>(socket);
  line.ready = ::WSACreateEvent();
  const char* buffer = reinterpret_cast<const char*>(&kLineBuffer);
  if (socket != INVALID_SOCKET &&
      ::setsockopt(socket, SOL_SOCKET, SO_RCVBUF, buffer, sizeof kLineBuffer) == 0 &&
      ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
      ::WSAEventSelect(socket, line.ready, FD_READ | FD_CLOSE) == 0)
    return true;
  Close(line);
  return false;
}

void Close(Line& line) {
  if (Win(line) != INVALID_SOCKET) ::closesocket(Win(line));
  if (line.ready != nullptr) ::WSACloseEvent(line.ready);
  line = Line{};
}

int ReceiveNow(const Line& line, unsigned char* buffer, int max) {
  ::WSAResetEvent(line.ready);
  int got = ::recv(Win(line), reinterpret_cast<char*>(buffer), max, 0);
  return got > 0 ? got : 0;
}

int SendWhenRoom(const Line& line, const Line& watched, const unsigned char* bytes, int length) {
  fd_set writable, readable;
  FD_ZERO(&writable);
  FD_ZERO(&readable);
  FD_SET(Win(line), &writable);
  FD_SET(Win(watched), &readable);
  if (::select(0, &readable, &writable, nullptr, nullptr) < 0 || FD_ISSET(Win(watched), &readable))
    return -1;
  int sent = ::send(Win(line), reinterpret_cast<const char*>(bytes), length, 0);
  if (sent != SOCKET_ERROR) return sent;
  return ::WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

}  // namespace board_line
