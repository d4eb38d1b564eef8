// For the POSIX backends only: an event is a pipe that holds one byte while
// the event is set, so poll() can wait on it beside any other descriptor.
#pragma once

#include <mutex>

#include "platform/event.h"

namespace platform {

struct Event::Native {
  int read_fd = -1;  // polls readable while the event is set
  int write_fd = -1;
  mutable std::mutex mutex;
  bool set = false;
};

// The descriptor to poll for POLLIN to wait for an event.
inline int EventFd(const Event& event) {
  return event.native().read_fd;
}

}  // namespace platform
