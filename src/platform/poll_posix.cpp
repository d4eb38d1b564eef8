#include "platform/poll_posix.h"

#include <time.h>

#include <algorithm>
#include <cerrno>

namespace platform {

long long MonotonicMs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

int PollFor(std::vector<pollfd>& fds, int timeout_ms) {
  long long deadline = timeout_ms < 0 ? -1 : MonotonicMs() + timeout_ms;
  for (;;) {
    int wait = deadline < 0 ? -1 : static_cast<int>(std::max(deadline - MonotonicMs(), 0LL));
    int ready = ::poll(fds.data(), fds.size(), wait);
    if (ready >= 0 || errno != EINTR) return ready;
  }
}

}  // namespace platform
