// The program's standard input and output as the line to a caller: a board
// may run a door with the caller's connection there (a socket, a pipe pair
// or a pseudo-terminal) rather than hand over a socket. Reads and writes
// never block, and a write to a reader that has gone fails rather than
// raise a signal; the transport's threads wait with StreamWait, together
// with their wake-up events. Results and readiness read as for sockets.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "platform/event.h"
#include "platform/socket.h"

namespace platform {

// A descriptor on POSIX, a HANDLE on Windows.
using StreamHandle = std::intptr_t;

struct StreamPair {
  StreamHandle in = -1;   // what the caller sends comes from here
  StreamHandle out = -1;  // what is sent to the caller goes here
};

// The program's standard input and output.
StreamPair StandardStreams();

// Readies a pair for a caller's bytes: a terminal among them passes every
// byte as it comes, both ways (its settings are restored at the program's
// end), and a write to a reader that has gone fails instead of ending the
// program.
void PrepareStreams(StreamPair pair);
// Ends what PrepareStreams started for the pair (a reader of its input on
// Windows), once no thread uses the streams any more. The streams stay
// open.
void ReleaseStreams(StreamPair pair);

// A read of 0 bytes means the caller's side has closed.
SocketResult StreamRead(StreamHandle in, uint8_t* buffer, size_t max);
// Writes what the stream takes now, which may be fewer bytes than given.
SocketResult StreamWrite(StreamHandle out, const uint8_t* bytes, size_t count);
// Whether the stream is ready now; a closed or failed one counts as ready.
bool StreamIsReady(StreamHandle stream, SocketReady what);
// Waits until the stream is ready, one of the events is set, or timeout_ms
// have passed; false on the time-out.
bool StreamWait(StreamHandle stream, SocketReady what, std::initializer_list<const Event*> wake,
                int timeout_ms);

}  // namespace platform
