// The telnet transport (comm type 2): a connected socket that the board
// hands over, with telnet option handling on input and every byte 255
// doubled on output (see stream_comm.h). The socket stays the board's: the
// transport closes it only when told to (Close, or dropping DTR), never
// when it is destroyed.
#pragma once

#include <cstdint>

#include "door/comm/stream_comm.h"

namespace door::comm {

class TelnetComm final : public StreamComm {
 public:
  TelnetComm();

  // Starts the threads on the socket, after the telnet offer.
  bool OpenHandle(int32_t socket) override;
};

}  // namespace door::comm
