#include <stdlib.h>

#include "support/host_board.h"

namespace testsupport {

// The C run-time's environment, which the host libraries read too.
void SetVariable(const std::string& name, const std::string& value) {
  ::_putenv_s(name.c_str(), value.c_str());
}

}  // namespace testsupport
