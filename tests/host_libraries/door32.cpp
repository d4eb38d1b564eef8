// A stand-in for a board's DOOR32 host library, loaded by the program under
// test exactly as a board's own would be. The board is the test: it listens
// on the loopback port that KELD_TEST_DOOR32 names, and DoorInitialize
// makes two connections to it. The first carries the caller's bytes both
// ways; the second is the offline line, which the board closes when the
// caller hangs up. Their waitable handles are the library's two handles.
#include <cstdlib>

#include "host_libraries/board_line.h"
#include "platform/library.h"

namespace {

board_line::Line caller;
board_line::Line offline;

}  // namespace

KELD_HOST_EXPORT int KELD_HOST_CALL DoorInitialize(void) {
  const char* board = std::getenv("KELD_TEST_DOOR32");
  if (board != nullptr && board_line::Connect(std::atoi(board), caller) &&
      board_line::Connect(std::atoi(board), offline))
    return 1;
  board_line::Close(caller);
  return 0;
}

KELD_HOST_EXPORT void KELD_HOST_CALL DoorShutdown(void) {
  board_line::Close(caller);
  board_line::Close(offline);
}

KELD_HOST_EXPORT int KELD_HOST_CALL DoorRead(unsigned char* buffer, int max) {
  return board_line::ReceiveNow(caller, buffer, max);
}

// Takes every byte, waiting while the board reads nothing, until the caller
// goes offline.
KELD_HOST_EXPORT void KELD_HOST_CALL DoorWrite(const unsigned char* buffer, int length) {
  int done = 0;
  while (done < length) {
    int sent = board_line::SendWhenRoom(caller, offline, buffer + done, length - done);
    if (sent < 0) return;
    done += sent;
  }
}

KELD_HOST_EXPORT platform::WaitHandle KELD_HOST_CALL DoorGetAvailableEventHandle(void) {
  return caller.ready;
}

KELD_HOST_EXPORT platform::WaitHandle KELD_HOST_CALL DoorGetOfflineEventHandle(void) {
  return offline.ready;
}
