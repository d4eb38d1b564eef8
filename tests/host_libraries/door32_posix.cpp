// A stand-in for a board's DOOR32 host library, loaded by the program under
// test exactly as a board's own would be. The board is the test: it listens
// on the Unix socket that KELD_TEST_DOOR32 names, and DoorInitialize makes
// two connections to it. The first carries the caller's bytes both ways;
// the second is the offline line, which the board closes when the caller
// hangs up. Their descriptors are the library's two handles.
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/library.h"

namespace {

int caller_fd = -1;
int offline_fd = -1;

int ConnectToBoard(const char* path) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (std::strlen(path) >= sizeof address.sun_path) return -1;
  std::strcpy(address.sun_path, path);
  int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0)
    return fd;
  if (fd >= 0) ::close(fd);
  return -1;
}

void CloseLines() {
  if (caller_fd >= 0) ::close(caller_fd);
  if (offline_fd >= 0) ::close(offline_fd);
  caller_fd = offline_fd = -1;
}

bool Offline() {
  pollfd line{offline_fd, POLLIN, 0};
  return ::poll(&line, 1, 0) != 0;
}

}  // namespace

extern "C" {

int KELD_HOST_CALL DoorInitialize(void) {
  const char* board = std::getenv("KELD_TEST_DOOR32");
  if (board == nullptr) return 0;
  caller_fd = ConnectToBoard(board);
  offline_fd = ConnectToBoard(board);
  if (caller_fd < 0 || offline_fd < 0) {
    CloseLines();
    return 0;
  }
  return 1;
}

void KELD_HOST_CALL DoorShutdown(void) {
  CloseLines();
}

int KELD_HOST_CALL DoorRead(unsigned char* buffer, int max) {
  ssize_t got = ::recv(caller_fd, buffer, static_cast<size_t>(max), MSG_DONTWAIT);
  return got > 0 ? static_cast<int>(got) : 0;
}

// Takes every byte, waiting while the board reads nothing, until the caller
// goes offline.
void KELD_HOST_CALL DoorWrite(const unsigned char* buffer, int length) {
  int done = 0;
  while (done < length && !Offline()) {
    ssize_t sent = ::send(caller_fd, buffer + done, static_cast<size_t>(length - done),
                          MSG_DONTWAIT | MSG_NOSIGNAL);
    if (sent > 0) {
      done += static_cast<int>(sent);
    } else if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR) {
      pollfd lines[2] = {{caller_fd, POLLOUT, 0}, {offline_fd, POLLIN, 0}};
      ::poll(lines, 2, -1);
    } else {
      return;
    }
  }
}

int KELD_HOST_CALL DoorGetAvailableEventHandle(void) {
  return caller_fd;
}

int KELD_HOST_CALL DoorGetOfflineEventHandle(void) {
  return offline_fd;
}

}  // extern "C"
