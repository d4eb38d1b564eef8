#include <vector>

#include "platform/event_posix.h"
#include "platform/poll_posix.h"
#include "platform/wait_handle.h"

namespace platform {

namespace {

// poll() reports a closed descriptor as POLLNVAL but skips a negative one,
// which therefore never counts as waiting.
bool Unwaitable(WaitHandle handle) {
  return handle < 0;
}

}  // namespace

bool HandleIsReady(WaitHandle handle) {
  return WaitForHandles({handle}, {}, 0) == 0;
}

int WaitForHandles(std::initializer_list<WaitHandle> handles,
                   std::initializer_list<const Event*> wake, int timeout_ms) {
  std::vector<pollfd> fds;
  for (WaitHandle handle : handles) {
    if (Unwaitable(handle)) return static_cast<int>(fds.size());
    fds.push_back({handle, POLLIN, 0});
  }
  for (const Event* event : wake) fds.push_back({EventFd(*event), POLLIN, 0});
  if (PollFor(fds, timeout_ms) <= 0) return -1;
  for (size_t i = 0; i < handles.size(); ++i)
    if (fds[i].revents != 0) return static_cast<int>(i);
  return -1;
}

}  // namespace platform
