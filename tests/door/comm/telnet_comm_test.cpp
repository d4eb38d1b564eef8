// The telnet transport over a real loopback connection: the door's end in
// a TelnetComm with its threads, the caller's end driven by the test as a
// caller's terminal would drive it.
#include "door/comm/telnet_comm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <random>
#include <string>
#include <thread>

#include "door/comm/comm_facade.h"
#include "support/comm_bytes.h"
#include "support/sockets.h"

namespace {

using namespace std::chrono_literals;
using testsupport::CloseEnd;
using testsupport::ReceiveUpTo;
using testsupport::SendFully;
using testsupport::WithinSeconds;

const std::string kOpening("\xff\xfb\x01\xff\xfb\x00", 6);  // IAC WILL ECHO, IAC WILL BINARY
constexpr int kWaitMs = 5000;

std::string Doubled(const std::string& data) {
  std::string wire;
  for (char c : data) {
    wire += c;
    if (c == '\xff') wire += c;
  }
  return wire;
}

// Bytes in which about every third one is 255.
std::string MixedBytes(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random() % 3 == 0 ? 0xFF : random() % 255);
  return bytes;
}

class TelnetLine : public testing::Test {
 protected:
  TelnetLine() {
    port.SetThreadProcs(door::comm::CommInputThreadProc, door::comm::CommOutputThreadProc);
  }
  ~TelnetLine() override {
    port.StopThreads();
    CloseEnd(line.door);
    if (caller_open_) CloseEnd(line.caller);
  }

  void Open() {
    ASSERT_TRUE(port.OpenHandle(static_cast<int32_t>(line.door)));
    ASSERT_EQ(Receive(kOpening.size()), kOpening);
  }
  void HangUp() {
    CloseEnd(line.caller);
    caller_open_ = false;
  }
  std::string Receive(size_t count) { return ReceiveUpTo(line.caller, count, kWaitMs); }
  size_t Queue(const std::string& bytes) { return testsupport::Queue(port, bytes); }

  testsupport::Connection line = testsupport::ConnectLoopback();
  door::comm::TelnetComm port;

 private:
  bool caller_open_ = true;
};

TEST_F(TelnetLine, OptionsAnsweredDataDeliveredAndTheCallersCloseNoticed) {
  Open();
  int threads = testsupport::ThreadCount();  // the port's two among them
  EXPECT_FALSE(port.StartThreads());         // a second start starts nothing
  EXPECT_EQ(testsupport::ThreadCount(), threads);

  ASSERT_TRUE(SendFully(line.caller,
                        "a\xff\xff"
                        "b\xff\xf1"
                        "Ac"));  // a doubled 255, and IAC NOP taking "A" for its option
  EXPECT_EQ(Receive(3),
            "\xff\xfc"
            "A");
  EXPECT_EQ(testsupport::Read(port, 4),
            "a\xff"
            "bc");
  EXPECT_FALSE(port.CharAvail());
  EXPECT_TRUE(port.Carrier());

  HangUp();
  EXPECT_TRUE(WithinSeconds(3, [&] { return !port.Carrier(); }));
  EXPECT_EQ(port.GetChar(), 0);  // nothing comes any more, and nothing waits for it

  EXPECT_TRUE(port.StopThreads());
  EXPECT_EQ(testsupport::ThreadCount(), threads - 2);
}

// A caller who stops reading holds the program back in SendBlock until it
// reads again, and every 255 comes doubled wherever the socket stopped
// short; a flooding caller is held back by the door's full input queue
// and loses nothing; a caller who drops while the program waits lets it go.
TEST_F(TelnetLine, BothWaysHeldBackWithoutLossAndLetGoByTheHangUp) {
  testsupport::ShrinkBuffers(line.door, 16384);
  testsupport::ShrinkBuffers(line.caller, 16384);
  Open();
  const std::string data = MixedBytes(120'000, 16);
  std::atomic<bool> returned{false};
  std::thread program([&] {
    for (size_t at = 0; at < data.size(); at += 255)
      EXPECT_EQ(Queue(data.substr(at, 255)), std::min<size_t>(255, data.size() - at));
    returned = true;
  });
  std::this_thread::sleep_for(500ms);
  EXPECT_FALSE(returned);  // SendBlock waits for room
  const std::string wire = Doubled(data);
  std::string received;
  while (received.size() < wire.size()) {
    std::string chunk = Receive(std::min<size_t>(1000, wire.size() - received.size()));
    if (chunk.empty()) break;
    received += chunk;
    std::this_thread::sleep_for(200us);
  }
  program.join();
  EXPECT_TRUE(received == wire) << received.size() << " of " << wire.size();

  const std::string flood = MixedBytes(testsupport::kFloodBytes, 10);
  std::atomic<bool> all_sent{false};
  std::thread flooding_caller([&] { all_sent = SendFully(line.caller, Doubled(flood)); });
  // The door reads nothing for a while: its input queue fills, and then the
  // connection holds the caller back instead of the door's memory growing.
  int in_free, out_free, in_used = 0, out_used;
  EXPECT_TRUE(WithinSeconds(5, [&] {
    port.GetBufferStatus(in_free, out_free, in_used, out_used);
    return in_used == 32768;
  }));
  std::this_thread::sleep_for(300ms);
  EXPECT_FALSE(all_sent);
  std::string read = testsupport::ReadAll(port, flood.size());
  flooding_caller.join();
  EXPECT_TRUE(all_sent);
  EXPECT_TRUE(read == flood) << read.size() << " of " << flood.size();

  const std::string text(255, 'x');
  returned = false;
  std::thread stuck_program([&] {
    while (Queue(text) == text.size()) {
    }
    returned = true;
  });
  std::this_thread::sleep_for(300ms);
  EXPECT_FALSE(returned);
  HangUp();
  EXPECT_TRUE(WithinSeconds(3, [&] { return returned.load(); }));
  stuck_program.join();
  EXPECT_FALSE(port.Carrier());
}

}  // namespace
