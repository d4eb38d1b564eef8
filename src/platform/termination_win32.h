// Shared by the Windows backends: a console control event (Ctrl+Break, the
// window closed, log-off) sets this event as well as the request flag, so
// that the console's and the clock's waits wake and the program ends in
// order on the main thread (see CheckTerminationRequest in terminal.h).
#pragma once

#include <windows.h>

namespace platform {

HANDLE TerminationEvent();

}  // namespace platform
