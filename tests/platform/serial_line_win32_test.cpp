// The Win32 serial line on a COM port under wine, run by
// tests/wine/serial_line_echo.sh: the port it names in KELD_TEST_COM is a
// pseudo-terminal whose other end sends back whatever it receives.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

#include "platform/serial_line.h"
#include "support/sockets.h"

namespace {

using platform::SerialResult;

// A port opened by number (overlapped I/O), and one a board opened for
// blocking I/O and handed over, each set up as the serial transport sets
// up its line, at 115200 bps 8N1: bytes of every value go out and come
// back unchanged. Wine's WaitCommEvent refuses the carrier and error events
// on a pseudo-terminal, so only the handed-over line's wait (which looks at
// the driver's queue) is checked.
TEST(SerialLineWin32, BytesWrittenToAnEchoingPortComeBack) {
  const char* port = std::getenv("KELD_TEST_COM");
  if (port == nullptr) GTEST_SKIP() << "needs the echoing port of tests/wine/serial_line_echo.sh";
  std::string device = platform::SerialPortDevice(std::atoi(port));
  std::string sent;
  for (int i = 0; i < 256; ++i) sent += static_cast<char>(i);
  for (bool handed_over : {false, true}) {
    SCOPED_TRACE(handed_over ? "handed over" : "opened by number");
    platform::SerialLine line;
    int error = 0;
    if (handed_over)
      line.Adopt(reinterpret_cast<platform::SerialHandle>(::CreateFileA(
          device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    else
      EXPECT_TRUE(line.Open(device, error)) << error;
    ASSERT_TRUE(line.IsOpen());
    EXPECT_TRUE(line.SetQueues(3072, 3072, error)) << error;
    EXPECT_TRUE(line.MakeImmediate(error)) << error;
    EXPECT_TRUE(line.SetLine({115200, platform::Parity::kNone, 8, platform::StopBits::kOne}, error))
        << error;
    EXPECT_EQ(line.BaudRate(), 115200);

    SerialResult written = line.Write(reinterpret_cast<const uint8_t*>(sent.data()), sent.size());
    ASSERT_EQ(written.count, static_cast<long>(sent.size())) << written.error;
    if (handed_over) {
      EXPECT_TRUE(line.Wait(true, false, {}, 5000).readable);
    }
    std::string echoed;
    EXPECT_TRUE(testsupport::WithinSeconds(5, [&] {
      uint8_t buffer[512];
      SerialResult read = line.Read(buffer, sizeof buffer);
      if (read.count > 0) echoed.append(reinterpret_cast<char*>(buffer), read.count);
      return echoed.size() >= sent.size() || (read.count < 0 && !read.would_block);
    }));
    EXPECT_TRUE(echoed == sent) << echoed.size() << " bytes came back";
    line.Close();
  }
}

}  // namespace
