// A pseudo-terminal pair standing in for a serial line: the slave is the
// door's line, the master the caller's modem. Closing the master hangs
// the line up. (sockets.h reads, writes and closes either end.)
#pragma once

#include <string>

namespace testsupport {

struct PseudoTerminal {
  int master = -1;  // closed on exec
  std::string slave_path;
};

PseudoTerminal OpenPseudoTerminal();
// Opens the slave as a board opens a line it hands to a door (not as a
// controlling terminal, closed on exec).
int OpenSlave(const PseudoTerminal& terminal);

}  // namespace testsupport
