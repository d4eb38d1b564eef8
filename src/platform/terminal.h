// The real console of the running program: on POSIX the controlling
// terminal in raw mode, drawn from the screen with only changed cells sent,
// in UTF-8 or code page 437 as the locale says; or, for a door that has no
// terminal of its own, a screen kept in memory only.
#pragma once

#include <memory>

#include "platform/console.h"

namespace platform {

// What a start needs of the terminal the program was started on.
enum class TerminalUse {
  // The operator works at it (local mode, the usage screen).
  kRequired,
  // A remote caller is served: a terminal, when there is one, shows the
  // session to the operator.
  kIfPresent,
  // The caller is on standard input and output, which are therefore no
  // terminal of the program's own, even when they are a terminal.
  kNone,
};

// The local console for a start. Where there is no terminal to use, the
// screen is kept in memory only and the console has no keys (HasKeyboard
// is false). When a terminal is required but standard input and output are
// none, or it is smaller than 80x24, prints why and ends the program (exit
// code 0). Restores the terminal on every way out (see program_end.h).
std::unique_ptr<Console> OpenLocalConsole(TerminalUse use);

// Ends the program (see program_end.h) when an interrupt, termination or
// hangup signal has arrived. The signal handler only takes note; the waits
// of the console and the clock call this on the main thread, so the exit
// procedures run in order there.
void CheckTerminationRequest();

}  // namespace platform
