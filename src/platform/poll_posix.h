// For the POSIX backends only: poll() that sleeps out its whole time limit
// when a signal interrupts it.
#pragma once

#include <poll.h>

#include <vector>

namespace platform {

// Polls until a descriptor is ready or timeout_ms (-1: no limit) have
// passed; returns poll()'s count of ready descriptors (0 on timeout, -1 on
// an error other than an interruption).
int PollFor(std::vector<pollfd>& fds, int timeout_ms);

// Milliseconds on a clock that never jumps.
long long MonotonicMs();

}  // namespace platform
