#include <limits.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/io_result_posix.h"
#include "platform/program_end.h"
#include "platform/raw_mode_posix.h"
#include "platform/std_streams.h"

namespace platform {

namespace {

// A write of no more than this returns at once on a pipe that poll() has
// found writable, even when the descriptor blocks: the board's descriptor
// flags are left as they are.
constexpr size_t kMaxWrite = PIPE_BUF;

int Fd(StreamHandle stream) {
  return static_cast<int>(stream);
}

SocketResult WouldBlock() {
  SocketResult result;
  result.count = -1;
  result.error = EAGAIN;
  result.would_block = true;
  return result;
}

// A terminal passes the caller's bytes unchanged and at once; a read then
// waits for one byte, which poll() has seen, and returns 0 only when the
// terminal has hung up. Its settings come back at the program's end.
void MakeRaw(int fd) {
  termios saved{};
  if (::isatty(fd) == 0 || ::tcgetattr(fd, &saved) != 0) return;
  termios raw = RawMode(saved);
  raw.c_cc[VMIN] = 1;
  ::tcsetattr(fd, TCSANOW, &raw);
  // TCSANOW: output a gone caller will never read must not hold the end.
  AddExitProc([fd, saved] { ::tcsetattr(fd, TCSANOW, &saved); });
}

}  // namespace

StreamPair StandardStreams() {
  return StreamPair{STDIN_FILENO, STDOUT_FILENO};
}

void PrepareStreams(StreamPair pair) {
  // The program starts no other program that could inherit this.
  ::signal(SIGPIPE, SIG_IGN);
  MakeRaw(Fd(pair.in));
  if (pair.out != pair.in) MakeRaw(Fd(pair.out));
}

// The terminal settings come back at the program's end, not here: the
// program may serve another caller on the streams before that.
void ReleaseStreams(StreamPair) {}

SocketResult StreamRead(StreamHandle in, uint8_t* buffer, size_t max) {
  if (!StreamIsReady(in, SocketReady::kReadable)) return WouldBlock();
  // A read of 0 (the other side closed) sets no error code; none is left
  // over from an earlier call either.
  errno = 0;
  SocketResult result = IoResult(::read(Fd(in), buffer, max));
  if (result.count == 0) result.error = 0;
  return result;
}

SocketResult StreamWrite(StreamHandle out, const uint8_t* bytes, size_t count) {
  if (!StreamIsReady(out, SocketReady::kWritable)) return WouldBlock();
  return IoResult(::write(Fd(out), bytes, std::min(count, kMaxWrite)));
}

// poll() serves any descriptor, so the socket's waits serve here too.
bool StreamIsReady(StreamHandle stream, SocketReady what) {
  return SocketIsReady(stream, what);
}

bool StreamWait(StreamHandle stream, SocketReady what, std::initializer_list<const Event*> wake,
                int timeout_ms) {
  return SocketWait(stream, what, wake, timeout_ms);
}

}  // namespace platform
