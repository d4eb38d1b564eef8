#include "door/comm/telnet_comm.h"

#include <algorithm>
#include <vector>

namespace door::comm {

namespace {

using platform::SocketReady;
using namespace telnet;

// The threads look at StopFlag at least this often, whatever wakes them.
constexpr int kThreadWakeMs = 5000;
constexpr int kMaxReceive = 1024;
const uint8_t kOpening[] = {kIac, kWill, kEcho, kIac, kWill, kBinary};

// What one receive decodes to: data, written over the received bytes
// (never longer than they are), and the answers to send back.
class Decoded final : public FilterEvents {
 public:
  explicit Decoded(uint8_t* data) : data_(data) {}
  void OnData(uint8_t byte) override { data_[count_++] = byte; }
  void OnReply(const uint8_t* reply, size_t count) override {
    replies_.insert(replies_.end(), reply, reply + count);
  }

  const uint8_t* data() const { return data_; }
  int count() const { return count_; }
  const std::vector<uint8_t>& replies() const { return replies_; }

 private:
  uint8_t* data_;
  int count_ = 0;
  std::vector<uint8_t> replies_;
};

}  // namespace

TelnetComm::TelnetComm() = default;

TelnetComm::~TelnetComm() {
  StopThreads();
}

// The offer goes out before the threads run, so that it is the first thing
// the caller receives, ahead of any answer to the caller's own requests.
bool TelnetComm::OpenHandle(int32_t socket) {
  socket_ = socket;
  int error = 0;
  bool sockets_ready = platform::StartSockets(error);
  SendRaw(kOpening, sizeof kOpening);
  if (sockets_ready) {
    InitFailed = !StartThreads();
  } else {
    SetErrorText("Error in initializing socket, #", error);
    InitFailed = true;
  }
  return !InitFailed;
}

bool TelnetComm::Open(int32_t, int32_t, int, char, int) {
  return true;
}

bool TelnetComm::OpenKeep(int32_t) {
  InitFailed = !StartThreads();
  return !InitFailed;
}

bool TelnetComm::CharAvail() {
  bool queued = InputQueued();
  if (!queued && platform::SocketIsReady(socket_, SocketReady::kReadable)) InputWanted.Set();
  return queued;
}

bool TelnetComm::Carrier() {
  if (Connected) {
    PollOnce = true;
    InputWanted.Set();
  }
  return Connected;
}

int32_t TelnetComm::GetHandle() {
  return static_cast<int32_t>(socket_);
}

void TelnetComm::Close() {
  if (socket_ == platform::kNoSocket) return;
  StopThreads();
  platform::SocketShutdown(socket_);
  platform::SocketClose(socket_);
  socket_ = platform::kNoSocket;
}

// Receives whenever the caller sends and InputQueue has room. With the
// queue full the socket is left unread, so the caller's side of the
// connection holds back what it sends; a take by the program wakes this
// thread again. After the caller has closed, the socket stays readable for
// good, and only a wake-up makes the thread look at it.
void TelnetComm::InputThread() {
  std::vector<uint8_t> staging(kMaxReceive);
  while (!StopFlag()) {
    if (Connected && InputRoom() > 0)
      platform::SocketWait(socket_, SocketReady::kReadable, {&InputWanted}, kThreadWakeMs);
    else
      InputWanted.Wait(kThreadWakeMs);
    if (StopFlag()) break;
    bool readable = platform::SocketIsReady(socket_, SocketReady::kReadable);
    InputWanted.Reset();
    bool poll_once = PollOnce.exchange(false);
    if (readable || poll_once) ReceiveOnce(staging.data(), kMaxReceive);
  }
}

// The receive never waits, so a PollOnce attempt with nothing to read
// returns at once, and the program's takes never wait for it either: the
// bytes are received outside InputLock, which is held only to put them.
void TelnetComm::ReceiveOnce(uint8_t* staging, int max) {
  int room = std::min(InputRoom(), max);
  if (room <= 0) return;
  platform::SocketResult received = platform::SocketReceive(socket_, staging, room);
  if (received.count > 0) {
    TelnetFilter(staging, static_cast<size_t>(received.count));
  } else if (received.count == 0) {
    ConnectionFailed();
    SetErrorText("Error in communications(1), #", received.error);
  } else if (!received.would_block) {
    ConnectionFailed();
    SetErrorText("Error in communications(2), #", received.error);
    SetStopFlag();
  }
}

void TelnetComm::TelnetFilter(uint8_t* bytes, size_t count) {
  Decoded decoded(bytes);
  filter_.Feed(bytes, count, decoded);
  PutInput(decoded.data(), decoded.count());
  if (!decoded.replies().empty()) SendRaw(decoded.replies().data(), decoded.replies().size());
}

// Sends whatever is queued whenever the program queues output. While the
// socket takes no more, the thread waits for it to become writable.
void TelnetComm::OutputThread() {
  std::vector<uint8_t> queued(ByteQueue::kCapacity);
  std::vector<uint8_t> encoded(IacDoubler::MaxEncoded(ByteQueue::kCapacity));
  bool blocked = false;
  while (!StopFlag()) {
    if (blocked)
      platform::SocketWait(socket_, SocketReady::kWritable, {&StopEvent()}, kThreadWakeMs);
    else
      OutputReady.Wait(kThreadWakeMs);
    if (StopFlag()) break;
    blocked = SendQueued(queued.data(), encoded.data());
  }
}

// One send of everything queued, doubled; returns whether the socket took
// less than all of it. A doubled 255 leaves the queue as one byte.
bool TelnetComm::SendQueued(uint8_t* queued, uint8_t* encoded) {
  platform::Locked output(OutputLock);
  OutputReady.Reset();
  int count = OutputQueue.Peek(queued, ByteQueue::kCapacity);
  platform::Locked send(send_lock_);
  if (count == 0 && !doubler_.OwesHalf()) return false;
  size_t length = doubler_.Encode(queued, static_cast<size_t>(count), encoded);
  platform::SocketResult result = platform::SocketSend(socket_, encoded, length);
  if (result.count < 0 && !result.would_block) {
    ConnectionFailed();
    return false;
  }
  size_t sent = result.count > 0 ? static_cast<size_t>(result.count) : 0;
  size_t done = doubler_.Sent(queued, static_cast<size_t>(count), sent);
  OutputQueue.Take(nullptr, static_cast<int>(done));
  OutputTaken();
  return sent < length;
}

void TelnetComm::SendRaw(const uint8_t* bytes, size_t count) {
  platform::Locked send(send_lock_);
  if (doubler_.OwesHalf()) {
    const uint8_t half = kIac;
    if (!SendAll(&half, 1)) return;
    doubler_.PaidHalf();
  }
  SendAll(bytes, count);
}

bool TelnetComm::SendAll(const uint8_t* bytes, size_t count) {
  size_t done = 0;
  while (done < count) {
    platform::SocketResult result = platform::SocketSend(socket_, bytes + done, count - done);
    if (result.count > 0) {
      done += static_cast<size_t>(result.count);
    } else if (!result.would_block) {
      ConnectionFailed();
      return false;
    } else {
      platform::SocketWait(socket_, SocketReady::kWritable, {&StopEvent()}, kThreadWakeMs);
      if (StopFlag()) return false;
    }
  }
  return true;
}

// The socket failed or the caller closed: no carrier from now on.
void TelnetComm::ConnectionFailed() {
  Connected = false;
  CarrierGone();
}

}  // namespace door::comm
