#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "support/sockets.h"

namespace testsupport {

namespace {

int Fd(platform::Socket socket) {
  return static_cast<int>(socket);
}

void Require(bool ok) {
  if (!ok) std::abort();  // the test machine cannot give what every test here needs
}

}  // namespace

Connection ConnectLoopback() {
  int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  Require(listener >= 0 && ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
          ::listen(listener, 1) == 0 &&
          ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0);
  Connection connection;
  int caller = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  Require(caller >= 0 && ::connect(caller, reinterpret_cast<sockaddr*>(&address), length) == 0);
  int door = ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
  Require(door >= 0);
  ::close(listener);
  connection.door = door;
  connection.caller = caller;
  return connection;
}

Connection SocketPair() {
  int ends[2] = {-1, -1};
  Require(::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, ends) == 0);
  return Connection{ends[0], ends[1]};
}

PipeLine PipePair() {
  int to_door[2] = {-1, -1}, to_caller[2] = {-1, -1};
  Require(::pipe2(to_door, O_CLOEXEC) == 0 && ::pipe2(to_caller, O_CLOEXEC) == 0);
  return PipeLine{to_door[0], to_caller[1], to_caller[0], to_door[1]};
}

const size_t kFloodBytes = 10 << 20;

void ShrinkBuffers(platform::Socket socket, int bytes) {
  ::setsockopt(Fd(socket), SOL_SOCKET, SO_SNDBUF, &bytes, sizeof bytes);
  ::setsockopt(Fd(socket), SOL_SOCKET, SO_RCVBUF, &bytes, sizeof bytes);
}

bool SendFully(platform::Socket socket, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t sent = ::send(Fd(socket), bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
    if (sent < 0 && errno == ENOTSOCK)
      sent = ::write(Fd(socket), bytes.data() + done, bytes.size() - done);
    if (sent <= 0) return false;
    done += static_cast<size_t>(sent);
  }
  return true;
}

std::string ReceiveUpTo(platform::Socket socket, size_t count, int timeout_ms) {
  std::string received;
  char buffer[4096];
  while (received.size() < count) {
    pollfd fd{Fd(socket), POLLIN, 0};
    if (::poll(&fd, 1, timeout_ms) <= 0) break;
    size_t want = std::min(sizeof buffer, count - received.size());
    ssize_t got = ::read(Fd(socket), buffer, want);
    if (got <= 0) break;
    received.append(buffer, static_cast<size_t>(got));
  }
  return received;
}

void CloseEnd(platform::Socket socket) {
  ::close(Fd(socket));
}

int ThreadCount() {
  int count = 0;
  DIR* tasks = ::opendir("/proc/self/task");
  if (tasks == nullptr) return -1;
  while (dirent* entry = ::readdir(tasks))
    if (entry->d_name[0] != '.') ++count;
  ::closedir(tasks);
  return count;
}

}  // namespace testsupport
