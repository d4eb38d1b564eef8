// Serial lines on Windows: a COM device opened for overlapped I/O, so that
// the port thread never blocks on it. Reads take only what the driver holds
// (the time-outs make ReadFile return at once); a write hands the driver a
// copy of the bytes and reports them taken, and the next write waits for
// that one to finish; a wait joins a pending WaitCommEvent, the write's
// completion and the program's events in one WaitForMultipleObjects.
//
// A handle the board hands over may have been opened without
// FILE_FLAG_OVERLAPPED, where WaitCommEvent would block. Such a line is
// opened again for overlapped I/O (ReOpenFile) and served as our own. Where
// the system refuses that (wine does), the line is looked at again at short
// steps while its wait waits for the events, and its writes give up after a
// step with what the driver took. A reader thread blocked on the board's
// handle is no way out: Windows does one call at a time on a handle opened
// for blocking I/O, so the blocked read would hold up the carrier check and
// the writes for as long as the caller sends nothing.
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/event_win32.h"
#include "platform/serial_line.h"

namespace platform {

namespace {

// How often the wait on an adopted line looks at it again.
constexpr DWORD kStepMs = 20;
constexpr char kXon = 0x11;
constexpr char kXoff = 0x13;
// Bytes in the driver's input queue below which XON goes out, and free room
// below which XOFF does, when the driver sets none.
constexpr WORD kFlowLimit = 512;

struct Overlapped {
  OVERLAPPED ov{};
  bool pending = false;

  Overlapped() { ov.hEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr); }
  ~Overlapped() { ::CloseHandle(ov.hEvent); }
  Overlapped(const Overlapped&) = delete;
  Overlapped& operator=(const Overlapped&) = delete;

  void Restart() {
    HANDLE event = ov.hEvent;
    ov = OVERLAPPED{};
    ov.hEvent = event;
    ::ResetEvent(event);
  }
};

SerialResult Failed(DWORD error) {
  SerialResult result;
  result.count = -1;
  result.error = static_cast<int>(error);
  return result;
}

SerialResult WouldBlock() {
  SerialResult result;
  result.count = -1;
  result.would_block = true;
  return result;
}

BYTE ParityOf(Parity parity) {
  switch (parity) {
    case Parity::kOdd:
      return ODDPARITY;
    case Parity::kEven:
      return EVENPARITY;
    case Parity::kMark:
      return MARKPARITY;
    case Parity::kNone:
      break;
  }
  return NOPARITY;
}

BYTE StopBitsOf(StopBits stop_bits) {
  switch (stop_bits) {
    case StopBits::kOneAndAHalf:
      return ONE5STOPBITS;
    case StopBits::kTwo:
      return TWOSTOPBITS;
    case StopBits::kOne:
      break;
  }
  return ONESTOPBIT;
}

}  // namespace

struct SerialLine::Native {
  HANDLE handle = INVALID_HANDLE_VALUE;  // what the I/O goes through
  bool adopted = false;
  // The board's handle to an adopted line; `handle` is the same one, or the
  // line opened again for overlapped I/O.
  HANDLE board = INVALID_HANDLE_VALUE;
  // Opened with FILE_FLAG_OVERLAPPED (by us, or again by ReOpenFile).
  bool overlapped = false;
  // An adopted line's time-outs as the board left them, given back with it.
  COMMTIMEOUTS board_timeouts{};
  bool board_timeouts_saved = false;
  Overlapped write;
  std::vector<uint8_t> writing;  // the bytes of the write in progress
  Overlapped comm_event;
  DWORD comm_mask = 0;  // what the pending WaitCommEvent reports into

  // Waits for the I/O in progress to end: before its buffers go, and
  // before the line closes.
  void Settle() {
    if (handle == INVALID_HANDLE_VALUE) return;
    DWORD count = 0;
    if (comm_event.pending) {
      ::SetCommMask(handle, 0);  // ends a pending WaitCommEvent
      ::GetOverlappedResult(handle, &comm_event.ov, &count, TRUE);
      comm_event.pending = false;
    }
    if (write.pending) {
      ::GetOverlappedResult(handle, &write.ov, &count, TRUE);
      write.pending = false;
    }
  }

