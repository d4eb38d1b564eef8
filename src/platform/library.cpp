#include "platform/library.h"

namespace platform {

bool Library::LoadHost(const std::string& directory, std::string_view base_name) {
  std::string file = LibraryFileName(base_name);
  return Load(directory + file) || Load(file);
}

}  // namespace platform
