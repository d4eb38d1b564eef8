// The serial transport (comm type 1): a serial line to the caller's
// modem, either handed over open by the board or opened by its port
// number. One port thread serves both directions. The carrier is the
// modem's DCD line; a line without modem lines (a pseudo-terminal standing
// in for a serial port) has its carrier until it hangs up.
#pragma once

#include <atomic>
#include <cstdint>

#include "door/comm/comm_port.h"
#include "platform/serial_line.h"

namespace door::comm {

class SerialComm final : public CommPort {
 public:
  SerialComm();
  // Stops the port thread; an inherited line stays open for the board.
  ~SerialComm() override;

  // Takes over a line the board opened, starts the port thread and sets
  // the line to 8 data bits, no parity, one stop bit at its current speed.
  bool OpenHandle(int32_t handle) override;
  // OpenKeep, then SetLine; the result is OpenKeep's.
  bool Open(int32_t port, int32_t bps, int data_bits, char parity, int stop_bits) override;
  // Opens port n (platform::SerialPortDevice) as it is set up and starts
  // the port thread; false when the port cannot be opened.
  bool OpenKeep(int32_t port) override;
  bool CharAvail() override;
  bool Carrier() override;
  int32_t GetHandle() override;
  void Close() override;

  // Keeps the caller's low four bits and adds the modem's status lines.
  void GetModemStatus(uint8_t& line_status, uint8_t& modem_status) override;
  // bps 11520 means 115200 and -1 keeps the speed; parity N, O, E or M
  // (anything else is N); stop bits 1, 2, or 3 for one and a half.
  void SetLine(int32_t bps, char parity, int data_bits, int stop_bits) override;
  int32_t GetBpsRate() override;
  void SetDtr(bool on) override;
  void PurgeOutput() override;
  void PurgeInput() override;
  // Reopens the port by number when one was opened so, else takes over
  // the saved handle again.
  void Resume(bool open_port) override;
  void FlushOutput(const IdleProc& idle) override;
  void SetFlow(bool soft_tx, bool soft_rx, bool hard) override;
  // The one port thread runs the input procedure.
  void SetThreadProcs(ThreadProc input, ThreadProc output) override;

  // The port thread.
  void InputThread() override;

 private:
  void SetUpQueues();
  void MakeImmediate();
  bool ReadWaiting(uint8_t* staging, int max);
  bool WriteQueued(uint8_t* queued);
  void LineLost();

  platform::SerialLine line_;
  int32_t port_number_ = -1;
  int32_t saved_handle_ = -1;
  // The line has hung up; only Carrier of a line without modem lines
  // goes by it.
  std::atomic<bool> line_lost_{false};
};

}  // namespace door::comm
