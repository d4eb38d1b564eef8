// The transport for a caller on the program's standard input and output,
// run here on two pipes the test makes, raw bytes. (Telnet on it is
// StreamComm's as for TelnetComm, and both kinds are driven end to end in
// telnet_caller_test_posix.cpp.)
#include "door/comm/stdio_comm.h"

#include <gtest/gtest.h>

#include <string>

#include "door/comm/comm_facade.h"
#include "support/comm_bytes.h"
#include "support/sockets.h"

namespace {

using door::comm::StdioComm;
using Protocol = door::comm::StreamComm::Protocol;
using testsupport::CloseEnd;
using testsupport::ReceiveUpTo;
using testsupport::SendFully;
using testsupport::WithinSeconds;

constexpr int kWaitMs = 5000;

// A port on the door's ends, its threads stopped before the ends close.
struct Port {
  Port(Protocol protocol, platform::StreamPair streams, int32_t handle) : port(protocol, streams) {
    port.SetThreadProcs(door::comm::CommInputThreadProc, door::comm::CommOutputThreadProc);
    EXPECT_TRUE(port.OpenHandle(handle));
  }
  ~Port() { port.StopThreads(); }

  StdioComm port;
};

// Raw bytes both ways, 255 and telnet commands included (the queues and
// their floods are StreamComm's, as TelnetComm's). The end of the caller's
// input, and a write nobody reads any more, are each the carrier's end. No
// thread outlives the port, the pipe's reader on Windows included.
TEST(StdioComm, RawBytesThroughPipesAndEitherEndOfThemDropsTheCarrier) {
  testsupport::PipeLine pipes = testsupport::PipePair();
  int threads = testsupport::ThreadCount();
  {
    Port door(Protocol::kRaw, {pipes.door_in, pipes.door_out}, -1);
    ASSERT_TRUE(SendFully(pipes.caller_out, "\xff\xfd\x18z"));
    EXPECT_EQ(testsupport::Read(door.port, 4), "\xff\xfd\x18z");
    testsupport::Queue(door.port, "\xff\x01");
    EXPECT_EQ(ReceiveUpTo(pipes.caller_in, 2, kWaitMs), "\xff\x01");  // not doubled
    EXPECT_TRUE(door.port.Carrier());

    CloseEnd(pipes.caller_out);
    EXPECT_TRUE(WithinSeconds(3, [&] { return !door.port.Carrier(); }));
  }
  for (platform::Socket end : {pipes.door_in, pipes.door_out, pipes.caller_in}) CloseEnd(end);

  testsupport::PipeLine unread = testsupport::PipePair();
  CloseEnd(unread.caller_in);
  {
    Port door(Protocol::kRaw, {unread.door_in, unread.door_out}, 0);
    testsupport::Queue(door.port, "nobody reads this");
    EXPECT_TRUE(WithinSeconds(3, [&] { return !door.port.Carrier(); }));
  }
  EXPECT_EQ(testsupport::ThreadCount(), threads);
  for (platform::Socket end : {unread.door_in, unread.door_out, unread.caller_out}) CloseEnd(end);
}

}  // namespace
