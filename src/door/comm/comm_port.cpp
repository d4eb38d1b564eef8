#include "door/comm/comm_port.h"

#include <algorithm>

#include "platform/files.h"

namespace door::comm {

namespace {

constexpr int32_t kBpsRate = 115200;
constexpr size_t kMaxErrorText = 255;
constexpr uint8_t kModemBase = 0x08;
constexpr uint8_t kCarrierDetect = 0x80;

int BlockSize(size_t length) {
  return static_cast<int>(std::min<size_t>(length, ByteQueue::kCapacity));
}

}  // namespace

CommPort::CommPort() = default;

// Normally the transport's own destructor has stopped the threads already.
CommPort::~CommPort() {
  StopThreads();
}

std::string CommPort::ErrorText() const {
  platform::Locked hold(error_lock_);
  return error_text_;
}

void CommPort::SetErrorText(std::string text) {
  platform::Locked hold(error_lock_);
  error_text_ = text.substr(0, kMaxErrorText);
}

void CommPort::SetErrorText(const std::string& message, int code) {
  SetErrorText(message + std::to_string(code) + " / " + platform::ErrorText(code));
}

void CommPort::GetModemStatus(uint8_t& line_status, uint8_t& modem_status) {
  line_status = 0;
  modem_status = Carrier() ? kModemBase | kCarrierDetect : kModemBase;
}

void CommPort::SetLine(int32_t, char, int, int) {}

int32_t CommPort::GetBpsRate() {
  return kBpsRate;
}

void CommPort::GetBufferStatus(int& in_free, int& out_free, int& in_used, int& out_used) {
  InputWanted.Set();
  OutputReady.Set();
  {
    platform::Locked hold(InputLock);
    in_free = InputQueue.Free();
    in_used = InputQueue.Used();
  }
  platform::Locked hold(OutputLock);
  out_free = OutputQueue.Free();
  out_used = OutputQueue.Used();
}

void CommPort::SetDtr(bool on) {
  if (!on) Close();
}

bool CommPort::ReadyToSend(int count) {
  platform::Locked hold(OutputLock);
  return OutputQueue.Free() >= count;
}

uint8_t CommPort::GetChar() {
  uint8_t byte = 0;
  return ReadBlock(&byte, 1) == 1 ? byte : 0;
}

bool CommPort::SendChar(uint8_t c) {
  return SendBlock(&c, 1) == 1;
}

std::string CommPort::DriverInfo() {
  return "";
}

bool CommPort::InitSucceeded() {
  return !InitFailed;
}

void CommPort::Close() {
  StopThreads();
}

size_t CommPort::SendBlock(const uint8_t* data, size_t length) {
  int count = BlockSize(length);
  while (!HasRoomFor(count) && Carrier()) WaitOnLine(output_room_);
  platform::Locked hold(OutputLock);
  int written = OutputQueue.Put(data, count);
  OutputReady.Set();
  return static_cast<size_t>(written);
}

size_t CommPort::SendWait(const uint8_t* data, size_t length, const IdleProc&) {
  return SendBlock(data, length);
}

size_t CommPort::ReadBlock(uint8_t* buffer, size_t length) {
  int count = BlockSize(length);
  if (!HoldsInput(count)) InputWanted.Set();
  while (!HoldsInput(count) && Carrier()) {
    WaitOnLine(input_arrived_);
    if (CharAvail()) InputWanted.Set();
  }
  platform::Locked hold(InputLock);
  int taken = InputQueue.Take(buffer, count);
  if (InputQueue.Used() == 0) input_arrived_.Reset();
  // The input thread stopped receiving for want of room; now there is some.
  if (input_stalled_ && taken > 0) {
    input_stalled_ = false;
    InputWanted.Set();
  }
  return static_cast<size_t>(taken);
}

void CommPort::PurgeOutput() {
  platform::Locked hold(OutputLock);
  OutputQueue.Clear();
  OutputTaken();
}

void CommPort::PurgeInput() {
  platform::Locked hold(InputLock);
  InputQueue.Clear();
  input_arrived_.Reset();
  if (input_stalled_) {
    input_stalled_ = false;
    InputWanted.Set();
  }
}

void CommPort::Pause(bool close_port) {
  if (close_port)
    Close();
  else
    StopThreads();
}

void CommPort::Resume(bool open_port) {
  if (open_port)
    OpenKeep(0);
  else
    StartThreads();
}

void CommPort::FlushOutput(const IdleProc& idle) {
  for (;;) {
    {
      platform::Locked hold(OutputLock);
      if (OutputQueue.Used() <= 1) return;
      output_room_.Reset();
    }
    if (!Carrier()) return;
    int in_free, out_free, in_used, out_used;
    GetBufferStatus(in_free, out_free, in_used, out_used);
    if (idle) {
      idle();
      idle();
    }
    WaitOnLine(output_room_);
  }
}

size_t CommPort::SendString(std::string_view s) {
  return SendBlock(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

void CommPort::SetFlow(bool, bool, bool) {}

void CommPort::SetThreadProcs(ThreadProc input, ThreadProc output) {
  input_proc_ = input;
  output_proc_ = output;
}

void CommPort::InputThread() {}
void CommPort::OutputThread() {}

bool CommPort::StartThreads() {
  stop_.Reset();
  if (threads_started_) return false;
  threads_started_ = true;
  OutputReady.Reset();
  InputWanted.Reset();
  {
    platform::Locked hold(InputLock);
    InputQueue.Clear();
    input_arrived_.Reset();
    input_stalled_ = false;
  }
  {
    platform::Locked hold(OutputLock);
    OutputQueue.Clear();
  }
  if (output_proc_ != nullptr && !output_thread_.Start([this] { output_proc_(*this); }))
    return false;
  return input_proc_ == nullptr || input_thread_.Start([this] { input_proc_(*this); });
}

bool CommPort::StopThreads() {
  stop_.Set();
  threads_started_ = false;
  OutputReady.Set();
  InputWanted.Set();
  bool output_ended = output_thread_.Join(kStopWaitMs);
  bool input_ended = input_thread_.Join(kStopWaitMs);
  return output_ended && input_ended;
}

int CommPort::InputRoom() {
  platform::Locked hold(InputLock);
  int room = InputQueue.Free();
  input_stalled_ = room == 0;
  return room;
}

int CommPort::PutInput(const uint8_t* bytes, int count) {
  platform::Locked hold(InputLock);
  int put = InputQueue.Put(bytes, count);
  if (put > 0) input_arrived_.Set();
  return put;
}

bool CommPort::InputQueued() {
  platform::Locked hold(InputLock);
  if (InputQueue.Used() > 0) return true;
  input_arrived_.Reset();
  return false;
}

bool CommPort::HasRoomFor(int count) {
  platform::Locked hold(OutputLock);
  if (OutputQueue.Free() >= count) return true;
  output_room_.Reset();
  return false;
}

bool CommPort::HoldsInput(int count) {
  platform::Locked hold(InputLock);
  if (InputQueue.Used() >= count) return true;
  input_arrived_.Reset();
  return false;
}

// A line whose carrier is reported gone but that a transport still calls
// up is waited on in steps of kLineCheckMs rather than not at all.
void CommPort::WaitOnLine(const platform::Event& wanted) {
  if (carrier_gone_.IsSet())
    wanted.Wait(kLineCheckMs);
  else
    platform::WaitAny({&wanted, &carrier_gone_}, kLineCheckMs);
}

}  // namespace door::comm
