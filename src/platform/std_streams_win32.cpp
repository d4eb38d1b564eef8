// Standard input and output as the caller's line on Windows. A board hands
// over either a socket or a pipe there. A socket is served as the socket
// transport serves its own. An anonymous pipe has no readiness that a wait
// can join, so bytes are looked for with PeekNamedPipe, and a wait for them
// looks again at each step while it waits for the events.
#include <windows.h>
#include <winsock.h>

#include <algorithm>
#include <vector>

#include "platform/event_win32.h"
#include "platform/std_streams.h"

namespace platform {

namespace {

// How often a wait on a pipe looks for bytes.
constexpr int kPipeStepMs = 20;
// One write to a pipe: small enough for the pipe's buffer to take at once.
constexpr DWORD kMaxPipeWrite = 4096;

HANDLE Win(StreamHandle stream) {
  return reinterpret_cast<HANDLE>(stream);
}

bool IsSocket(StreamHandle stream) {
  int error = 0;
  if (!StartSockets(error)) return false;
  int type = 0;
  int length = sizeof type;
  return ::getsockopt(static_cast<SOCKET>(stream), SOL_SOCKET, SO_TYPE,
                      reinterpret_cast<char*>(&type), &length) == 0;
}

SocketResult WouldBlock() {
  SocketResult result;
  result.count = -1;
  result.error = WSAEWOULDBLOCK;
  result.would_block = true;
  return result;
}

SocketResult Moved(DWORD count) {
  SocketResult result;
  result.count = static_cast<long>(count);
  return result;
}

// A broken pipe is a closed one: a read of 0 bytes.
SocketResult FailedOrClosed(DWORD error) {
  if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF) return Moved(0);
  SocketResult result;
  result.count = -1;
  result.error = static_cast<int>(error);
  return result;
}

bool IsPipe(StreamHandle stream) {
  return ::GetFileType(Win(stream)) == FILE_TYPE_PIPE;
}

// Bytes a pipe holds; -1 when it has closed or failed.
long PipeBytes(StreamHandle stream) {
  DWORD available = 0;
  if (::PeekNamedPipe(Win(stream), nullptr, 0, nullptr, &available, nullptr) == 0) return -1;
  return static_cast<long>(available);
}

bool HandleIsReadyNow(StreamHandle stream, SocketReady what) {
  if (IsSocket(stream)) return SocketIsReady(stream, what);
  if (what == SocketReady::kWritable || !IsPipe(stream)) return true;
  return PipeBytes(stream) != 0;
}

}  // namespace

StreamPair StandardStreams() {
  return StreamPair{reinterpret_cast<StreamHandle>(::GetStdHandle(STD_INPUT_HANDLE)),
                    reinterpret_cast<StreamHandle>(::GetStdHandle(STD_OUTPUT_HANDLE))};
}

// Windows raises no signal for a write to a closed pipe or socket, and a
// pipe passes bytes unchanged: only the sockets layer needs starting.
void PrepareStreams(StreamPair) {
  int error = 0;
  StartSockets(error);
}

SocketResult StreamRead(StreamHandle in, uint8_t* buffer, size_t max) {
  if (!HandleIsReadyNow(in, SocketReady::kReadable)) return WouldBlock();
  if (IsSocket(in)) return SocketReceive(in, buffer, max);
  DWORD want = static_cast<DWORD>(std::min<size_t>(max, MAXDWORD));
  if (IsPipe(in)) {
    long available = PipeBytes(in);
    if (available < 0) return FailedOrClosed(::GetLastError());
    want = std::min(want, static_cast<DWORD>(available));
  }
  DWORD count = 0;
  if (::ReadFile(Win(in), buffer, want, &count, nullptr) == 0)
    return FailedOrClosed(::GetLastError());
  return Moved(count);
}

SocketResult StreamWrite(StreamHandle out, const uint8_t* bytes, size_t count) {
  if (IsSocket(out)) {
    if (!SocketIsReady(out, SocketReady::kWritable)) return WouldBlock();
    return SocketSend(out, bytes, count);
  }
  DWORD written = 0;
  DWORD want = static_cast<DWORD>(std::min<size_t>(count, kMaxPipeWrite));
  if (::WriteFile(Win(out), bytes, want, &written, nullptr) == 0) {
    SocketResult result;
    result.count = -1;
    result.error = static_cast<int>(::GetLastError());
    return result;
  }
  return Moved(written);
}

bool StreamIsReady(StreamHandle stream, SocketReady what) {
  return HandleIsReadyNow(stream, what);
}

bool StreamWait(StreamHandle stream, SocketReady what, std::initializer_list<const Event*> wake,
                int timeout_ms) {
  if (IsSocket(stream)) return SocketWait(stream, what, wake, timeout_ms);
  std::vector<HANDLE> events;
  for (const Event* event : wake) events.push_back(EventHandle(*event));
  for (int left = timeout_ms;; left -= kPipeStepMs) {
    if (HandleIsReadyNow(stream, what)) return true;
    if (timeout_ms >= 0 && left <= 0) return false;
    int step = timeout_ms < 0 ? kPipeStepMs : std::min(left, kPipeStepMs);
    if (events.empty()) {
      ::Sleep(static_cast<DWORD>(step));
    } else if (::WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE,
                                        static_cast<DWORD>(step)) != WAIT_TIMEOUT) {
      return true;
    }
  }
}

}  // namespace platform
