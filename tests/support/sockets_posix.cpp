#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <thread>

#include "support/sockets.h"

namespace testsupport {

namespace {

int Fd(platform::Socket socket) {
  return static_cast<int>(socket);
}

void Require(bool ok) {
  if (!ok) std::abort();  // the test machine cannot give what every test here needs
}

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<uint16_t>(port));
  return address;
}

}  // namespace

platform::Socket ListenLoopback(int& port) {
  int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  Require(listener >= 0 && ::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
          ::listen(listener, 2) == 0 &&
          ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0);
  port = ntohs(address.sin_port);
  return listener;
}

platform::Socket AcceptWithin(platform::Socket listener, int timeout_ms) {
  pollfd waiting{Fd(listener), POLLIN, 0};
  if (::poll(&waiting, 1, timeout_ms) <= 0) return platform::kNoSocket;
  return ::accept4(Fd(listener), nullptr, nullptr, SOCK_CLOEXEC);
}

Connection ConnectLoopback() {
  int port = 0;
  platform::Socket listener = ListenLoopback(port);
  sockaddr_in address = Loopback(port);
  int caller = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  Require(caller >= 0 &&
          ::connect(caller, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
  Connection connection{AcceptWithin(listener, -1), caller};
  Require(connection.door != platform::kNoSocket);
  CloseEnd(listener);
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

void CloseEnd(platform::Socket socket) {
  ::close(Fd(socket));
}

int ThreadCount() {
  // ThreadSanitizer starts a helper thread of its own along with the
  // program's first thread; one thread started and ended before the first
  // count keeps that helper out of the differences the tests look at.
  static const bool settled = [] {
    std::thread([] {}).join();
    return true;
  }();
  (void)settled;
  int count = 0;
  DIR* tasks = ::opendir("/proc/self/task");
  if (tasks == nullptr) return -1;
  while (dirent* entry = ::readdir(tasks))
    if (entry->d_name[0] != '.') ++count;
  ::closedir(tasks);
  return count;
}

}  // namespace testsupport
