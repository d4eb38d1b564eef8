// A game directory of demo data with the real program in it, for the tests
// that start the program as a board or an operator would.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/rig.h"

namespace testsupport {

class DemoGame : public TempDir {
 public:
  DemoGame() {
    std::string make = std::string(KELD_DEMO_DATA) + " " + path() + " >/dev/null";
    EXPECT_EQ(std::system(make.c_str()), 0);
    std::filesystem::create_symlink(KELD_PROGRAM, File("keldcfg"));
  }
};

}  // namespace testsupport
