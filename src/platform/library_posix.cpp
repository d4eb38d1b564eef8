// The host libraries the door can load (the WINServer user library) exist
// on Windows only, so here every library is absent.
#include "platform/library.h"

namespace platform {

Library::~Library() = default;

bool Library::Load(const std::string& name) {
  (void)name;
  handle_ = nullptr;
  return false;
}

LibraryProc Library::Find(const char* name) const {
  (void)name;
  return nullptr;
}

}  // namespace platform
