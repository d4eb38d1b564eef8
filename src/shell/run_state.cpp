#include "shell/run_state.h"

#include "platform/files.h"

namespace shell {

std::string RunState::GamePath(const char* name) const {
  return platform::FindInDirectory(GameDir, name);
}

}  // namespace shell
