// A board that serves its callers through host libraries: the test host
// libraries (tests/host_libraries) put into a game directory, and the
// board's side of the test DOOR32 library, which the test drives as the
// caller's line.
#pragma once

#include <string>

#include "platform/socket.h"
#include "support/temp_dir.h"

namespace testsupport {

// Copies the test host library of a base name ("DOOR32", "WCSRV") into
// `dir` (ending with a separator) under the name this system gives it.
void InstallHostLibrary(const std::string& dir, const std::string& base_name);
// The directory the test host libraries are built in.
std::string HostLibraryDirectory();
// Sets a variable of this process's environment, which the host libraries
// read; an empty value removes it.
void SetVariable(const std::string& name, const std::string& value);

class HostBoard {
 public:
  // Listens for the DOOR32 library on a loopback port, which
  // KELD_TEST_DOOR32 names while the board lives, and makes a scratch
  // directory of its own.
  HostBoard();
  ~HostBoard();
  HostBoard(const HostBoard&) = delete;
  HostBoard& operator=(const HostBoard&) = delete;

  // The board's scratch directory (ending with a separator).
  const std::string& dir() const { return dir_.path(); }
  // Takes the two connections that DoorInitialize makes; false when they
  // have not come within timeout_ms.
  bool Accept(int timeout_ms);
  // The caller's end of the line: what is sent here the door reads, what
  // the door writes arrives here.
  platform::Socket caller() const { return caller_; }
  // The caller hangs up: the offline line closes.
  void GoOffline();
  // From now on the library finds no board to connect to.
  void StopListening();

 private:
  TempDir dir_;
  platform::Socket listener_ = platform::kNoSocket;
  platform::Socket caller_ = platform::kNoSocket;
  platform::Socket offline_ = platform::kNoSocket;
};

// While it lives, the test WINServer library reports this user logged in.
class WinServerLogin {
 public:
  WinServerLogin(const std::string& name, int minutes, int terminal, int node);
  ~WinServerLogin();
  WinServerLogin(const WinServerLogin&) = delete;
  WinServerLogin& operator=(const WinServerLogin&) = delete;
};

}  // namespace testsupport
