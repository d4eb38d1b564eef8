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

bool IsSocket(platform::Socket socket) {
  int type = 0;
  int length = sizeof type;
  return ::getsockopt(Win(socket), SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length) ==
         0;
}

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  address.sin_port = ::htons(static_cast<u_short>(port));
  return address;
}

HANDLE Handle(platform::Socket end) {
  return reinterpret_cast<HANDLE>(end);
}

bool WriteFully(HANDLE pipe, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD written = 0;
    if (::WriteFile(pipe, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written,
                    nullptr) == 0)
      return false;
    done += written;
  }
  return true;
}

// An anonymous pipe cannot be waited on: it is looked at every few ms.
std::string ReadPipeUpTo(HANDLE pipe, size_t count, int timeout_ms) {
  std::string received;
  char buffer[4096];
  int idle_ms = 0;
  while (received.size() < count && idle_ms < timeout_ms) {
    DWORD available = 0;
    if (::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) == 0) break;
    if (available == 0) {
      ::Sleep(5);
      idle_ms += 5;
      continue;
    }
    DWORD want = static_cast<DWORD>(
        std::min<size_t>({sizeof buffer, count - received.size(), static_cast<size_t>(available)}));
    DWORD got = 0;
    if (::ReadFile(pipe, buffer, want, &got, nullptr) == 0 || got == 0) break;
    received.append(buffer, got);
    idle_ms = 0;
  }
  return received;
}

}  // namespace

platform::Socket ListenLoopback(int& port) {
  int error = 0;
  Require(platform::StartSockets(error));
  SOCKET listener = Private(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in address = Loopback(0);
  int length = sizeof address;
  Require(::bind(listener, reinterpret_cast<sockaddr*>(&address), length) == 0 &&
          ::listen(listener, 2) == 0 &&
          ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) == 0);
  port = ::ntohs(address.sin_port);
  return static_cast<platform::Socket>(listener);
}

platform::Socket AcceptWithin(platform::Socket listener, int timeout_ms) {
  if (!platform::SocketWait(listener, platform::SocketReady::kReadable, {}, timeout_ms))
    return platform::kNoSocket;
  SOCKET door = ::accept(Win(listener), nullptr, nullptr);
  return door == INVALID_SOCKET ? platform::kNoSocket
                                : static_cast<platform::Socket>(Private(door));
}

Connection ConnectLoopback() {
  int port = 0;
  platform::Socket listener = ListenLoopback(port);
  sockaddr_in address = Loopback(port);
  SOCKET caller = Private(::socket(AF_INET, SOCK_STREAM, 0));
  Require(::connect(caller, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0);
  Connection connection{AcceptWithin(listener, -1), static_cast<platform::Socket>(caller)};
  Require(connection.door != platform::kNoSocket);
  CloseEnd(listener);
  return connection;
}

PipeLine PipePair() {
  HANDLE to_door[2] = {nullptr, nullptr}, to_caller[2] = {nullptr, nullptr};
  Require(::CreatePipe(&to_door[0], &to_door[1], nullptr, 0) != 0 &&
          ::CreatePipe(&to_caller[0], &to_caller[1], nullptr, 0) != 0);
  auto end = [](HANDLE handle) { return reinterpret_cast<platform::Socket>(handle); };
  return PipeLine{end(to_door[0]), end(to_caller[1]), end(to_caller[0]), end(to_door[1])};
}

const size_t kFloodBytes = 512 << 10;

void ShrinkBuffers(platform::Socket socket, int bytes) {
  const char* value = reinterpret_cast<const char*>(&bytes);
  ::setsockopt(Win(socket), SOL_SOCKET, SO_SNDBUF, value, sizeof bytes);
  ::setsockopt(Win(socket), SOL_SOCKET, SO_RCVBUF, value, sizeof bytes);
}

bool SendFully(platform::Socket socket, const std::string& bytes) {
  if (!IsSocket(socket)) return WriteFully(Handle(socket), bytes);
  size_t done = 0;
  while (done < bytes.size()) {
    int sent = ::send(Win(socket), bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
    if (sent <= 0) return false;
    done += static_cast<size_t>(sent);
  }
  return true;
}

std::string ReceiveUpTo(platform::Socket socket, size_t count, int timeout_ms) {
  if (!IsSocket(socket)) return ReadPipeUpTo(Handle(socket), count, timeout_ms);
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
  if (IsSocket(socket))
    ::closesocket(Win(socket));
  else
    ::CloseHandle(Handle(socket));
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
