#include "door/comm/telnet_comm.h"

#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/socket.h"

namespace door::comm {

namespace {

using platform::SocketReady;

// The board's socket. Closing it is a hang-up: the caller sees the
// connection end.
class SocketLink final : public Link {
 public:
  void Attach(int32_t handle) override { socket_ = handle; }
  platform::SocketResult Receive(uint8_t* buffer, size_t max) override {
    return platform::SocketReceive(socket_, buffer, max);
  }
  platform::SocketResult Send(const uint8_t* bytes, size_t count) override {
    return platform::SocketSend(socket_, bytes, count);
  }
  bool IsReady(SocketReady what) override { return platform::SocketIsReady(socket_, what); }
  void Wait(SocketReady what, const platform::Event& wake, int timeout_ms) override {
    platform::SocketWait(socket_, what, {&wake}, timeout_ms);
  }
  void Close() override {
    platform::SocketShutdown(socket_);
    platform::SocketClose(socket_);
    socket_ = platform::kNoSocket;
  }
  bool IsOpen() const override { return socket_ != platform::kNoSocket; }
  int32_t Handle() const override { return static_cast<int32_t>(socket_); }

 private:
  platform::Socket socket_ = platform::kNoSocket;
};

}  // namespace

TelnetComm::TelnetComm() : StreamComm(Protocol::kTelnet, std::make_unique<SocketLink>()) {}

// The offer is sent even when the socket layer cannot start.
bool TelnetComm::OpenHandle(int32_t socket) {
  int error = 0;
  bool sockets_ready = platform::StartSockets(error);
  Connect(socket);
  if (sockets_ready) {
    InitFailed = !StartThreads();
  } else {
    SetErrorText("Error in initializing socket, #", error);
    InitFailed = true;
  }
  return !InitFailed;
}

}  // namespace door::comm
