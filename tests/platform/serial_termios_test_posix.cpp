// The framing flags a serial line gets, as termios defines them (a
// pseudo-terminal, which the transport tests use, keeps neither the byte
// size nor the parity switch).
#include "platform/serial_termios_posix.h"

#include <gtest/gtest.h>

namespace {

using platform::LineSettings;
using platform::Parity;
using platform::StopBits;

tcflag_t Framing(const LineSettings& line) {
  termios settings{};
  settings.c_cflag = CS8 | CSTOPB | PARENB | PARODD;
  EXPECT_TRUE(platform::ApplyLine(line, settings));
  return settings.c_cflag & (CSIZE | CSTOPB | PARENB | PARODD | CMSPAR);
}

TEST(SerialTermios, ByteSizeParityAndStopBits) {
  EXPECT_EQ(Framing({-1, Parity::kOdd, 7, StopBits::kOne}), CS7 | PARENB | PARODD);
  EXPECT_EQ(Framing({-1, Parity::kEven, 7, StopBits::kTwo}), CS7 | CSTOPB | PARENB);
  EXPECT_EQ(Framing({-1, Parity::kNone, 8, StopBits::kOneAndAHalf}), CS8 | CSTOPB);
  EXPECT_EQ(Framing({-1, Parity::kMark, 5, StopBits::kOne}), CS5 | PARENB | PARODD | CMSPAR);
  EXPECT_EQ(Framing({-1, Parity::kNone, 6, StopBits::kOne}), CS6);

  termios settings{};
  settings.c_cflag = CS8;
  cfsetospeed(&settings, B2400);
  EXPECT_FALSE(platform::ApplyLine({-1, Parity::kOdd, 9, StopBits::kOne}, settings));
  EXPECT_FALSE(platform::ApplyLine({0, Parity::kOdd, 8, StopBits::kOne}, settings));  // B0 hangs up
  EXPECT_EQ(settings.c_cflag & (CSIZE | PARENB), static_cast<tcflag_t>(CS8));
  EXPECT_EQ(cfgetospeed(&settings), static_cast<speed_t>(B2400));
}

}  // namespace
