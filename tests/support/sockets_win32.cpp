#include <windows.h>
#include <winsock.h>
// After windows.h, whose types it uses.
#include <tlhelp32.h>

#include <cstdlib>

#include "platform/std_streams.h"
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

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  address.sin_port = ::htons(static_cast<u_short>(port));
  return address;
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

// A blocking socket or pipe takes all it is given, but for a failure.
bool SendFully(platform::Socket socket, const std::string& bytes) {
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  for (size_t done = 0; done < bytes.size();) {
    platform::StreamWait(socket, platform::SocketReady::kWritable, {}, platform::kNoTimeLimit);
    platform::SocketResult sent = platform::StreamWrite(socket, data + done, bytes.size() - done);
    if (sent.count > 0)
      done += static_cast<size_t>(sent.count);
    else if (!sent.would_block)
      return false;
  }
  return true;
}

void CloseEnd(platform::Socket socket) {
  // A pipe's end is no socket.
  if (::closesocket(Win(socket)) != 0) ::CloseHandle(reinterpret_cast<HANDLE>(socket));
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
