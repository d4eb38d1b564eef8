// The real console of the running program: on POSIX the controlling
// terminal in raw mode, drawn from the screen with only changed cells sent
// and code page 437 shown as UTF-8.
#pragma once

#include <memory>

#include "platform/console.h"

namespace platform {

// Opens the terminal. When standard input and output are not a terminal,
// or it is smaller than 80x25, prints why and ends the program (exit code
// 0). Restores the terminal on every way out (see program_end.h).
std::unique_ptr<Console> OpenTerminal();

// Ends the program (see program_end.h) when an interrupt, termination or
// hangup signal has arrived. The signal handler only takes note; the waits
// of the console and the clock call this on the main thread, so the exit
// procedures run in order there.
void CheckTerminationRequest();

}  // namespace platform
