// A transport over a byte stream that the board hands over: a connected
// socket (TelnetComm) or the program's standard input and output
// (StdioComm). The input thread receives whenever the caller sends and
// InputQueue has room; the output thread sends whatever is queued. With
// telnet spoken on the stream, the opening offer goes out first, input
// passes the telnet filter (options are answered) and every byte 255 of
// output is doubled; raw, bytes pass unchanged. The stream's end, a failed
// receive or a failed send is the end of the carrier.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "door/comm/comm_port.h"
#include "door/comm/link.h"
#include "door/comm/telnet_codec.h"
#include "platform/thread.h"

namespace door::comm {

class StreamComm : public CommPort {
 public:
  enum class Protocol { kRaw, kTelnet };

  ~StreamComm() override;

  bool Open(int32_t port, int32_t bps, int data_bits, char parity, int stop_bits) override;
  bool OpenKeep(int32_t port) override;
  bool CharAvail() override;
  // Also asks the input thread for one receive, which is how a closed
  // connection is noticed when nothing else is read.
  bool Carrier() override;
  int32_t GetHandle() override;
  void Close() override;

  void InputThread() override;
  void OutputThread() override;

  // Sends bytes directly on the link, outside the queue, waiting while the
  // link takes no more; ends early when the connection fails or the
  // threads stop.
  void SendRaw(const uint8_t* bytes, size_t count);

 protected:
  // The link is the transport's for good; it is opened by Connect.
  StreamComm(Protocol protocol, std::unique_ptr<Link> link);
  // Opens the link on the handle and, with telnet, offers the caller's
  // terminal echo and binary transmission (IAC WILL ECHO, IAC WILL BINARY).
  // The offer goes out before the threads run, so that it is the first
  // thing the caller receives, ahead of any answer to the caller's own
  // requests.
  void Connect(int32_t handle);

 private:
  void ReceiveOnce(uint8_t* staging, int max);
  // Decodes received bytes in place, queues the data and answers options.
  void TelnetFilter(uint8_t* bytes, size_t count);
  bool SendQueued(uint8_t* queued, uint8_t* encoded);
  bool SendAll(const uint8_t* bytes, size_t count);
  void ConnectionFailed();

  const bool telnet_;
  const std::unique_ptr<Link> link_;
  std::atomic<bool> PollOnce{true};
  std::atomic<bool> Connected{true};
  telnet::TelnetFilter filter_;  // the input thread's alone
  // Everything sent on the link goes out under send_lock_, so that an
  // answer to the caller never lands inside a doubled 255 (the doubler's
  // owed half is paid first).
  platform::Lock send_lock_;
  telnet::IacDoubler doubler_;  // under send_lock_
};

}  // namespace door::comm
