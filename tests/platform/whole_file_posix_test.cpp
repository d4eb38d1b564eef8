// A kill during a write: the test looks at the files the ended child left,
// which only a forked death test shares with it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/whole_file.h"
#include "support/rig.h"

namespace {

using platform::WriteStep;

// The program killed after any step of a write, as a crash or a power cut
// would stop it, leaves the whole old file or the whole new one.
TEST(WholeFileDeathTest, AKillAfterAnyStepLeavesTheOldOrTheNewFileWhole) {
  for (WriteStep step : {WriteStep::kCreated, WriteStep::kAccessMatched, WriteStep::kWritten,
                         WriteStep::kSynced, WriteStep::kRenamed, WriteStep::kDirectorySynced}) {
    testsupport::TempDir dir;
    dir.Write("KELD.DAT", "old settings");
    EXPECT_EXIT(
        {
          platform::SetWriteStepHook([step](WriteStep at) {
            if (at == step) std::_Exit(0);
            return true;
          });
          int error = 0;
          platform::WriteWholeFile(dir.File("KELD.DAT"), "new settings, longer", error);
          std::_Exit(1);
        },
        testing::ExitedWithCode(0), "");
    bool renamed = step >= WriteStep::kRenamed;
    EXPECT_EQ(dir.Read("KELD.DAT"), renamed ? "new settings, longer" : "old settings")
        << static_cast<int>(step);
    EXPECT_EQ(dir.Exists("KELD.TMP"), !renamed) << static_cast<int>(step);
  }
}

}  // namespace
