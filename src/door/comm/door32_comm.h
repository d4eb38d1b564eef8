// The DOOR32 transport (comm type 3): the board's host library owns the
// connection to the caller, and the door reaches it through six calls of a
// library loaded at run time (door32.so on POSIX, DOOR32.DLL on Windows),
// looked for in the game directory first. The library hands out two
// waitable handles: one ready while the caller's input is available, one
// ready once the caller has gone offline.
#pragma once

#include <cstdint>
#include <string>

#include "door/comm/comm_port.h"
#include "platform/library.h"
#include "platform/wait_handle.h"

namespace door::comm {

// The host library's entry points (C linkage, KELD_HOST_CALL).
struct Door32Calls {
  int(KELD_HOST_CALL* DoorInitialize)() = nullptr;  // non-zero: ready
  void(KELD_HOST_CALL* DoorShutdown)() = nullptr;
  // Copies up to max received bytes and returns their count, at once.
  int(KELD_HOST_CALL* DoorRead)(unsigned char* buffer, int max) = nullptr;
  void(KELD_HOST_CALL* DoorWrite)(const unsigned char* buffer, int length) = nullptr;
  platform::WaitHandle(KELD_HOST_CALL* DoorGetAvailableEventHandle)() = nullptr;
  platform::WaitHandle(KELD_HOST_CALL* DoorGetOfflineEventHandle)() = nullptr;
};

class Door32Comm final : public CommPort {
 public:
  // Loads the library from `library_dir` (ending with a separator) or the
  // system's search, and initialises it. A library that is missing, lacks
  // a call or is not ready leaves InitFailed set: no carrier then.
  explicit Door32Comm(const std::string& library_dir);
  // Stops the threads, shuts the library down when it was initialised and
  // unloads it: in that order, so no thread is left in its code.
  ~Door32Comm() override;

  // The handle is kept for GetHandle; the library is not told of it.
  bool OpenHandle(int32_t handle) override;
  bool Open(int32_t port, int32_t bps, int data_bits, char parity, int stop_bits) override;
  bool OpenKeep(int32_t port) override;
  bool CharAvail() override;
  // Online while the library's offline handle is not ready.
  bool Carrier() override;
  int32_t GetHandle() override;

  void InputThread() override;
  void OutputThread() override;

 private:
  bool FindCalls();
  bool WaitForInput(bool watch_line);
  int ReadOnce(uint8_t* staging);
  void WriteQueued(uint8_t* staging);

  platform::Library library_;
  Door32Calls calls_;
  // DoorInitialize succeeded: fixed before the threads start.
  bool initialized_ = false;
  platform::WaitHandle available_{};
  platform::WaitHandle offline_{};
  bool online_ = false;
  int32_t handle_ = 0;
};

}  // namespace door::comm
