// A serial line to a caller's modem: a port the program opens by its
// device name, or one the bulletin-board software opened and hands over.
// The serial transport's one port thread reads and writes without ever
// blocking on the line and waits for the line and its wake-up events
// together; the program meanwhile asks for the modem status, purges and
// changes the line's settings.
//
// Backends: termios descriptors (POSIX), COM devices with overlapped I/O
// (Windows). Open, Adopt and Close are called only while no thread uses
// the line; Read, Write and Wait come from the port thread; the other
// calls may come from the program while the port thread runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>

#include "platform/event.h"

namespace platform {

// A line handle: a descriptor on POSIX, a HANDLE on Windows.
using SerialHandle = std::intptr_t;
inline constexpr SerialHandle kNoSerialLine = -1;

// The modem's status lines, as the Windows MS_* bits report them.
inline constexpr uint32_t kModemCts = 0x10;
inline constexpr uint32_t kModemDsr = 0x20;
inline constexpr uint32_t kModemRing = 0x40;
inline constexpr uint32_t kModemCarrier = 0x80;  // DCD (RLSD)

enum class Parity { kNone, kOdd, kEven, kMark };
enum class StopBits { kOne, kOneAndAHalf, kTwo };

struct LineSettings {
  int32_t bps = -1;  // -1 keeps the current speed
  Parity parity = Parity::kNone;
  int data_bits = 8;
  StopBits stop_bits = StopBits::kOne;
};

struct FlowSettings {
  bool soft_tx = false;  // an XOFF from the other end holds our output (XON resumes)
  bool soft_rx = false;  // we send XOFF while our input is full, XON when there is room
  bool hard = false;     // RTS/CTS handshake both ways
};

struct SerialResult {
  long count = 0;            // bytes moved; a read of 0 means the line has hung up
  int error = 0;             // the system's error code (after a count < 0)
  bool would_block = false;  // count < 0 only because the line had nothing, or no room
};

// What ended a Wait: the line (ready as asked, or hung up), an event, the
// time limit (all false).
struct SerialReadiness {
  bool readable = false;
  bool writable = false;
  // The line has gone for good (the other end closed it, the device was
  // removed): a wait on it would return at once from now on.
  bool hung_up = false;
};

// The answer of ReadModemStatus.
enum class ModemReport {
  kStatus,   // the status lines were read
  kNoModem,  // the line has no modem lines (a pseudo-terminal standing in)
  kFailed,   // the line cannot be asked (closed, hung up, not a line at all)
};

// The device of serial port n (counted from 1): the one the environment
// variable KELD_COM<n> names, else the system's n-th port (/dev/ttyS<n-1>,
// \\.\COM<n>). Empty for a number below 1.
std::string SerialPortDevice(int port);

class SerialLine {
 public:
  SerialLine();
  // Closes a line it opened; a line it adopted is given back open.
  ~SerialLine();
  SerialLine(const SerialLine&) = delete;
  SerialLine& operator=(const SerialLine&) = delete;

  // Opens a device for reading and writing, not waiting for a carrier;
  // false with the system's error code when it cannot. The line keeps
  // the settings it has.
  bool Open(const std::string& device, int& error);
  // Takes over a line that is already open (inherited from the board). It
  // stays the board's: only Close closes it. Open and Adopt let go of the
  // line held before as the destructor does.
  void Adopt(SerialHandle handle);
  // Closes the line, opened or adopted.
  void Close();
  bool IsOpen() const;
  SerialHandle handle() const;

  // Sizes the driver's queues where the system lets a program choose
  // (Windows); POSIX drivers have queues of their own size.
  bool SetQueues(int input_bytes, int output_bytes, int& error);
  // Makes reads and writes return at once with what the line holds or
  // takes, and bytes pass the line unchanged (no echo, no line editing, no
  // character translation): Windows' time-outs, POSIX's non-blocking raw
  // mode. Flow control and framing stay as they are.
  bool MakeImmediate(int& error);
  // Speed and framing; output then waits for the modem's CTS, as on a
  // modem line it must. Everything else stays as it was. A speed or a
  // number of data bits the system does not offer changes nothing.
  bool SetLine(const LineSettings& settings, int& error);
  // Each kind of flow control on or off as given.
  bool SetFlow(const FlowSettings& settings, int& error);
  // The current speed in bits per second; 0 when unknown.
  int32_t BaudRate() const;
  // Raises or drops DTR; false when the line has none.
  bool SetDtr(bool on);
  // Discards what the driver has received and not yet read, or holds and
  // has not yet sent.
  void PurgeInput();
  void PurgeOutput();
  // Waits until the driver has sent everything it holds.
  void Drain();
  // The modem's status lines as kModem* bits.
  ModemReport ReadModemStatus(uint32_t& status) const;
  // Bytes the driver has received and not yet read; 0 when unknown.
  int BytesWaiting() const;

  SerialResult Read(uint8_t* buffer, size_t max);
  SerialResult Write(const uint8_t* bytes, size_t count);
  // Waits until the line is readable (for_read) or writable (for_write),
  // has hung up, one of the events is set, or timeout_ms have passed. A
  // hang-up ends the wait even when neither direction is asked for.
  SerialReadiness Wait(bool for_read, bool for_write, std::initializer_list<const Event*> wake,
                       int timeout_ms);

  struct Native;

 private:
  // Closes a line it opened, gives back one it adopted.
  void LetGo();

  std::unique_ptr<Native> native_;
};

}  // namespace platform
