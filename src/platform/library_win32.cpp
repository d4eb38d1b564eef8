// Host libraries on Windows: LoadLibrary and GetProcAddress.
#include <windows.h>

#include "platform/library.h"

namespace platform {

// Windows finds a file whatever the letter case of its name.
std::string LibraryFileName(std::string_view base_name) {
  return std::string(base_name) + ".DLL";
}

Library::~Library() {
  if (handle_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(handle_));
}

bool Library::Load(const std::string& name) {
  if (handle_ != nullptr) ::FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = ::LoadLibraryA(name.c_str());
  return handle_ != nullptr;
}

LibraryProc Library::Find(const char* name) const {
  if (handle_ == nullptr) return nullptr;
  return reinterpret_cast<LibraryProc>(::GetProcAddress(static_cast<HMODULE>(handle_), name));
}

}  // namespace platform
