// The tests' own main: a program end that no test expects fails the run
// instead of passing it silently with exit code 0.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/program_end.h"

namespace {
void UnexpectedEnd() {
  std::fprintf(stderr, "the program ended (exit procedures ran) where no test expected it\n");
  std::_Exit(3);
}
}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Forked death tests share the parent's temporary directories, so a test
  // can check what the ended program left on disk.
  testing::FLAGS_gtest_death_test_style = "fast";
  platform::SetEndHandler(UnexpectedEnd);
  return RUN_ALL_TESTS();
}
