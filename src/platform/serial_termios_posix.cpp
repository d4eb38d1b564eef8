#include "platform/serial_termios_posix.h"

namespace platform {

namespace {

struct Speed {
  int32_t bps;
  speed_t speed;
};

// Every rate termios can set here. B0 is left out on purpose: setting it
// hangs the line up.
constexpr Speed kSpeeds[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},     {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},   {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200}, {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400},
#ifdef B460800
    {460800, B460800},
#endif
#ifdef B921600
    {921600, B921600},
#endif
};

bool ByteSizeOf(int data_bits, tcflag_t& size) {
  switch (data_bits) {
    case 5:
      size = CS5;
      return true;
    case 6:
      size = CS6;
      return true;
    case 7:
      size = CS7;
      return true;
    case 8:
      size = CS8;
      return true;
    default:
      return false;
  }
}

void ApplyParity(Parity parity, termios& settings) {
  settings.c_cflag &= ~(PARENB | PARODD);
#ifdef CMSPAR
  settings.c_cflag &= ~CMSPAR;
#endif
  switch (parity) {
    case Parity::kNone:
      break;
    case Parity::kOdd:
      settings.c_cflag |= PARENB | PARODD;
      break;
    case Parity::kEven:
      settings.c_cflag |= PARENB;
      break;
    case Parity::kMark:
#ifdef CMSPAR
      // "Stick" parity: with PARODD the parity bit is always 1.
      settings.c_cflag |= PARENB | PARODD | CMSPAR;
#else
      // Without stick parity, a parity bit that is always 1 looks on the
      // wire exactly like one more stop bit.
      settings.c_cflag |= CSTOPB;
#endif
      break;
  }
}

}  // namespace

bool SpeedOf(int32_t bps, speed_t& speed) {
  for (const Speed& entry : kSpeeds) {
    if (entry.bps != bps) continue;
    speed = entry.speed;
    return true;
  }
  return false;
}

int32_t BpsOf(speed_t speed) {
  for (const Speed& entry : kSpeeds)
    if (entry.speed == speed) return entry.bps;
  return 0;
}

void MakeRaw(termios& settings) {
  settings.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IMAXBEL);
#ifdef IUCLC
  settings.c_iflag &= ~IUCLC;
#endif
  settings.c_oflag &= ~OPOST;
  settings.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
  settings.c_cflag |= CREAD;
  settings.c_cc[VMIN] = 1;
  settings.c_cc[VTIME] = 0;
}

bool ApplyLine(const LineSettings& line, termios& settings) {
  speed_t speed{};
  tcflag_t size{};
  if (line.bps >= 0 && !SpeedOf(line.bps, speed)) return false;
  if (!ByteSizeOf(line.data_bits, size)) return false;
  if (line.bps >= 0) {
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
  }
  settings.c_cflag = (settings.c_cflag & ~(CSIZE | CSTOPB)) | size;
  // POSIX has no one and a half stop bits; two is the nearest (and a UART
  // sends one and a half for two at five data bits anyway).
  if (line.stop_bits != StopBits::kOne) settings.c_cflag |= CSTOPB;
  ApplyParity(line.parity, settings);
  // termios holds output for CTS only together with RTS handshaking on
  // input (CRTSCTS), which a modem line wants as well.
  settings.c_cflag |= CRTSCTS;
  return true;
}

void ApplyFlow(const FlowSettings& flow, termios& settings) {
  auto set = [](tcflag_t& flags, tcflag_t flag, bool on) {
    flags = on ? flags | flag : flags & ~flag;
  };
  set(settings.c_iflag, IXON, flow.soft_tx);
  set(settings.c_iflag, IXOFF, flow.soft_rx);
  set(settings.c_cflag, CRTSCTS, flow.hard);
}

}  // namespace platform
