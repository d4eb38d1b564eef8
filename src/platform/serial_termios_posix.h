// For the POSIX serial backend (and its tests) only: the line's settings
// as termios flags.
#pragma once

#include <termios.h>

#include <cstdint>

#include "platform/serial_line.h"

namespace platform {

// The termios speed of a rate in bits per second; false when termios has
// none for it.
bool SpeedOf(int32_t bps, speed_t& speed);
// The rate of a termios speed; 0 for one it does not know.
int32_t BpsOf(speed_t speed);

// Bytes pass unchanged: no echo, no line editing, no signals from
// characters, no translation either way. Reads return whatever has come,
// even a single byte. Framing, speed, flow control and the modem control
// flags (CLOCAL, HUPCL) stay as the line has them.
void MakeRaw(termios& settings);
// Speed (unless kept), framing, and output held while CTS is low; false,
// with nothing changed, when termios offers no such speed or byte size.
bool ApplyLine(const LineSettings& line, termios& settings);
void ApplyFlow(const FlowSettings& flow, termios& settings);

}  // namespace platform
