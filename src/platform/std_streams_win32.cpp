// Standard input and output as the caller's line on Windows. A board hands
// over either a socket or a pipe there. A socket is served as the socket
// transport serves its own. An anonymous pipe has no readiness that a wait
// can join, so a reader thread does the blocking reads of the caller's
// pipe into a buffer, and readiness is that buffer holding bytes or the
// pipe's end: an event that waits join. The reader stops when the streams
// are let go; a read it is blocked in is cancelled then.
//
// A pipe that is both input and output (one duplex pipe) gets no reader:
// a read blocked on it would hold up the writes, since Windows does one
// call at a time on a handle opened for blocking I/O. Its bytes are looked
// for with PeekNamedPipe, at short steps while a wait waits for the events.
#include <process.h>
#include <windows.h>
#include <winsock.h>

#include <algorithm>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/event_win32.h"
#include "platform/std_streams.h"

namespace platform {

namespace {

// How often a wait on a pipe without a reader looks for bytes.
constexpr int kPipeStepMs = 20;
// One write to a pipe: small enough for the pipe's buffer to take at once.
constexpr DWORD kMaxPipeWrite = 4096;
// What the reader holds for the transport; it reads no further ahead.
constexpr size_t kReadAhead = 4096;
// How long letting go of a reader waits for it to end.
constexpr DWORD kReaderEndMs = 1000;
constexpr DWORD kCancelStepMs = 10;

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

// Reads a pipe ahead of the transport, so that its readiness is an event.
class PipeReader {
 public:
  explicit PipeReader(HANDLE pipe) : pipe_(pipe), room_(true) {}
  ~PipeReader() { ::CloseHandle(thread_); }
  PipeReader(const PipeReader&) = delete;
  PipeReader& operator=(const PipeReader&) = delete;

  bool Start() {
    uintptr_t thread = ::_beginthreadex(nullptr, 0, Run, this, 0, nullptr);
    thread_ = reinterpret_cast<HANDLE>(thread);
    return thread_ != nullptr;
  }

  // Cancels the read the thread is blocked in (again, should the
  // cancelling come before the read) until it ends; false when it is still
  // running after kReaderEndMs.
  bool Stop() {
    stopping_ = true;
    room_.Set();
    for (DWORD waited = 0; waited < kReaderEndMs; waited += kCancelStepMs) {
      ::CancelSynchronousIo(thread_);
      if (::WaitForSingleObject(thread_, kCancelStepMs) == WAIT_OBJECT_0) return true;
    }
    return false;
  }

  // Buffered bytes, or the pipe's end once they are all taken.
  SocketResult Take(uint8_t* buffer, size_t max) {
    std::lock_guard<std::mutex> hold(lock_);
    if (bytes_.empty()) return ended_ ? FailedOrClosed(end_error_) : WouldBlock();
    size_t count = std::min(max, bytes_.size());
    std::copy_n(bytes_.begin(), count, buffer);
    bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<long>(count));
    if (bytes_.empty() && !ended_) ready_.Reset();
    room_.Set();
    return Moved(static_cast<DWORD>(count));
  }

  const Event& ready() const { return ready_; }

 private:
  static unsigned __stdcall Run(void* reader) {
    static_cast<PipeReader*>(reader)->ReadUntilTheEnd();
    return 0;
  }

  void ReadUntilTheEnd() {
    std::vector<uint8_t> staging(kReadAhead);
    for (;;) {
      room_.Wait(kNoTimeLimit);
      if (stopping_) return;
      DWORD count = 0;
      DWORD want = static_cast<DWORD>(kReadAhead - Held());
      // A read of nothing is the end too: it is how a Unix pipe under wine
      // reports its writer gone.
      bool read = ::ReadFile(pipe_, staging.data(), want, &count, nullptr) != 0;
      if (!read || count == 0) {
        DWORD error = read ? ERROR_HANDLE_EOF : ::GetLastError();
        if (!stopping_) End(error);
        return;
      }
      Put(staging.data(), count);
    }
  }

  size_t Held() {
    std::lock_guard<std::mutex> hold(lock_);
    return bytes_.size();
  }

  void Put(const uint8_t* bytes, DWORD count) {
    std::lock_guard<std::mutex> hold(lock_);
    bytes_.insert(bytes_.end(), bytes, bytes + count);
    if (bytes_.size() >= kReadAhead) room_.Reset();
    ready_.Set();
  }

