// The serial transport over a pseudo-terminal standing in for a serial
// line: the door's SerialComm on the slave with its port thread, the test
// on the master as the caller's modem.
#include "door/comm/serial_comm.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <termios.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "door/comm/comm_facade.h"
#include "platform/serial_line.h"
#include "support/comm_bytes.h"
#include "support/pseudo_terminal.h"
#include "support/sockets.h"

namespace {

using namespace std::chrono_literals;
using testsupport::Queue;
using testsupport::Read;
using testsupport::ReceiveUpTo;

constexpr int kWaitMs = 5000;

// Every byte value but XOFF and XON, which a line with software flow
// control on would take for itself.
std::string AllBytes(size_t count) {
  std::string bytes;
  for (size_t i = 0; bytes.size() < count; ++i)
    if (i % 256 != 0x11 && i % 256 != 0x13) bytes += static_cast<char>(i % 256);
  return bytes;
}

class SerialLine : public testing::Test {
 protected:
  SerialLine() {
    port.SetThreadProcs(door::comm::CommInputThreadProc, door::comm::CommOutputThreadProc);
  }
  ~SerialLine() override {
    port.StopThreads();
    if (slave >= 0) testsupport::CloseEnd(slave);
    if (pty.master >= 0) testsupport::CloseEnd(pty.master);
  }

  std::string Receive(size_t count) { return ReceiveUpTo(pty.master, count, kWaitMs); }

  testsupport::PseudoTerminal pty = testsupport::OpenPseudoTerminal();
  int slave = testsupport::OpenSlave(pty);
  door::comm::SerialComm port;
};

// The line handed over is set to 8N1 at the speed it had, output held for
// CTS; bytes then pass raw both ways until the caller hangs up.
TEST_F(SerialLine, BytesPassBothWaysUnchangedUntilTheLineHangsUp) {
  termios before{}, t{};
  ASSERT_EQ(::tcgetattr(slave, &before), 0);
  ASSERT_TRUE(port.OpenHandle(slave));
  ASSERT_EQ(::tcgetattr(slave, &t), 0);
  EXPECT_EQ(cfgetospeed(&t), cfgetospeed(&before));
  EXPECT_EQ(t.c_cflag & (PARODD | CMSPAR | CSTOPB | CRTSCTS), static_cast<tcflag_t>(CRTSCTS));
  int threads = testsupport::ThreadCount();  // the port's one among them
  port.SetFlow(false, false, false);
  EXPECT_TRUE(port.Carrier());

  // No echo, no CR or LF translation, no signal characters: raw bytes.
  EXPECT_EQ(Queue(port, std::string("A\r\n\xff\x00z", 6)), 6u);
  EXPECT_EQ(Receive(6), std::string("A\r\n\xff\x00z", 6));
  ASSERT_TRUE(testsupport::SendFully(pty.master, std::string("b\r\x03\x7f\xff\x00\n", 7)));
  EXPECT_EQ(Read(port, 7), std::string("b\r\x03\x7f\xff\x00\n", 7));
  EXPECT_EQ(ReceiveUpTo(pty.master, 1, 200), "");  // nothing echoed

  // More than the line holds, each way: the port thread waits for room on
  // the line, and with InputQueue full it leaves the line unread.
  const std::string data = AllBytes(200'000);
  std::string received;
  std::thread caller([&] { received = Receive(data.size()); });
  testsupport::QueueInLines(port, data);
  caller.join();
  EXPECT_TRUE(received == data) << received.size();
  std::atomic<bool> all_sent{false};
  std::thread flooding_caller([&] { all_sent = testsupport::SendFully(pty.master, data); });
  std::this_thread::sleep_for(300ms);
  int in_free, out_free, in_used, out_used;
  port.GetBufferStatus(in_free, out_free, in_used, out_used);
  EXPECT_EQ(in_used, 32768);
  EXPECT_FALSE(all_sent);
  std::string read = testsupport::ReadAll(port, data.size());
  flooding_caller.join();
  EXPECT_TRUE(read == data) << read.size();

  // The caller hangs up: no carrier, and nothing waits for the line.
  testsupport::CloseEnd(pty.master);
  pty.master = -1;
  EXPECT_TRUE(testsupport::WithinSeconds(3, [&] { return !port.Carrier(); }));
  EXPECT_EQ(port.GetChar(), 0);
  EXPECT_TRUE(port.StopThreads());
  EXPECT_EQ(testsupport::ThreadCount(), threads - 1);  // one thread served both ways
}

// Closed, the transport has no carrier whatever the line; a port opened by
// number is the transport's own, an inherited line stays the board's.
TEST_F(SerialLine, PortsByNumberAndWhoseLineIsClosed) {
  EXPECT_EQ(platform::SerialPortDevice(3), "/dev/ttyS2");
  ::setenv("KELD_COM3", pty.slave_path.c_str(), 1);
  EXPECT_EQ(platform::SerialPortDevice(3), pty.slave_path);
  int own_line = -1;
  {
    door::comm::SerialComm by_number;
    by_number.SetThreadProcs(door::comm::CommInputThreadProc, nullptr);
    EXPECT_TRUE(by_number.OpenKeep(3));  // (bytes pass end to end: remote_caller_test)
    own_line = by_number.GetHandle();
  }
  EXPECT_EQ(::fcntl(own_line, F_GETFD), -1);  // closed with its transport
  ::unsetenv("KELD_COM3");

  {
    door::comm::SerialComm inherited;
    inherited.SetThreadProcs(door::comm::CommInputThreadProc, nullptr);
    ASSERT_TRUE(inherited.OpenHandle(slave));
  }
  EXPECT_EQ(::fcntl(slave, F_GETFL) & O_NONBLOCK, 0);  // given back open, as it came

  ASSERT_TRUE(port.OpenHandle(slave));
  EXPECT_TRUE(port.Carrier());
  port.Close();
  EXPECT_FALSE(port.Carrier());
  EXPECT_EQ(::fcntl(slave, F_GETFD), -1);
  slave = -1;
}

}  // namespace
