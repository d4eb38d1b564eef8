// A shared library loaded while the program runs, for host libraries that
// the BBS software puts beside the door: the DOOR32 library that carries the
// caller's bytes and the WINServer library that names the logged-in user.
#pragma once

#include <string>
#include <string_view>

// The calling convention of a host library's entry points: the Windows one,
// which differs from the C one only on 32-bit Windows.
#if defined(_WIN32) && !defined(_WIN64)
#define KELD_HOST_CALL __stdcall
#else
#define KELD_HOST_CALL
#endif

// How a host library built here (the tests' stand-ins for a board's own)
// exports an entry point: under its C name, visible outside the library.
#if defined(_WIN32)
#define KELD_HOST_EXPORT extern "C" __declspec(dllexport)
#else
#define KELD_HOST_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace platform {

// Any entry point; the caller casts it to the function type it knows.
using LibraryProc = void (*)();

// The file that holds the host library of a base name: "DOOR32" is
// "door32.so" on POSIX and "DOOR32.DLL" on Windows.
std::string LibraryFileName(std::string_view base_name);

class Library {
 public:
  Library() = default;
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;
  // Unloads the library unless KeepLoaded was called.
  ~Library();

  // Loads a library: a name with a directory is that file, a bare file
  // name is looked for the system's usual way. False when it cannot be
  // loaded (missing, or not a library for this program).
  bool Load(const std::string& name);
  // The host library of a base name: the one in `directory` (which ends
  // with a separator) first, else whichever the system's usual search finds.
  bool LoadHost(const std::string& directory, std::string_view base_name);
  // The entry point of that name; null when the library has none.
  LibraryProc Find(const char* name) const;
  // Leaves the library loaded for the rest of the run, for a thread that
  // may still be running its code.
  void KeepLoaded() { handle_ = nullptr; }

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
