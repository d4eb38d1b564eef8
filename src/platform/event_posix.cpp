#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "platform/event_posix.h"
#include "platform/poll_posix.h"

namespace platform {

namespace {

// An event that cannot be made cannot be waited on either: every transport
// wait would misbehave, so the program stops at once rather than later.
void MakePipe(int fds[2]) {
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) std::abort();
}

}  // namespace

Event::Event(bool set) : native_(std::make_unique<Native>()) {
  int fds[2];
  MakePipe(fds);
  native_->read_fd = fds[0];
  native_->write_fd = fds[1];
  if (set) Set();
}

Event::~Event() {
  ::close(native_->read_fd);
  ::close(native_->write_fd);
}

void Event::Set() {
  std::lock_guard<std::mutex> hold(native_->mutex);
  if (native_->set) return;
  native_->set = true;
  ssize_t written = ::write(native_->write_fd, "!", 1);
  (void)written;  // an empty pipe always takes one byte
}

void Event::Reset() {
  std::lock_guard<std::mutex> hold(native_->mutex);
  if (!native_->set) return;
  native_->set = false;
  char byte;
  ssize_t taken = ::read(native_->read_fd, &byte, 1);
  (void)taken;
}

bool Event::IsSet() const {
  std::lock_guard<std::mutex> hold(native_->mutex);
  return native_->set;
}

bool Event::Wait(int timeout_ms) const {
  return WaitAny({this}, timeout_ms) == 0;
}

int WaitAny(std::initializer_list<const Event*> events, int timeout_ms) {
  std::vector<pollfd> fds;
  for (const Event* event : events) fds.push_back({EventFd(*event), POLLIN, 0});
  if (PollFor(fds, timeout_ms) <= 0) return -1;
  for (size_t i = 0; i < fds.size(); ++i)
    if (fds[i].revents != 0) return static_cast<int>(i);
  return -1;
}

}  // namespace platform
