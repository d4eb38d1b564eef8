// A program on the virtual console: scripted keys in, screen cells and
// file bytes out.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "door/door.h"
#include "platform/virtual_console.h"
#include "support/temp_dir.h"
#include "ui/ui.h"

namespace testsupport {

struct Rig {
  platform::VirtualClock clock;
  platform::VirtualConsole console{&clock};
  door::Door door{console, clock};
  ui::Ui ui{door};

  std::string Row(int row) const { return console.screen().RowText(row); }
  uint8_t AttrAt(int col, int row) const { return console.screen().At(col, row).attr; }
  bool ScreenHas(const std::string& text) const {
    return console.Dump().find(text) != std::string::npos;
  }
};

// True on Windows, whose file system ignores letter case and whose error
// numbers and texts are its own.
bool OnWindows();

// While it lives, a test run by the superuser runs as an ordinary user, so
// that permission bits keep it from reading a file (nothing changes for a
// test run by an ordinary user). Files the test reads then must be
// reachable by anyone. POSIX only (support/ordinary_user_posix.cpp).
class AsOrdinaryUser {
 public:
  AsOrdinaryUser();
  ~AsOrdinaryUser();
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

 private:
  bool switched_ = false;
};

// Bytes that are hard to mistake for defaults.
std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed);

}  // namespace testsupport
