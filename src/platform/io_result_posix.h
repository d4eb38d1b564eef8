// For the POSIX backends only: what the result of a read, write, recv or
// send call says, in the terms of socket.h.
#pragma once

#include <sys/types.h>

#include <cerrno>

#include "platform/socket.h"

namespace platform {

inline SocketResult IoResult(ssize_t count) {
  SocketResult result;
  result.count = static_cast<long>(count);
  if (count < 0) {
    result.error = errno;
    result.would_block = errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR;
  }
  return result;
}

}  // namespace platform
