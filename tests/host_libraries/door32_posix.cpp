// The board lines on POSIX: the descriptor is its own waitable handle.
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

#include "host_libraries/board_line.h"

namespace board_line {

namespace {

int Fd(const Line& line) {
  return static_cast<int>(line.socket);
}

}  // namespace

bool Connect(int port, Line& line) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  line.ready = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  line.socket = line.ready;
  if (line.ready >= 0 &&
      ::setsockopt(line.ready, SOL_SOCKET, SO_RCVBUF, &kLineBuffer, sizeof kLineBuffer) == 0 &&
      ::connect(line.ready, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
    return true;
  Close(line);
  return false;
}

void Close(Line& line) {
  if (line.socket >= 0) ::close(Fd(line));
  line = Line{};
}

int ReceiveNow(const Line& line, unsigned char* buffer, int max) {
  ssize_t got = ::recv(Fd(line), buffer, static_cast<size_t>(max), MSG_DONTWAIT);
  return got > 0 ? static_cast<int>(got) : 0;
}

int SendWhenRoom(const Line& line, const Line& watched, const unsigned char* bytes, int length) {
  pollfd lines[2] = {{Fd(line), POLLOUT, 0}, {Fd(watched), POLLIN, 0}};
  if (::poll(lines, 2, -1) < 0 || lines[1].revents != 0) return -1;
  ssize_t sent = ::send(Fd(line), bytes, static_cast<size_t>(length), MSG_DONTWAIT | MSG_NOSIGNAL);
  if (sent >= 0) return static_cast<int>(sent);
  return errno == EAGAIN || errno == EWOULDBLOCK ? 0 : -1;
}

}  // namespace board_line
