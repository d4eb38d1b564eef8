#include <stdlib.h>

#include "support/host_board.h"

namespace testsupport {

void SetVariable(const std::string& name, const std::string& value) {
  if (value.empty())
    ::unsetenv(name.c_str());
  else
    ::setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace testsupport
