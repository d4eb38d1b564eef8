// The transport for a caller on the program's own standard input and
// output (a remote comm type with the handle 0 or -1): the board runs the
// door with the caller's connection there, a socket, a pipe pair or a
// pseudo-terminal. Comm type 2 talks telnet on it as TelnetComm does on its
// socket; comm type 1 passes the bytes raw (see stream_comm.h).
#pragma once

#include <cstdint>

#include "door/comm/stream_comm.h"
#include "platform/std_streams.h"

namespace door::comm {

class StdioComm final : public StreamComm {
 public:
  explicit StdioComm(Protocol protocol, platform::StreamPair streams = platform::StandardStreams());

  // Readies the streams and starts the threads (after the telnet offer,
  // with telnet). The handle only names the streams; it is kept.
  bool OpenHandle(int32_t handle) override;

 private:
  platform::StreamPair streams_;
};

}  // namespace door::comm
