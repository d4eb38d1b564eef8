// The test DOOR32 library's lines to the board: loopback TCP connections
// to the port the board listens on. Each system has its own socket calls
// and its own kind of waitable handle, ready while the line has something
// to read (input, or the board's close).
#pragma once

#include <cstdint>

#include "platform/wait_handle.h"

namespace board_line {

struct Line {
  std::intptr_t socket = -1;
  platform::WaitHandle ready{};
};

// What a line buffers on the library's side: little, so that a flood from
// the board is held back soon after the door stops reading.
inline constexpr int kLineBuffer = 16384;

// False when nobody listens on the port.
bool Connect(int port, Line& line);
void Close(Line& line);
// What the line holds now, at most max bytes; 0 when nothing is there.
int ReceiveNow(const Line& line, unsigned char* buffer, int max);
// Waits until the line has room, then sends what it takes: the count sent
// (perhaps 0); -1 when the line failed or the board closed `watched` first.
int SendWhenRoom(const Line& line, const Line& watched, const unsigned char* bytes, int length);

}  // namespace board_line
