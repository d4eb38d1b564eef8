#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>

#include "support/pseudo_terminal.h"

namespace testsupport {

PseudoTerminal OpenPseudoTerminal() {
  PseudoTerminal terminal;
  terminal.master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (terminal.master < 0 || ::grantpt(terminal.master) != 0 || ::unlockpt(terminal.master) != 0)
    std::abort();  // the test machine cannot give what every test here needs
  terminal.slave_path = ::ptsname(terminal.master);
  return terminal;
}

int OpenSlave(const PseudoTerminal& terminal) {
  int slave = ::open(terminal.slave_path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) std::abort();
  return slave;
}

}  // namespace testsupport
