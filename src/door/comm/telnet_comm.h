// The telnet transport (comm type 2): a connected socket that the board
// hands over, with telnet option handling on input and every byte 255
// doubled on output. The socket stays the board's: the transport closes it
// only when told to (Close, or dropping DTR), never when it is destroyed.
#pragma once

#include <atomic>
#include <cstdint>

#include "door/comm/comm_port.h"
#include "door/comm/telnet_codec.h"
#include "platform/socket.h"
#include "platform/thread.h"

namespace door::comm {

class TelnetComm final : public CommPort {
 public:
  TelnetComm();
  ~TelnetComm() override;

  // Starts the threads and offers the caller's terminal echo and binary
  // transmission (IAC WILL ECHO, IAC WILL BINARY).
  bool OpenHandle(int32_t socket) override;
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

  // Sends bytes directly on the socket, outside the queue, waiting while
  // the socket takes no more; ends early when the connection fails or the
  // threads stop.
  void SendRaw(const uint8_t* bytes, size_t count);

 private:
  void ReceiveOnce(uint8_t* staging, int max);
  // Decodes received bytes in place, queues the data and answers options.
  void TelnetFilter(uint8_t* bytes, size_t count);
  bool SendQueued(uint8_t* queued, uint8_t* encoded);
  bool SendAll(const uint8_t* bytes, size_t count);
  void ConnectionFailed();

  platform::Socket socket_ = platform::kNoSocket;
  std::atomic<bool> PollOnce{true};
  std::atomic<bool> Connected{true};
  telnet::TelnetFilter filter_;  // the input thread's alone
  // Everything sent on the socket goes out under send_lock_, so that an
  // answer to the caller never lands inside a doubled 255 (the doubler's
  // owed half is paid first).
  platform::Lock send_lock_;
  telnet::IacDoubler doubler_;  // under send_lock_
};

}  // namespace door::comm
