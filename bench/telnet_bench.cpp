// The telnet transport measured side by side with the socket it runs on:
//   throughput  4 MB written with DWrite in 255-byte texts through
//               TelnetComm to a reading caller, against a loop sending the
//               same blocks straight on a loopback connection (the ratio
//               should be 0.5 or more);
//   latency     a byte sent by the caller until DReadKey returns it (the
//               median should stay under 0.5 ms);
//   idle CPU    what the real program uses while it waits 10 s in DReadKey
//               (the tournament editor) with a telnet caller connected
//               (under 0.02 s).
// Run it from a build without sanitizers:
//   cmake -S . -B build-bench -G Ninja -DKELD_TESTS=OFF
//   cmake --build build-bench --target keld_telnet_bench && build-bench/keld_telnet_bench
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "door/door.h"
#include "platform/clock.h"
#include "platform/virtual_console.h"
#include "support/program_under_pty.h"
#include "support/sockets.h"

namespace {

using Clock = std::chrono::steady_clock;
using testsupport::Connection;

constexpr size_t kTextSize = 255;
constexpr size_t kTotal = 4 << 20;
constexpr size_t kTexts = kTotal / kTextSize;
constexpr int kKeys = 500;
constexpr int kIdleSeconds = 10;

double Seconds(Clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// A line of ordinary screen text, 255 bytes with its line end.
std::string Text() {
  std::string text;
  while (text.size() < kTextSize - 2) text += "The quick brown fox jumps over the lazy dog. ";
  text.resize(kTextSize - 2);
  return text + "\r\n";
}

// Reads `count` bytes off the caller's end on a thread of its own.
std::thread Drain(platform::Socket caller, size_t count) {
  return std::thread([caller, count] {
    size_t got = 0;
    while (got < count) {
      size_t chunk =
          testsupport::ReceiveUpTo(caller, std::min<size_t>(count - got, 1 << 16), 5000).size();
      if (chunk == 0) return;
      got += chunk;
    }
  });
}

double StraightOnTheSocket(const std::string& text) {
  Connection line = testsupport::ConnectLoopback();
  std::thread caller = Drain(line.caller, kTexts * kTextSize);
  Clock::time_point start = Clock::now();
  for (size_t i = 0; i < kTexts; ++i) testsupport::SendFully(line.door, text);
  caller.join();
  double took = Seconds(Clock::now() - start);
  testsupport::CloseEnd(line.door);
  testsupport::CloseEnd(line.caller);
  return took;
}

// A door console with a telnet caller, as after the start-up.
struct RemoteDoor {
  Connection line = testsupport::ConnectLoopback();
  platform::VirtualConsole console;  // no virtual clock: waits take real time
  door::Door door{console, platform::SystemClock()};

  RemoteDoor() {
    door.state.CommType = 2;
    door.comm.CommSelect(2);
    door.comm.CommOpenHandle(static_cast<int32_t>(line.door));
    testsupport::ReceiveUpTo(line.caller, 6, 5000);  // the opening offer
  }
  ~RemoteDoor() {
    door.comm.CommDone();
    testsupport::CloseEnd(line.door);
    testsupport::CloseEnd(line.caller);
  }
};

double ThroughDWrite(RemoteDoor& remote, const std::string& text) {
  std::thread caller = Drain(remote.line.caller, kTexts * kTextSize);
  Clock::time_point start = Clock::now();
  for (size_t i = 0; i < kTexts; ++i) remote.door.DWrite(text);
  caller.join();
  return Seconds(Clock::now() - start);
}

double MedianKeyLatencyMs(RemoteDoor& remote) {
  std::atomic<int> waiting{-1};
  std::atomic<long long> sent_at{0};
  std::thread caller([&] {
    for (int i = 0; i < kKeys; ++i) {
      while (waiting.load() != i) std::this_thread::sleep_for(std::chrono::microseconds(100));
      std::this_thread::sleep_for(std::chrono::milliseconds(2));  // DReadKey is asleep by now
      sent_at = Clock::now().time_since_epoch().count();
      testsupport::SendFully(remote.line.caller, "k");
    }
  });
  std::vector<double> latencies;
  for (int i = 0; i < kKeys; ++i) {
    waiting = i;
    remote.door.DReadKey();
    Clock::time_point got = Clock::now();
    latencies.push_back(Seconds(got - Clock::time_point(Clock::duration(sent_at.load()))) * 1000);
  }
  caller.join();
  std::sort(latencies.begin(), latencies.end());
  return latencies[latencies.size() / 2];
}

// The real program in the tournament editor, a caller connected, nobody
// typing: the CPU it uses meanwhile.
double IdleCpuSeconds() {
  namespace fs = std::filesystem;
  fs::path game =
      fs::temp_directory_path() / ("keld-bench-" + std::to_string(std::random_device{}()));
  fs::create_directories(game);
  std::string make = std::string(KELD_DEMO_DATA) + " " + game.string() + " >/dev/null";
  if (std::system(make.c_str()) != 0) return -1;
  fs::create_symlink(KELD_PROGRAM, game / "keldcfg");
  Connection line = testsupport::ConnectLoopback();
  double used = -1;
  {
    testsupport::ProgramUnderPty program((game / "keldcfg").string(),
                                         {"-H" + std::to_string(line.door), "-N1", "-T"},
                                         game.string(), line.door);
    testsupport::CloseEnd(line.door);
    program.WatchSocket(line.caller);
    bool ready =
        program.WaitForScreen("onfigure Nodes") && (program.Type("\x1b[C"), true) &&
        program.WaitForScreen("et tournament's ending") && (program.Type("s"), true) &&
        program.WaitUntil(
            [&] { return program.received().find("So, what will it be?") != std::string::npos; },
            10000);
    if (ready) {
      program.WaitUntil([] { return false; }, 500);  // the first check and status bar
      double before = program.CpuSeconds();
      program.WaitUntil([] { return false; }, kIdleSeconds * 1000);
      used = program.CpuSeconds() - before;
    }
    testsupport::CloseEnd(line.caller);
    program.WaitForExit(5000);
  }
  fs::remove_all(game);
  return used;
}

}  // namespace

int main() {
  const std::string text = Text();
  double straight = StraightOnTheSocket(text);
  double through_door;
  double latency_ms;
  {
    RemoteDoor remote;
    through_door = ThroughDWrite(remote, text);
    latency_ms = MedianKeyLatencyMs(remote);
  }
  double idle = IdleCpuSeconds();

  double mb = static_cast<double>(kTexts * kTextSize) / (1 << 20);
  std::printf("throughput, %zu texts of %zu bytes (%.1f MB):\n", kTexts, kTextSize, mb);
  std::printf("  straight on the socket   %8.1f MB/s  (%.3f s)\n", mb / straight, straight);
  std::printf("  DWrite via TelnetComm    %8.1f MB/s  (%.3f s)\n", mb / through_door, through_door);
  std::printf("  ratio                    %8.2f      (at least 0.5)\n", straight / through_door);
  std::printf("key latency, caller to DReadKey, median of %d: %.3f ms (under 0.5 ms)\n", kKeys,
              latency_ms);
  std::printf("idle CPU in DReadKey with a caller, %d s: %.4f s (under 0.02 s)\n", kIdleSeconds,
              idle);
  return 0;
}
