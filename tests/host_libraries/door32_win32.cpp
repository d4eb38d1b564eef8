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

bool StartWinsock() {
  static const bool started = [] {
    WSADATA data;
    return ::WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  return started;
}

}  // namespace

// The event also makes the socket non-blocking.
bool Connect(int port, Line& line) {
  if (!StartWinsock()) return false;
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

int SendNow(const Line& line, const unsigned char* bytes, int length) {
  int sent = ::send(Win(line), reinterpret_cast<const char*>(bytes), length, 0);
  if (sent != SOCKET_ERROR) return sent;
  return ::WSAGetLastError() == WSAEWOULDBLOCK ? 0 : -1;
}

// The offline line's event stays set once the board has closed it.
bool Closed(const Line& line) {
  return ::WaitForSingleObject(line.ready, 0) == WAIT_OBJECT_0;
}

void WaitForRoom(const Line& line, const Line& watched) {
  fd_set writable, readable;
  FD_ZERO(&writable);
  FD_ZERO(&readable);
  FD_SET(Win(line), &writable);
  FD_SET(Win(watched), &readable);
  ::select(0, &readable, &writable, nullptr, nullptr);
}

}  // namespace board_line
