#include "door/comm/stream_comm.h"

#include <algorithm>
#include <string>
#include <vector>

#include "platform/files.h"

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

StreamComm::StreamComm(Protocol protocol, std::unique_ptr<Link> link)
    : telnet_(protocol == Protocol::kTelnet), link_(std::move(link)) {}

StreamComm::~StreamComm() {
  StopThreads();
}

void StreamComm::Connect(int32_t handle) {
  link_->Attach(handle);
  if (telnet_) SendRaw(kOpening, sizeof kOpening);
}

bool StreamComm::Open(int32_t, int32_t, int, char, int) {
  return true;
}

bool StreamComm::OpenKeep(int32_t) {
  InitFailed = !StartThreads();
  return !InitFailed;
}

bool StreamComm::CharAvail() {
  bool queued = InputQueued();
  if (!queued && link_->IsReady(SocketReady::kReadable)) InputWanted.Set();
  return queued;
}

bool StreamComm::Carrier() {
  if (Connected) {
    PollOnce = true;
    InputWanted.Set();
  }
  return Connected;
}

int32_t StreamComm::GetHandle() {
  return link_->Handle();
}

void StreamComm::Close() {
  if (!link_->IsOpen()) return;
  StopThreads();
  link_->Close();
}

// Receives whenever the caller sends and InputQueue has room. With the
// queue full the link is left unread, so the caller's side holds back what
// it sends; a take by the program wakes this thread again. After the
// caller has closed, the link stays readable for good, and only a wake-up
// makes the thread look at it.
void StreamComm::InputThread() {
  std::vector<uint8_t> staging(kMaxReceive);
  while (!StopFlag()) {
    if (Connected && InputRoom() > 0)
      link_->Wait(SocketReady::kReadable, InputWanted, kThreadWakeMs);
    else
      InputWanted.Wait(kThreadWakeMs);
    if (StopFlag()) break;
    bool readable = link_->IsReady(SocketReady::kReadable);
    InputWanted.Reset();
    bool poll_once = PollOnce.exchange(false);
    if (readable || poll_once) ReceiveOnce(staging.data(), kMaxReceive);
  }
}

// The receive never waits, so a PollOnce attempt with nothing to read
// returns at once, and the program's takes never wait for it either: the
// bytes are received outside InputLock, which is held only to put them.
void StreamComm::ReceiveOnce(uint8_t* staging, int max) {
  int room = std::min(InputRoom(), max);
  if (room <= 0) return;
  platform::SocketResult received = link_->Receive(staging, static_cast<size_t>(room));
  if (received.count > 0) {
    if (telnet_)
      TelnetFilter(staging, static_cast<size_t>(received.count));
    else
      PutInput(staging, static_cast<int>(received.count));
  } else if (received.count == 0) {
    ConnectionFailed();
    SetErrorText("Error in communications(1), #", received.error);
  } else if (!received.would_block) {
    ConnectionFailed();
    SetErrorText("Error in communications(2), #", received.error);
    SetStopFlag();
  }
}

void StreamComm::TelnetFilter(uint8_t* bytes, size_t count) {
  Decoded decoded(bytes);
  filter_.Feed(bytes, count, decoded);
  PutInput(decoded.data(), decoded.count());
  if (!decoded.replies().empty()) SendRaw(decoded.replies().data(), decoded.replies().size());
}

// Sends whatever is queued whenever the program queues output. While the
// link takes no more, the thread waits for it to become writable.
void StreamComm::OutputThread() {
  std::vector<uint8_t> queued(ByteQueue::kCapacity);
  std::vector<uint8_t> encoded(IacDoubler::MaxEncoded(ByteQueue::kCapacity));
  bool blocked = false;
  while (!StopFlag()) {
    if (blocked)
      link_->Wait(SocketReady::kWritable, StopEvent(), kThreadWakeMs);
    else
      OutputReady.Wait(kThreadWakeMs);
    if (StopFlag()) break;
    blocked = SendQueued(queued.data(), encoded.data());
  }
}

// One send of everything queued (with telnet, doubled); returns whether the
// link took less than all of it. A doubled 255 leaves the queue as one byte.
bool StreamComm::SendQueued(uint8_t* queued, uint8_t* encoded) {
  platform::Locked output(OutputLock);
  OutputReady.Reset();
  int count = OutputQueue.Peek(queued, ByteQueue::kCapacity);
  platform::Locked send(send_lock_);
  if (count == 0 && !doubler_.OwesHalf()) return false;
  size_t length = static_cast<size_t>(count);
  const uint8_t* wire = queued;
  if (telnet_) {
    length = doubler_.Encode(queued, length, encoded);
    wire = encoded;
  }
  platform::SocketResult result = link_->Send(wire, length);
  if (result.count < 0 && !result.would_block) {
    ConnectionFailed();
    return false;
  }
  size_t sent = result.count > 0 ? static_cast<size_t>(result.count) : 0;
  size_t done = telnet_ ? doubler_.Sent(queued, static_cast<size_t>(count), sent) : sent;
  OutputQueue.Take(nullptr, static_cast<int>(done));
  OutputTaken();
  return sent < length;
}

void StreamComm::SendRaw(const uint8_t* bytes, size_t count) {
  platform::Locked send(send_lock_);
  if (doubler_.OwesHalf()) {
    const uint8_t half = kIac;
    if (!SendAll(&half, 1)) return;
    doubler_.PaidHalf();
  }
  SendAll(bytes, count);
}

bool StreamComm::SendAll(const uint8_t* bytes, size_t count) {
  size_t done = 0;
  while (done < count) {
    platform::SocketResult result = link_->Send(bytes + done, count - done);
    if (result.count > 0) {
      done += static_cast<size_t>(result.count);
    } else if (!result.would_block) {
      ConnectionFailed();
      return false;
    } else {
      link_->Wait(SocketReady::kWritable, StopEvent(), kThreadWakeMs);
      if (StopFlag()) return false;
    }
  }
  return true;
}

// The link failed or the caller closed: no carrier from now on.
void StreamComm::ConnectionFailed() {
  Connected = false;
  CarrierGone();
}

}  // namespace door::comm