  // Whether a write may start: none is in progress (any earlier one has
  // finished). A failed earlier write is reported in `error`.
  bool WriteDone(DWORD& error) {
    error = 0;
    if (!write.pending) return true;
    DWORD count = 0;
    if (::GetOverlappedResult(handle, &write.ov, &count, FALSE) != 0) {
      write.pending = false;
      return true;
    }
    error = ::GetLastError();
    if (error == ERROR_IO_INCOMPLETE) return false;
    write.pending = false;
    return true;
  }

  // Bytes waiting in the driver; -1 when the line cannot be asked (gone).
  long InputBytes() const {
    DWORD errors = 0;
    COMSTAT status{};
    if (::ClearCommError(handle, &errors, &status) == 0) return -1;
    return static_cast<long>(status.cbInQue);
  }
};

std::string SerialPortDevice(int port) {
  if (port < 1) return "";
  const char* named = ::getenv(("KELD_COM" + std::to_string(port)).c_str());
  if (named != nullptr && *named != '\0') return named;
  // The \\.\ form reaches COM10 and above too.
  return "\\\\.\\COM" + std::to_string(port);
}

SerialLine::SerialLine() : native_(std::make_unique<Native>()) {}

SerialLine::~SerialLine() {
  LetGo();
}

void SerialLine::LetGo() {
  Native& line = *native_;
  if (line.handle == INVALID_HANDLE_VALUE) return;
  line.Settle();
  if (line.adopted && line.board_timeouts_saved)
    ::SetCommTimeouts(line.handle, &line.board_timeouts);
  if (line.handle != line.board) ::CloseHandle(line.handle);
  line.handle = INVALID_HANDLE_VALUE;
  line.board = INVALID_HANDLE_VALUE;
  line.board_timeouts_saved = false;
}

bool SerialLine::Open(const std::string& device, int& error) {
  LetGo();
  error = 0;
  HANDLE handle = ::CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    error = static_cast<int>(::GetLastError());
    return false;
  }
  native_->handle = handle;
  native_->board = INVALID_HANDLE_VALUE;
  native_->adopted = false;
  native_->overlapped = true;
  return true;
}

// Whether the board's handle was opened for overlapped I/O is not known:
// the line is opened again so, through the board's handle (no device name
// is needed). The board's handle itself stays untouched until given back.
void SerialLine::Adopt(SerialHandle handle) {
  HANDLE adopted = reinterpret_cast<HANDLE>(handle);
  if (native_->board == adopted && adopted != INVALID_HANDLE_VALUE) return;
  LetGo();
  Native& line = *native_;
  line.board = adopted;
  line.adopted = true;
  line.handle = ::ReOpenFile(adopted, GENERIC_READ | GENERIC_WRITE,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_FLAG_OVERLAPPED);
  line.overlapped = line.handle != INVALID_HANDLE_VALUE;
  if (!line.overlapped) line.handle = adopted;
  line.board_timeouts_saved = ::GetCommTimeouts(adopted, &line.board_timeouts) != 0;
}

void SerialLine::Close() {
  HANDLE board = native_->board;
  bool adopted = native_->adopted;
  LetGo();  // an adopted line gets the board's time-outs back first
  if (adopted && board != INVALID_HANDLE_VALUE) ::CloseHandle(board);
}

bool SerialLine::IsOpen() const {
  return native_->handle != INVALID_HANDLE_VALUE;
}

// An adopted line is known by the board's handle.
SerialHandle SerialLine::handle() const {
  if (!IsOpen()) return kNoSerialLine;
  return reinterpret_cast<SerialHandle>(native_->adopted ? native_->board : native_->handle);
}

bool SerialLine::SetQueues(int input_bytes, int output_bytes, int& error) {
  error = 0;
  if (::SetupComm(native_->handle, static_cast<DWORD>(input_bytes),
                  static_cast<DWORD>(output_bytes)) != 0)
    return true;
  error = static_cast<int>(::GetLastError());
  return false;
}

// A read returns at once with what the driver holds. An overlapped write
// has no time limit (the line takes it in its own time); a write on an
// adopted line, which blocks, gives up after a step with what was sent.
bool SerialLine::MakeImmediate(int& error) {
  error = 0;
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  if (!native_->overlapped) timeouts.WriteTotalTimeoutConstant = kStepMs;
  if (::SetCommTimeouts(native_->handle, &timeouts) != 0 &&
      ::SetCommMask(native_->handle, EV_RXCHAR | EV_RLSD | EV_ERR) != 0)
    return true;
  error = static_cast<int>(::GetLastError());
  return false;
}

