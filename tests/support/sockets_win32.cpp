#include <windows.h>
#include <winsock.h>
// After windows.h, whose types it uses.
#include <tlhelp32.h>

#include <algorithm>
#include <cstdlib>

#include "support/sockets.h"

namespace testsupport {

namespace {

SOCKET Win(platform::Socket socket) {
  return static_cast<SOCKET>(socket);
}

void Require(bool ok) {
  if (!ok) std::abort();  // the test machine cannot give what every test here needs
}

// As the door's own sockets are: no child process inherits them.
SOCKET Private(SOCKET socket) {
  Require(socket != INVALID_SOCKET);
  ::SetHandleInformation(reinterpret_cast<HANDLE>(socket), HANDLE_FLAG_INHERIT, 0);
  return socket;
}

}  // namespace

Connection ConnectLoopback() {
  int error = 0;
  Require(platform::StartSockets(error));
  SOCKET listener = Private(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  int length = sizeof address;
  Require(::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
          ::listen(listener, 1) == 0 &&
          ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0);
  Connection connection;
  SOCKET caller = Private(::socket(AF_INET, SOCK_STREAM, 0));
  Require(::connect(caller, reinterpret_cast<sockaddr*>(&address), length) == 0);
  SOCKET door = Private(::accept(listener, nullptr, nullptr));
  ::closesocket(listener);
  connection.door = static_cast<platform::Socket>(door);
  connection.caller = static_cast<platform::Socket>(caller);
  return connection;
}

// Windows' anonymous pipes cannot join a wait: two loopback connections
// stand in for the caller's two pipes.
PipeLine PipePair() {
  Connection to_door = ConnectLoopback();
  Connection to_caller = ConnectLoopback();
  return PipeLine{to_door.door, to_caller.door, to_caller.caller, to_door.caller};
}

void ShrinkBuffers(platform::Socket socket, int bytes) {
  const char* value = reinterpret_cast<const char*>(&bytes);
  ::setsockopt(Win(socket), SOL_SOCKET, SO_SNDBUF, value, sizeof bytes);
  ::setsockopt(Win(socket), SOL_SOCKET, SO_RCVBUF, value, sizeof bytes);
}

bool SendFully(platform::Socket socket, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    int sent = ::send(Win(socket), bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
    if (sent <= 0) return false;
    done += static_cast<size_t>(sent);
  }
  return true;
}

std::string ReceiveUpTo(platform::Socket socket, size_t count, int timeout_ms) {
  std::string received;
  char buffer[4096];
  while (received.size() < count) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Win(socket), &readable);
    timeval limit{timeout_ms / 1000, (timeout_ms % 1000) * 1000};
    if (::select(0, &readable, nullptr, nullptr, &limit) <= 0) break;
    int want = static_cast<int>(std::min(sizeof buffer, count - received.size()));
    int got = ::recv(Win(socket), buffer, want, 0);
    if (got <= 0) break;
    received.append(buffer, static_cast<size_t>(got));
  }
  return received;
}

void CloseEnd(platform::Socket socket) {
  ::closesocket(Win(socket));
}

int ThreadCount() {
  HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  int count = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry))
    if (entry.th32OwnerProcessID == ::GetCurrentProcessId()) ++count;
  ::CloseHandle(snapshot);
  return count;
}

}  // namespace testsupport
