#include "door/comm/serial_comm.h"

#include <algorithm>
#include <vector>

namespace door::comm {

namespace {

// The port thread looks at StopFlag at least this often, whatever wakes it.
constexpr int kThreadWakeMs = 20000;
// A terminal line's driver holds at most this much received input.
constexpr int kMaxRead = 4096;
constexpr int kDriverQueueBytes = 3072;
constexpr const char* kParametersError = "Error setting up communications parameters: #";

platform::Parity ParityOf(char parity) {
  switch (parity) {
    case 'O':
      return platform::Parity::kOdd;
    case 'E':
      return platform::Parity::kEven;
    case 'M':
      return platform::Parity::kMark;
    default:
      return platform::Parity::kNone;
  }
}

platform::StopBits StopBitsOf(int stop_bits) {
  switch (stop_bits) {
    case 2:
      return platform::StopBits::kTwo;
    case 3:
      return platform::StopBits::kOneAndAHalf;
    default:
      return platform::StopBits::kOne;
  }
}

}  // namespace

SerialComm::SerialComm() = default;

SerialComm::~SerialComm() {
  StopThreads();
}

bool SerialComm::OpenHandle(int32_t handle) {
  line_.Adopt(handle);
  saved_handle_ = handle;
  line_lost_ = false;
  SetUpQueues();
  MakeImmediate();
  InitFailed = !StartThreads();
  SetLine(-1, 'N', 8, 1);
  return !InitFailed;
}

bool SerialComm::Open(int32_t port, int32_t bps, int data_bits, char parity, int stop_bits) {
  bool opened = OpenKeep(port);
  SetLine(bps, parity, data_bits, stop_bits);
  return opened;
}

bool SerialComm::OpenKeep(int32_t port) {
  port_number_ = port;
  line_lost_ = false;
  int error = 0;
  bool opened = line_.Open(platform::SerialPortDevice(port), error);
  if (opened)
    MakeImmediate();
  else
    SetErrorText("Unable to open communications port");
  SetUpQueues();
  InitFailed = !StartThreads();
  return opened;
}

void SerialComm::SetUpQueues() {
  int error = 0;
  if (!line_.SetQueues(kDriverQueueBytes, kDriverQueueBytes, error))
    SetErrorText("Error setting up communications buffer: #", error);
}

void SerialComm::MakeImmediate() {
  int error = 0;
  if (!line_.MakeImmediate(error)) SetErrorText("Error setting communications timeout: #", error);
}

bool SerialComm::CharAvail() {
  bool queued = InputQueued();
  if (!queued && line_.IsOpen() && line_.BytesWaiting() > 0) InputWanted.Set();
  return queued;
}

bool SerialComm::Carrier() {
  if (!line_.IsOpen()) return false;
  uint32_t status = 0;
  switch (line_.ReadModemStatus(status)) {
    case platform::ModemReport::kStatus:
      return (status & platform::kModemCarrier) != 0;
    case platform::ModemReport::kNoModem:
      return !line_lost_;
    case platform::ModemReport::kFailed:
      break;
  }
  return false;
}

int32_t SerialComm::GetHandle() {
  return static_cast<int32_t>(line_.handle());
}

void SerialComm::Close() {
  if (!line_.IsOpen()) return;
  StopThreads();
  line_.Close();
}

// A line without modem lines reports its carrier as Carrier sees it.
void SerialComm::GetModemStatus(uint8_t&, uint8_t& modem_status) {
  uint32_t status = 0;
  platform::ModemReport report = line_.ReadModemStatus(status);
  if (report == platform::ModemReport::kNoModem && !line_lost_) status = platform::kModemCarrier;
  modem_status = static_cast<uint8_t>((modem_status & 0x0F) | status);
}

// Some boards write 115200 bps as 11520, cut to fit a 16-bit word.
void SerialComm::SetLine(int32_t bps, char parity, int data_bits, int stop_bits) {
  platform::LineSettings line;
  line.bps = bps == 11520 ? 115200 : bps;
  line.parity = ParityOf(parity);
  line.data_bits = data_bits;
  line.stop_bits = StopBitsOf(stop_bits);
  int error = 0;
  if (!line_.SetLine(line, error)) SetErrorText(kParametersError, error);
}

int32_t SerialComm::GetBpsRate() {
  return line_.BaudRate();
}

void SerialComm::SetDtr(bool on) {
  line_.SetDtr(on);
}

void SerialComm::PurgeOutput() {
  line_.PurgeOutput();
  CommPort::PurgeOutput();
}

void SerialComm::PurgeInput() {
  line_.PurgeInput();
  CommPort::PurgeInput();
}

void SerialComm::Resume(bool open_port) {
  if (!open_port)
    InitFailed = !StartThreads();
  else if (port_number_ != -1)
    OpenKeep(port_number_);
  else
    OpenHandle(saved_handle_);
}

void SerialComm::FlushOutput(const IdleProc& idle) {
  if (line_.IsOpen()) line_.Drain();
  CommPort::FlushOutput(idle);
}

void SerialComm::SetFlow(bool soft_tx, bool soft_rx, bool hard) {
  int error = 0;
  if (!line_.SetFlow({soft_tx, soft_rx, hard}, error)) SetErrorText(kParametersError, error);
  MakeImmediate();
}

void SerialComm::SetThreadProcs(ThreadProc input, ThreadProc) {
  CommPort::SetThreadProcs(input, nullptr);
}

// Reads whenever the caller sends and InputQueue has room (with the queue
// full the line is left unread and its own flow control holds the caller
// back), and writes whenever the program has queued output, waiting for
// the line to take more when it took only part. A line that hangs up has
// nothing more to give or take: the thread then only waits for its stop.
void SerialComm::InputThread() {
  std::vector<uint8_t> staging(kMaxRead);
  std::vector<uint8_t> queued(ByteQueue::kCapacity);
  bool write_blocked = false;
  while (!StopFlag() && !line_lost_) {
    platform::SerialReadiness ready = line_.Wait(
        InputRoom() > 0, write_blocked, {&OutputReady, &InputWanted, &StopEvent()}, kThreadWakeMs);
    if (StopFlag()) break;
    InputWanted.Reset();
    bool read = (ready.readable || ready.hung_up) && ReadWaiting(staging.data(), kMaxRead);
    write_blocked = WriteQueued(queued.data());
    // What the line still held is read first, one wake-up at a time.
    if (ready.hung_up && !read) LineLost();
  }
  StopEvent().Wait(platform::kNoTimeLimit);
}

// Returns whether bytes were read.
bool SerialComm::ReadWaiting(uint8_t* staging, int max) {
  int room = std::min(InputRoom(), max);
  if (room <= 0) return false;
  platform::SerialResult result = line_.Read(staging, static_cast<size_t>(room));
  if (result.count > 0) {
    PutInput(staging, static_cast<int>(result.count));
    return true;
  }
  if (!result.would_block) LineLost();
  return false;
}

// One write of everything queued; returns whether the line took less than
// all of it.
bool SerialComm::WriteQueued(uint8_t* queued) {
  platform::Locked hold(OutputLock);
  OutputReady.Reset();
  int count = OutputQueue.Peek(queued, ByteQueue::kCapacity);
  if (count == 0 || line_lost_) return false;
  platform::SerialResult result = line_.Write(queued, static_cast<size_t>(count));
  if (result.count < 0 && !result.would_block) {
    LineLost();
    return false;
  }
  if (result.count > 0) {
    OutputQueue.Take(nullptr, static_cast<int>(result.count));
    OutputTaken();
  }
  return result.count < count;
}

void SerialComm::LineLost() {
  line_lost_ = true;
  CarrierGone();
}

}  // namespace door::comm
