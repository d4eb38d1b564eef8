#include "door/comm/stdio_comm.h"

#include <memory>

namespace door::comm {

namespace {

using platform::SocketReady;

class StdioLink final : public Link {
 public:
  explicit StdioLink(platform::StreamPair streams) : streams_(streams) {}
  ~StdioLink() override { Close(); }

  void Attach(int32_t handle) override { handle_ = handle; }
  platform::SocketResult Receive(uint8_t* buffer, size_t max) override {
    return platform::StreamRead(streams_.in, buffer, max);
  }
  platform::SocketResult Send(const uint8_t* bytes, size_t count) override {
    return platform::StreamWrite(streams_.out, bytes, count);
  }
  bool IsReady(SocketReady what) override { return platform::StreamIsReady(Stream(what), what); }
  void Wait(SocketReady what, const platform::Event& wake, int timeout_ms) override {
    platform::StreamWait(Stream(what), what, {&wake}, timeout_ms);
  }
  // The streams themselves stay open: they are the program's own, and no
  // file the program opens later may take their numbers.
  void Close() override {
    if (IsOpen()) platform::ReleaseStreams(streams_);
    streams_ = platform::StreamPair{};
  }
  bool IsOpen() const override { return streams_.in != platform::StreamPair{}.in; }
  int32_t Handle() const override { return handle_; }

 private:
  platform::StreamHandle Stream(SocketReady what) const {
    return what == SocketReady::kReadable ? streams_.in : streams_.out;
  }

  platform::StreamPair streams_;
  int32_t handle_ = -1;
};

}  // namespace

StdioComm::StdioComm(Protocol protocol, platform::StreamPair streams)
    : StreamComm(protocol, std::make_unique<StdioLink>(streams)), streams_(streams) {}

bool StdioComm::OpenHandle(int32_t handle) {
  platform::PrepareStreams(streams_);
  Connect(handle);
  InitFailed = !StartThreads();
  return !InitFailed;
}

}  // namespace door::comm
