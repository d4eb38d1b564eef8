#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "platform/event_posix.h"
#include "platform/poll_posix.h"
#include "platform/serial_line.h"
#include "platform/serial_termios_posix.h"

namespace platform {

struct SerialLine::Native {
  int fd = -1;
  bool adopted = false;
  // An adopted line's file status flags as the board left them: the
  // transport makes the line non-blocking, and the board gets it back as
  // it was.
  int board_flags = -1;
};

namespace {

SerialResult ResultOf(ssize_t count) {
  SerialResult result;
  result.count = static_cast<long>(count);
  if (count < 0) {
    result.error = errno;
    result.would_block = errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  }
  return result;
}

// Reads the line's settings, lets `change` alter them and writes them
// back; false with the error code when any step fails.
template <typename Change>
bool ChangeSettings(int fd, int& error, Change change) {
  termios settings{};
  error = 0;
  if (::tcgetattr(fd, &settings) != 0) {
    error = errno;
    return false;
  }
  if (!change(settings)) {
    error = EINVAL;
    return false;
  }
  if (::tcsetattr(fd, TCSANOW, &settings) == 0) return true;
  error = errno;
  return false;
}

uint32_t ModemBits(int lines) {
  uint32_t bits = 0;
  if (lines & TIOCM_CTS) bits |= kModemCts;
  if (lines & TIOCM_DSR) bits |= kModemDsr;
  if (lines & TIOCM_RNG) bits |= kModemRing;
  if (lines & TIOCM_CAR) bits |= kModemCarrier;
  return bits;
}

}  // namespace

std::string SerialPortDevice(int port) {
  if (port < 1) return "";
  const char* named = ::getenv(("KELD_COM" + std::to_string(port)).c_str());
  if (named != nullptr && *named != '\0') return named;
  return "/dev/ttyS" + std::to_string(port - 1);
}

SerialLine::SerialLine() : native_(std::make_unique<Native>()) {}

SerialLine::~SerialLine() {
  LetGo();
}

void SerialLine::LetGo() {
  if (native_->fd < 0) return;
  if (!native_->adopted)
    ::close(native_->fd);
  else if (native_->board_flags >= 0)
    ::fcntl(native_->fd, F_SETFL, native_->board_flags);
  native_->fd = -1;
}

// Not waiting for a carrier (O_NONBLOCK), and never becoming the
// program's controlling terminal, whose hang-up would signal the program.
bool SerialLine::Open(const std::string& device, int& error) {
  LetGo();
  error = 0;
  int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return false;
  }
  native_->fd = fd;
  native_->adopted = false;
  return true;
}

void SerialLine::Adopt(SerialHandle handle) {
  if (native_->fd == static_cast<int>(handle)) return;  // taken over already
  LetGo();
  native_->fd = static_cast<int>(handle);
  native_->adopted = true;
  native_->board_flags = ::fcntl(native_->fd, F_GETFL);
}

void SerialLine::Close() {
  int fd = native_->fd;
  bool adopted = native_->adopted;
  LetGo();  // an adopted line gets the board's flags back first
  if (adopted) ::close(fd);
}

bool SerialLine::IsOpen() const {
  return native_->fd >= 0;
}

SerialHandle SerialLine::handle() const {
  return native_->fd;
}

bool SerialLine::SetQueues(int, int, int& error) {
  error = 0;
  return true;
}

bool SerialLine::MakeImmediate(int& error) {
  int flags = ::fcntl(native_->fd, F_GETFL);
  if (flags < 0 || ::fcntl(native_->fd, F_SETFL, flags | O_NONBLOCK) != 0) {
    error = errno;
    return false;
  }
  return ChangeSettings(native_->fd, error, [](termios& settings) {
    MakeRaw(settings);
    return true;
  });
}

bool SerialLine::SetLine(const LineSettings& line, int& error) {
  return ChangeSettings(native_->fd, error,
                        [&line](termios& settings) { return ApplyLine(line, settings); });
}

bool SerialLine::SetFlow(const FlowSettings& flow, int& error) {
  return ChangeSettings(native_->fd, error, [&flow](termios& settings) {
    ApplyFlow(flow, settings);
    return true;
  });
}

int32_t SerialLine::BaudRate() const {
  termios settings{};
  if (::tcgetattr(native_->fd, &settings) != 0) return 0;
  return BpsOf(::cfgetospeed(&settings));
}

bool SerialLine::SetDtr(bool on) {
  int line = TIOCM_DTR;
  return ::ioctl(native_->fd, on ? TIOCMBIS : TIOCMBIC, &line) == 0;
}

void SerialLine::PurgeInput() {
  ::tcflush(native_->fd, TCIFLUSH);
}

void SerialLine::PurgeOutput() {
  ::tcflush(native_->fd, TCOFLUSH);
}

void SerialLine::Drain() {
  ::tcdrain(native_->fd);
}

// A pseudo-terminal, or a descriptor that is no terminal at all, has no
// modem lines to ask (ENOTTY, EINVAL); a hung-up line fails (EIO).
ModemReport SerialLine::ReadModemStatus(uint32_t& status) const {
  status = 0;
  if (native_->fd < 0) return ModemReport::kFailed;
  int lines = 0;
  if (::ioctl(native_->fd, TIOCMGET, &lines) == 0) {
    status = ModemBits(lines);
    return ModemReport::kStatus;
  }
  return errno == ENOTTY || errno == EINVAL ? ModemReport::kNoModem : ModemReport::kFailed;
}

int SerialLine::BytesWaiting() const {
  int count = 0;
  return ::ioctl(native_->fd, FIONREAD, &count) == 0 ? count : 0;
}

SerialResult SerialLine::Read(uint8_t* buffer, size_t max) {
  return ResultOf(::read(native_->fd, buffer, max));
}

SerialResult SerialLine::Write(const uint8_t* bytes, size_t count) {
  return ResultOf(::write(native_->fd, bytes, count));
}

// poll() reports a hang-up whatever it was asked for, so a line that
// is waited on with neither direction still ends the wait when it goes.
SerialReadiness SerialLine::Wait(bool for_read, bool for_write,
                                 std::initializer_list<const Event*> wake, int timeout_ms) {
  short asked = static_cast<short>((for_read ? POLLIN : 0) | (for_write ? POLLOUT : 0));
  std::vector<pollfd> fds = {{native_->fd, asked, 0}};  // poll() skips a closed line (-1)
  for (const Event* event : wake) fds.push_back({EventFd(*event), POLLIN, 0});
  SerialReadiness ready;
  if (PollFor(fds, timeout_ms) <= 0) return ready;
  short seen = fds[0].revents;
  ready.readable = (seen & POLLIN) != 0;
  ready.writable = (seen & POLLOUT) != 0;
  ready.hung_up = (seen & (POLLHUP | POLLERR | POLLNVAL)) != 0;
  return ready;
}

}  // namespace platform
