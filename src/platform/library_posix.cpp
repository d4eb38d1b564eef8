#include <dlfcn.h>

#include "platform/letter_case.h"
#include "platform/library.h"

namespace platform {

std::string LibraryFileName(std::string_view base_name) {
  std::string name(base_name);
  for (char& c : name) c = LowerCase(c);
  return name + ".so";
}

Library::~Library() {
  if (handle_ != nullptr) ::dlclose(handle_);
}

// Every symbol is bound at once, so a library that lacks one of its own
// dependencies fails here rather than in the middle of a call.
bool Library::Load(const std::string& name) {
  if (handle_ != nullptr) ::dlclose(handle_);
  handle_ = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  return handle_ != nullptr;
}

LibraryProc Library::Find(const char* name) const {
  if (handle_ == nullptr) return nullptr;
  return reinterpret_cast<LibraryProc>(::dlsym(handle_, name));
}

}  // namespace platform
