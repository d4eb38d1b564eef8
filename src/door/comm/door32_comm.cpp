#include "door/comm/door32_comm.h"

#include <algorithm>
#include <vector>

namespace door::comm {

namespace {

// The threads look at StopFlag at least this often, whatever wakes them.
constexpr int kThreadWakeMs = 5000;
constexpr int kMaxRead = 1024;

template <typename Call>
bool Bind(const platform::Library& library, const char* name, Call& call) {
  call = reinterpret_cast<Call>(library.Find(name));
  return call != nullptr;
}

}  // namespace

Door32Comm::Door32Comm(const std::string& library_dir) {
  if (library_.LoadHost(library_dir, "DOOR32") && FindCalls())
    initialized_ = calls_.DoorInitialize() != 0;
  InitFailed = !initialized_;
  if (initialized_) {
    available_ = calls_.DoorGetAvailableEventHandle();
    offline_ = calls_.DoorGetOfflineEventHandle();
  }
  online_ = !InitFailed;
}

Door32Comm::~Door32Comm() {
  if (!StopThreads()) {
    library_.KeepLoaded();
    return;
  }
  if (initialized_) calls_.DoorShutdown();
}

bool Door32Comm::FindCalls() {
  return Bind(library_, "DoorInitialize", calls_.DoorInitialize) &&
         Bind(library_, "DoorShutdown", calls_.DoorShutdown) &&
         Bind(library_, "DoorRead", calls_.DoorRead) &&
         Bind(library_, "DoorWrite", calls_.DoorWrite) &&
         Bind(library_, "DoorGetAvailableEventHandle", calls_.DoorGetAvailableEventHandle) &&
         Bind(library_, "DoorGetOfflineEventHandle", calls_.DoorGetOfflineEventHandle);
}

bool Door32Comm::OpenHandle(int32_t handle) {
  handle_ = handle;
  return StartThreads();
}

bool Door32Comm::Open(int32_t, int32_t, int, char, int) {
  bool online = online_;
  StartThreads();
  return online;
}

bool Door32Comm::OpenKeep(int32_t) {
  bool online = online_;
  StartThreads();
  return online;
}

bool Door32Comm::CharAvail() {
  bool queued = InputQueued();
  if (!queued && !InitFailed && platform::HandleIsReady(available_)) InputWanted.Set();
  return queued;
}

bool Door32Comm::Carrier() {
  online_ = !InitFailed && !platform::HandleIsReady(offline_);
  if (!online_) CarrierGone();
  return online_;
}

int32_t Door32Comm::GetHandle() {
  return handle_;
}

// Reads whenever the library has input for the caller and InputQueue has
// room, and whenever the program asks. With the queue full the library is
// left unread until the program takes input. Once the caller is offline
// the handles may stay ready for good, and so may an available handle that
// has nothing to read after all: then only the program's wake-ups count,
// so that the thread never spins on them.
void Door32Comm::InputThread() {
  std::vector<uint8_t> staging(kMaxRead);
  bool watch_line = true;
  while (!StopFlag()) {
    bool woken_by_line = WaitForInput(watch_line);
    if (StopFlag()) break;
    InputWanted.Reset();
    bool offline = initialized_ && platform::HandleIsReady(offline_);
    if (offline) CarrierGone();
    int got = ReadOnce(staging.data());
    watch_line = !offline && (got > 0 || !woken_by_line);
  }
}

// Returns whether one of the library's handles ended the wait.
bool Door32Comm::WaitForInput(bool watch_line) {
  if (initialized_ && watch_line && InputRoom() > 0)
    return platform::WaitForHandles({available_, offline_}, {&InputWanted}, kThreadWakeMs) >= 0;
  InputWanted.Wait(kThreadWakeMs);
  return false;
}

// The library is read outside InputLock, which is held only to put the
// bytes, so the program's takes never wait for a DoorRead.
int Door32Comm::ReadOnce(uint8_t* staging) {
  int room = std::min(InputRoom(), kMaxRead);
  if (room <= 0 || !initialized_) return 0;
  int got = std::min(calls_.DoorRead(staging, room), room);
  if (got > 0) PutInput(staging, got);
  return got;
}

// Hands everything queued to the library in one DoorWrite whenever the
// program queues output.
void Door32Comm::OutputThread() {
  std::vector<uint8_t> staging(ByteQueue::kCapacity);
  while (!StopFlag()) {
    OutputReady.Wait(kThreadWakeMs);
    if (StopFlag()) break;
    WriteQueued(staging.data());
  }
}

// OutputLock is held across the DoorWrite, so a purge waits for the bytes
// the library is being given rather than losing track of them.
void Door32Comm::WriteQueued(uint8_t* staging) {
  platform::Locked hold(OutputLock);
  OutputReady.Reset();
  int count = OutputQueue.Peek(staging, ByteQueue::kCapacity);
  if (count == 0 || !initialized_) return;
  calls_.DoorWrite(staging, count);
  OutputQueue.Take(nullptr, count);
  OutputTaken();
}

}  // namespace door::comm
