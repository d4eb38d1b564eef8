// Waitable objects that a host library hands the program: on POSIX a
// descriptor, ready while it polls readable; on Windows a HANDLE, ready
// while it is signalled. The program only ever asks whether one is ready,
// and waits for one together with its own events.
#pragma once

#include <initializer_list>

#include "platform/event.h"

namespace platform {

#if defined(_WIN32)
using WaitHandle = void*;
#else
using WaitHandle = int;
#endif

// Whether the handle is ready now (a wait with time-out 0). A handle that
// cannot be waited on (closed, invalid) counts as ready, so that whatever
// it stands for is looked at rather than waited for in vain.
bool HandleIsReady(WaitHandle handle);
// Waits until one of the handles is ready, one of the events is set, or
// timeout_ms have passed. Returns the index of a ready handle, or -1 when
// only an event or the time-out ended the wait.
int WaitForHandles(std::initializer_list<WaitHandle> handles,
                   std::initializer_list<const Event*> wake, int timeout_ms);

}  // namespace platform
