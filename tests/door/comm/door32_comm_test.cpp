// The DOOR32 transport through the test host library, loaded by the real
// loader from a scratch game directory: the test is the board, and drives
// the library's line as the caller's terminal would.
#include "door/comm/door32_comm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "door/comm/comm_facade.h"
#include "platform/library.h"
#include "support/comm_bytes.h"
#include "support/host_board.h"
#include "support/sockets.h"

namespace {

using namespace std::chrono_literals;
using door::comm::Door32Comm;
using testsupport::ReceiveUpTo;
using testsupport::SendFully;

constexpr int kWaitMs = 5000;

std::string RandomBytes(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

struct Door32Line {
  testsupport::HostBoard board;
  std::unique_ptr<Door32Comm> port;

  Door32Line() {
    testsupport::InstallHostLibrary(board.dir(), "DOOR32");
    port = std::make_unique<Door32Comm>(board.dir());
    port->SetThreadProcs(door::comm::CommInputThreadProc, door::comm::CommOutputThreadProc);
  }
};

TEST(Door32Comm, BytesBothWaysUnchangedHeldBackWhenUnreadAndTheOfflineLineEndsTheCarrier) {
  Door32Line line;
  ASSERT_TRUE(line.board.Accept(kWaitMs));
  testsupport::ShrinkBuffers(line.board.caller(), 16384);
  ASSERT_FALSE(line.port->InitFailed);
  EXPECT_TRUE(line.port->OpenHandle(7));
  EXPECT_EQ(line.port->GetHandle(), 7);
  EXPECT_TRUE(line.port->Carrier());

  // The library carries bytes as they are: no telnet doubling either way.
  const std::string odd("a\xff\xff\0b", 5);
  ASSERT_TRUE(SendFully(line.board.caller(), odd));
  EXPECT_EQ(testsupport::Read(*line.port, 5), odd);
  EXPECT_FALSE(line.port->CharAvail());
  EXPECT_EQ(testsupport::Queue(*line.port, odd), 5u);
  EXPECT_EQ(ReceiveUpTo(line.board.caller(), 5, kWaitMs), odd);

  // A flood the door does not read fills InputQueue and then holds the
  // board back; meanwhile output flows the other way. Nothing is lost.
  const std::string in = RandomBytes(std::min<size_t>(testsupport::kFloodBytes / 2, 1 << 20), 3);
  const std::string out = RandomBytes(in.size() / 4, 4);
  std::atomic<bool> all_sent{false};
  std::string received;
  std::thread board([&] {
    all_sent = SendFully(line.board.caller(), in);
    received = ReceiveUpTo(line.board.caller(), out.size(), kWaitMs);
  });
  int in_free, out_free, in_used = 0, out_used;
  for (auto end = std::chrono::steady_clock::now() + 5s;
       in_used < 32768 && std::chrono::steady_clock::now() < end;) {
    std::this_thread::sleep_for(10ms);
    line.port->GetBufferStatus(in_free, out_free, in_used, out_used);
  }
  EXPECT_EQ(in_used, 32768);
  EXPECT_FALSE(all_sent);
  std::string read = testsupport::ReadAll(*line.port, in.size());
  testsupport::QueueInLines(*line.port, out);
  board.join();
  EXPECT_TRUE(read == in);
  EXPECT_TRUE(received == out);

  line.board.GoOffline();
  EXPECT_TRUE(testsupport::WithinSeconds(3, [&] { return !line.port->Carrier(); }));
  EXPECT_EQ(line.port->GetChar(), 0);  // nothing comes any more, and nothing waits for it

  // Done with the caller: DoorShutdown closes the library's line, which a
  // send finds out once the first one is refused.
  line.port.reset();
  EXPECT_TRUE(testsupport::WithinSeconds(3, [&] { return !SendFully(line.board.caller(), "x"); }));
}

// Wherever the library falls short, there is no carrier and the library
// is never asked for input.
TEST(Door32Comm, MissingLibraryMissingCallOrRefusedStartLeavesInitFailed) {
  testsupport::HostBoard board;
  namespace fs = std::filesystem;
  std::string empty = board.dir() + "empty/";
  std::string wrong = board.dir() + "wrong/";
  std::string refused = board.dir() + "refused/";
  for (const std::string& dir : {empty, wrong, refused}) fs::create_directory(dir);
  // A library without the DOOR32 calls.
  fs::copy_file(testsupport::HostLibraryDirectory() + platform::LibraryFileName("WCSRV"),
                wrong + platform::LibraryFileName("DOOR32"));
  testsupport::InstallHostLibrary(refused, "DOOR32");
  board.StopListening();  // DoorInitialize finds no board and says so

  for (const std::string& dir : {empty, wrong, refused}) {
    Door32Comm port(dir);
    port.SetThreadProcs(door::comm::CommInputThreadProc, door::comm::CommOutputThreadProc);
    EXPECT_TRUE(port.InitFailed) << dir;
    EXPECT_TRUE(port.OpenHandle(1));
    EXPECT_FALSE(port.Carrier()) << dir;
    EXPECT_FALSE(port.CharAvail());
    EXPECT_EQ(port.GetChar(), 0);
  }
}

}  // namespace
