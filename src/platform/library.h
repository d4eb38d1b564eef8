// A shared library loaded while the program runs, for host libraries that
// the BBS software puts beside the door.
#pragma once

#include <string>

// The calling convention of a host library's entry points: the Windows one,
// which differs from the C one only on 32-bit Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define KELD_HOST_CALL __stdcall
#else
#define KELD_HOST_CALL
#endif

namespace platform {

// Any entry point; the caller casts it to the function type it knows.
using LibraryProc = void (*)();

class Library {
 public:
  Library() = default;
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  ~Library();

  // False when no library of that name can be loaded.
  bool Load(const std::string& name);
  // The entry point of that name; null when the library has none.
  LibraryProc Find(const char* name) const;

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