  void End(DWORD error) {
    std::lock_guard<std::mutex> hold(lock_);
    ended_ = true;
    end_error_ = error;
    ready_.Set();
  }

  const HANDLE pipe_;
  HANDLE thread_ = nullptr;
  std::atomic<bool> stopping_{false};
  std::mutex lock_;
  std::vector<uint8_t> bytes_;  // under lock_
  bool ended_ = false;          // under lock_
  DWORD end_error_ = 0;         // under lock_
  Event ready_;                 // set while there are bytes to take, or the end
  Event room_;                  // set while the reader may read more
};

// The readers of the pipes in use, by their handle. Made and let go while
// no transport thread runs; looked up by those threads. Never destroyed: a
// reader still blocked when the program ends keeps its object.
std::mutex& readers_lock = *new std::mutex;
std::map<StreamHandle, std::unique_ptr<PipeReader>>& readers =
    *new std::map<StreamHandle, std::unique_ptr<PipeReader>>;

PipeReader* ReaderOf(StreamHandle stream) {
  std::lock_guard<std::mutex> hold(readers_lock);
  auto found = readers.find(stream);
  return found == readers.end() ? nullptr : found->second.get();
}

bool HandleIsReadyNow(StreamHandle stream, SocketReady what) {
  if (IsSocket(stream)) return SocketIsReady(stream, what);
  if (what == SocketReady::kWritable || !IsPipe(stream)) return true;
  if (PipeReader* reader = ReaderOf(stream)) return reader->ready().IsSet();
  return PipeBytes(stream) != 0;
}

// The stepped wait for a pipe without a reader.
bool LookInSteps(StreamHandle stream, SocketReady what, const std::vector<HANDLE>& events,
                 int timeout_ms) {
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

}  // namespace

StreamPair StandardStreams() {
  return StreamPair{reinterpret_cast<StreamHandle>(::GetStdHandle(STD_INPUT_HANDLE)),
                    reinterpret_cast<StreamHandle>(::GetStdHandle(STD_OUTPUT_HANDLE))};
}

// Windows raises no signal for a write to a closed pipe or socket, and a
// pipe passes bytes unchanged: only the sockets layer needs starting, and
// the caller's input pipe its reader.
void PrepareStreams(StreamPair pair) {
  int error = 0;
  StartSockets(error);
  if (pair.in == pair.out || IsSocket(pair.in) || !IsPipe(pair.in) || ReaderOf(pair.in)) return;
  auto reader = std::make_unique<PipeReader>(Win(pair.in));
  if (!reader->Start()) return;  // the stepped wait serves then
  std::lock_guard<std::mutex> hold(readers_lock);
  readers[pair.in] = std::move(reader);
}

// A reader that does not end is left alone rather than freed under it.
void ReleaseStreams(StreamPair pair) {
  std::unique_ptr<PipeReader> reader;
  {
    std::lock_guard<std::mutex> hold(readers_lock);
    auto found = readers.find(pair.in);
    if (found == readers.end()) return;
    reader = std::move(found->second);
    readers.erase(found);
  }
  if (!reader->Stop()) reader.release();
}

SocketResult StreamRead(StreamHandle in, uint8_t* buffer, size_t max) {
  if (PipeReader* reader = ReaderOf(in)) return reader->Take(buffer, max);
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

// Writes to a pipe block until the pipe has taken them, so a pipe is
// always writable; its readable side is its reader's event.
bool StreamWait(StreamHandle stream, SocketReady what, std::initializer_list<const Event*> wake,
                int timeout_ms) {
  if (IsSocket(stream)) return SocketWait(stream, what, wake, timeout_ms);
  std::vector<HANDLE> events;
  for (const Event* event : wake) events.push_back(EventHandle(*event));
  PipeReader* reader = what == SocketReady::kReadable ? ReaderOf(stream) : nullptr;
  if (reader == nullptr) return LookInSteps(stream, what, events, timeout_ms);
  events.insert(events.begin(), EventHandle(reader->ready()));
  return ::WaitForMultipleObjects(static_cast<DWORD>(events.size()), events.data(), FALSE,
                                  WaitMs(timeout_ms)) != WAIT_TIMEOUT;
}

}  // namespace platform
