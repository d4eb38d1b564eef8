// For death tests of the program's own ends: inside EXPECT_EXIT the end is
// expected, so it exits with code 0 as the program does, after printing
// the virtual screen to stderr so the test can match what was shown.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "platform/program_end.h"
#include "platform/virtual_console.h"

namespace testsupport {

inline const platform::VirtualConsole*& ShownConsole() {
  static const platform::VirtualConsole* console = nullptr;
  return console;
}

inline void DumpAndExitZero() {
  if (ShownConsole() != nullptr) std::fputs(ShownConsole()->Dump().c_str(), stderr);
  std::exit(0);
}

inline void ExpectProgramEnd(const platform::VirtualConsole* console = nullptr) {
  ShownConsole() = console;
  platform::SetEndHandler(DumpAndExitZero);
}

}  // namespace testsupport