// Reads the line's DCB, lets `change` alter it and writes it back.
template <typename Change>
bool ChangeState(HANDLE handle, int& error, Change change) {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  error = 0;
  if (::GetCommState(handle, &dcb) == 0) {
    error = static_cast<int>(::GetLastError());
    return false;
  }
  if (!change(dcb)) {
    error = ERROR_INVALID_PARAMETER;
    return false;
  }
  if (::SetCommState(handle, &dcb) != 0) return true;
  error = static_cast<int>(::GetLastError());
  return false;
}

bool SerialLine::SetLine(const LineSettings& line, int& error) {
  return ChangeState(native_->handle, error, [&line](DCB& dcb) {
    if (line.data_bits < 5 || line.data_bits > 8) return false;
    if (line.bps == 0 || line.bps < -1) return false;
    if (line.bps > 0) dcb.BaudRate = static_cast<DWORD>(line.bps);
    dcb.fBinary = TRUE;
    dcb.ByteSize = static_cast<BYTE>(line.data_bits);
    dcb.Parity = ParityOf(line.parity);
    dcb.fParity = line.parity != Parity::kNone ? TRUE : FALSE;
    dcb.StopBits = StopBitsOf(line.stop_bits);
    dcb.fOutxCtsFlow = TRUE;
    return true;
  });
}

bool SerialLine::SetFlow(const FlowSettings& flow, int& error) {
  return ChangeState(native_->handle, error, [&flow](DCB& dcb) {
    dcb.fOutX = flow.soft_tx ? TRUE : FALSE;
    dcb.fInX = flow.soft_rx ? TRUE : FALSE;
    dcb.XonChar = kXon;
    dcb.XoffChar = kXoff;
    // The driver's own limits stay, where it has any.
    if (dcb.XonLim == 0) dcb.XonLim = kFlowLimit;
    if (dcb.XoffLim == 0) dcb.XoffLim = kFlowLimit;
    dcb.fOutxCtsFlow = flow.hard ? TRUE : FALSE;
    dcb.fRtsControl = flow.hard ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
    return true;
  });
}

int32_t SerialLine::BaudRate() const {
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (::GetCommState(native_->handle, &dcb) == 0) return 0;
  return static_cast<int32_t>(dcb.BaudRate);
}

bool SerialLine::SetDtr(bool on) {
  return ::EscapeCommFunction(native_->handle, on ? SETDTR : CLRDTR) != 0;
}

void SerialLine::PurgeInput() {
  ::PurgeComm(native_->handle, PURGE_RXABORT | PURGE_RXCLEAR);
}

// The write in progress is aborted with the rest; its bytes were reported
// taken, as the driver's queue would have taken them.
void SerialLine::PurgeOutput() {
  ::PurgeComm(native_->handle, PURGE_TXABORT | PURGE_TXCLEAR);
}

void SerialLine::Drain() {
  Native& line = *native_;
  if (line.write.pending) {
    DWORD count = 0;
    ::GetOverlappedResult(line.handle, &line.write.ov, &count, TRUE);
    line.write.pending = false;
  }
  ::FlushFileBuffers(line.handle);
}

// The MS_* bits are the kModem* bits.
ModemReport SerialLine::ReadModemStatus(uint32_t& status) const {
  status = 0;
  if (!IsOpen()) return ModemReport::kFailed;
  DWORD lines = 0;
  if (::GetCommModemStatus(native_->handle, &lines) == 0) return ModemReport::kFailed;
  status = lines & (kModemCts | kModemDsr | kModemRing | kModemCarrier);
  return ModemReport::kStatus;
}

int SerialLine::BytesWaiting() const {
  return static_cast<int>(std::max(native_->InputBytes(), 0L));
}

