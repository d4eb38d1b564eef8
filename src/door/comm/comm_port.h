// The common base of the remote transports. A transport carries bytes
// between the program (the door console, on the main thread) and a device:
// the caller's socket, a serial line or the board's host library. Two
// bounded queues decouple the two sides: the program puts output into
// OutputQueue and takes input from InputQueue, and the transport's device
// threads move the bytes between the queues and the device.
//
// Waiting never polls. The device threads block on their device and their
// wake-up event; the program, when it must wait for room or for input,
// blocks on events the threads set when they make room, bring input or
// see the line go down. A transport needs only to supply its device
// threads and the operations marked as its own below.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "door/comm/byte_queue.h"
#include "platform/event.h"
#include "platform/thread.h"

namespace door::comm {

class CommPort;

// What a device thread runs for its transport (see comm_facade.h).
using ThreadProc = void (*)(CommPort& port);
// Called while output drains (FlushOutput, SendWait).
using IdleProc = std::function<void()>;

class CommPort {
 public:
  CommPort();
  // A transport's own destructor stops its threads first (StopThreads),
  // while the members they use still exist.
  virtual ~CommPort();
  CommPort(const CommPort&) = delete;
  CommPort& operator=(const CommPort&) = delete;

  // The last open or thread start failed.
  bool InitFailed = false;
  // The last error message; the device threads write it too.
  std::string ErrorText() const;

  // The transport's own operations.
  virtual bool OpenHandle(int32_t handle) = 0;
  virtual bool Open(int32_t port, int32_t bps, int data_bits, char parity, int stop_bits) = 0;
  virtual bool OpenKeep(int32_t port) = 0;
  virtual bool CharAvail() = 0;
  virtual bool Carrier() = 0;
  virtual int32_t GetHandle() = 0;

  // Operations with a common behaviour that a transport may replace.
  // Line 0; modem status 0x08, with 0x80 (carrier detect) while Carrier.
  virtual void GetModemStatus(uint8_t& line_status, uint8_t& modem_status);
  virtual void SetLine(int32_t bps, char parity, int data_bits, int stop_bits);
  virtual int32_t GetBpsRate();
  // Wakes both threads, then reports the queues.
  virtual void GetBufferStatus(int& in_free, int& out_free, int& in_used, int& out_used);
  // Dropping DTR hangs up: Close.
  virtual void SetDtr(bool on);
  virtual bool ReadyToSend(int count);
  // ReadBlock of one byte; 0 when none could be read.
  virtual uint8_t GetChar();
  virtual bool SendChar(uint8_t c);
  virtual std::string DriverInfo();
  virtual bool InitSucceeded();
  virtual void Close();
  // Waits while OutputQueue has no room for the block and the carrier is
  // there, then queues what fits; returns how many bytes were queued.
  virtual size_t SendBlock(const uint8_t* data, size_t length);
  virtual size_t SendWait(const uint8_t* data, size_t length, const IdleProc& idle);
  // Waits while InputQueue holds fewer bytes than asked for and the
  // carrier is there, then takes what is queued (up to length).
  virtual size_t ReadBlock(uint8_t* buffer, size_t length);
  virtual void PurgeOutput();
  virtual void PurgeInput();
  virtual void Pause(bool close_port);
  virtual void Resume(bool open_port);
  // Waits until OutputQueue has drained (to at most one byte) or the
  // carrier is gone, calling idle twice each round.
  virtual void FlushOutput(const IdleProc& idle);
  virtual size_t SendString(std::string_view s);
  virtual void SetFlow(bool soft_tx, bool soft_rx, bool hard);
  // Which procedures StartThreads runs; a transport with one thread for
  // both directions keeps only the input procedure.
  virtual void SetThreadProcs(ThreadProc input, ThreadProc output);

  // The device threads' bodies, run through the thread procedures.
  virtual void InputThread();
  virtual void OutputThread();

  // Starts the threads the procedures name with empty queues; refuses (false)
  // while threads are started and StopThreads has not run.
  bool StartThreads();
  // Asks the threads to stop and waits up to a second for each; true when
  // all have ended.
  bool StopThreads();

  // Set when input has been queued since the program last found none: the
  // console waits on it together with the keyboard.
  const platform::Event& InputArrived() const { return input_arrived_; }

 protected:
  static constexpr int kStopWaitMs = 1000;
  // Longest wait of the program before it looks at the carrier again, for
  // a line that goes down without a device thread seeing it.
  static constexpr int kLineCheckMs = 1000;

  bool StopFlag() const { return stop_.IsSet(); }
  void SetStopFlag() { stop_.Set(); }
  // Set together with StopFlag, for device waits that must end on a stop.
  const platform::Event& StopEvent() const { return stop_; }
  void SetErrorText(std::string text);
  // message + the error code + " / " + the system's text for the code.
  void SetErrorText(const std::string& message, int code);

  // For the device threads. The free space of InputQueue (a thread that
  // finds none is woken by InputWanted once the program takes input).
  int InputRoom();
  // Puts received bytes into InputQueue and wakes a program waiting for
  // input; returns how many fitted.
  int PutInput(const uint8_t* bytes, int count);
  // After taking bytes out of OutputQueue (under OutputLock).
  void OutputTaken() { output_room_.Set(); }
  // The carrier is gone: Carrier reports false from now on.
  void CarrierGone() { carrier_gone_.Set(); }

  // For CharAvail: whether InputQueue holds a byte.
  bool InputQueued();

  ByteQueue InputQueue;
  ByteQueue OutputQueue;
  platform::Lock InputLock;
  platform::Lock OutputLock;
  // The program has queued output; the output thread's wake-up.
  platform::Event OutputReady;
  // The program wants input; the input thread's wake-up.
  platform::Event InputWanted;

 private:
  bool HasRoomFor(int count);
  bool HoldsInput(int count);
  void WaitOnLine(const platform::Event& wanted);

  ThreadProc input_proc_ = nullptr;
  ThreadProc output_proc_ = nullptr;
  bool threads_started_ = false;
  platform::Thread input_thread_;
  platform::Thread output_thread_;
  platform::Event stop_;
  platform::Event input_arrived_;
  platform::Event output_room_;
  platform::Event carrier_gone_;
  bool input_stalled_ = false;  // under InputLock
  mutable platform::Lock error_lock_;
  std::string error_text_;
};

}  // namespace door::comm
