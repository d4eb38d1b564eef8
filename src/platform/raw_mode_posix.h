// For the POSIX backends only: a terminal that passes every byte as it
// comes, both ways.
#pragma once

#include <termios.h>

namespace platform {

// The settings with echo, line editing, keys that raise signals, flow
// control and output processing turned off, and 8-bit bytes. Reads return
// at once with what has arrived; poll() does the waiting.
inline termios RawMode(termios mode) {
  mode.c_iflag &= ~(BRKINT | ICRNL | INLCR | IGNCR | INPCK | ISTRIP | IXON);
  mode.c_oflag &= ~OPOST;
  mode.c_cflag |= CS8;
  mode.c_lflag &= ~(ECHO | ICANON | IEXTEN | ISIG);
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  return mode;
}

}  // namespace platform