SerialResult SerialLine::Read(uint8_t* buffer, size_t max) {
  Native& line = *native_;
  long waiting = line.InputBytes();
  if (waiting < 0) return Failed(::GetLastError());
  if (waiting == 0) return WouldBlock();
  DWORD want = static_cast<DWORD>(std::min<size_t>(max, static_cast<size_t>(waiting)));
  Overlapped read;
  DWORD count = 0;
  if (::ReadFile(line.handle, buffer, want, &count, &read.ov) == 0) {
    DWORD error = ::GetLastError();
    // With the time-outs set, a pending read ends at once.
    if (error != ERROR_IO_PENDING ||
        ::GetOverlappedResult(line.handle, &read.ov, &count, TRUE) == 0)
      return Failed(::GetLastError());
  }
  if (count == 0) return WouldBlock();
  SerialResult result;
  result.count = static_cast<long>(count);
  return result;
}

SerialResult SerialLine::Write(const uint8_t* bytes, size_t count) {
  Native& line = *native_;
  DWORD error = 0;
  if (!line.WriteDone(error)) return WouldBlock();
  if (error != 0) return Failed(error);
  DWORD want = static_cast<DWORD>(std::min<size_t>(count, MAXDWORD));
  DWORD written = 0;
  SerialResult result;
  if (!line.overlapped) {
    if (::WriteFile(line.handle, bytes, want, &written, nullptr) == 0)
      return Failed(::GetLastError());
    result.count = static_cast<long>(written);
    return result;
  }
  line.writing.assign(bytes, bytes + want);
  line.write.Restart();
  if (::WriteFile(line.handle, line.writing.data(), want, &written, &line.write.ov) == 0) {
    error = ::GetLastError();
    if (error != ERROR_IO_PENDING) return Failed(error);
    line.write.pending = true;
  }
  result.count = static_cast<long>(want);
  return result;
}

SerialReadiness SerialLine::Wait(bool for_read, bool for_write,
                                 std::initializer_list<const Event*> wake, int timeout_ms) {
  Native& line = *native_;
  auto look = [&] {
    SerialReadiness now;
    if (line.handle == INVALID_HANDLE_VALUE) return now;
    long waiting = line.InputBytes();
    DWORD error = 0;
    now.hung_up = waiting < 0;
    now.readable = for_read && waiting > 0;
    now.writable = for_write && line.WriteDone(error);
    return now;
  };
  auto any = [](const SerialReadiness& now) { return now.readable || now.writable || now.hung_up; };
  SerialReadiness now = look();
  if (any(now)) return now;
  std::vector<HANDLE> handles;
  for (const Event* event : wake) handles.push_back(EventHandle(*event));
  if (line.handle == INVALID_HANDLE_VALUE || !line.overlapped) {
    // Looked at again at each step, between waits for the events.
    for (int left = timeout_ms;; left -= static_cast<int>(kStepMs)) {
      if (timeout_ms >= 0 && left <= 0) return SerialReadiness{};
      DWORD step = timeout_ms < 0 ? kStepMs : std::min<DWORD>(static_cast<DWORD>(left), kStepMs);
      DWORD woke = handles.empty() ? (::Sleep(step), WAIT_TIMEOUT)
                                   : ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()),
                                                              handles.data(), FALSE, step);
      now = look();
      if (any(now) || woke != WAIT_TIMEOUT) return now;
    }
  }
  // The driver reports received bytes, a changed carrier and line errors.
  if (!line.comm_event.pending) {
    line.comm_event.Restart();
    if (::WaitCommEvent(line.handle, &line.comm_mask, &line.comm_event.ov) != 0)
      return look();  // an event came already
    if (::GetLastError() != ERROR_IO_PENDING) {
      now.hung_up = true;
      return now;
    }
    line.comm_event.pending = true;
  }
  // Bytes that came between the first look and the WaitCommEvent.
  now = look();
  if (any(now)) return now;
  handles.push_back(line.comm_event.ov.hEvent);
  if (for_write && line.write.pending) handles.push_back(line.write.ov.hEvent);
  DWORD woke = ::WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE,
                                        WaitMs(timeout_ms));
  if (woke == WAIT_TIMEOUT) return SerialReadiness{};
  DWORD count = 0;
  if (::GetOverlappedResult(line.handle, &line.comm_event.ov, &count, FALSE) != 0 ||
      ::GetLastError() != ERROR_IO_INCOMPLETE)
    line.comm_event.pending = false;
  return look();
}

}  // namespace platform
