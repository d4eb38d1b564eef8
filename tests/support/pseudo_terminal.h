// A pseudo-terminal pair standing in for a serial line: the slave is the
// door's line, the master the caller's modem. Closing the master hangs
// the line up. (sockets.h reads, writes and closes either end.) POSIX only.
#pragma once

#include <fcntl.h>
#include <stdlib.h>

#include <cstdlib>
#include <string>

namespace testsupport {

struct PseudoTerminal {
  int master = -1;  // closed on exec
  std::string slave_path;
};

inline PseudoTerminal OpenPseudoTerminal() {
  PseudoTerminal terminal;
  terminal.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal.master < 0 || ::grantpt(terminal.master) != 0 || ::unlockpt(terminal.master) != 0)
    std::abort();  // the test machine cannot give what every test here needs
  terminal.slave_path = ::ptsname(terminal.master);
  return terminal;
}

// Opens the slave as a board opens a line it hands to a door (not as a
// controlling terminal, closed on exec).
inline int OpenSlave(const PseudoTerminal& terminal) {
  int slave = ::open(terminal.slave_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) std::abort();
  return slave;
}

}  // namespace testsupport
