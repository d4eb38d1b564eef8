#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/end_expected.h"
#include "support/rig.h"

namespace {

using platform::WriteStep;

constexpr WriteStep kSteps[] = {WriteStep::kCreated, WriteStep::kAccessMatched,
                                WriteStep::kWritten, WriteStep::kSynced,
                                WriteStep::kRenamed, WriteStep::kDirectorySynced};

// The program killed after any step of a write, as a crash or a power cut
// would stop it, leaves the whole old file or the whole new one.
TEST(WholeFileDeathTest, AKillAfterAnyStepLeavesTheOldOrTheNewFileWhole) {
  for (WriteStep step : kSteps) {
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

// A step that fails (a full disk, a file system gone read-only) leaves the
// old file and no temporary one; the whole-file writes the program cannot
// do without end with the run-time I/O error report.
TEST(WholeFileDeathTest, AFailedStepKeepsTheOldFileAndIsReported) {
  for (WriteStep step :
       {WriteStep::kCreated, WriteStep::kAccessMatched, WriteStep::kWritten, WriteStep::kSynced}) {
    testsupport::TempDir dir;
    dir.Write("3rdparty.dat", "old list");
    platform::SetWriteStepHook([step](WriteStep at) { return at != step; });
    int error = 0;
    EXPECT_FALSE(platform::WriteWholeFile(dir.File("3rdparty.dat"), "new list", error));
    platform::SetWriteStepHook(nullptr);
    EXPECT_NE(error, 0);
    EXPECT_EQ(dir.Snapshot(), "3rdparty.dat=old list\n") << static_cast<int>(step);
  }
  EXPECT_EQ(platform::TempPathFor("/g/3rdparty.dat"), "/g/3rdparty.tmp");
  EXPECT_EQ(platform::TempPathFor("/g/LASTC"), "/g/LASTC.TMP");

  testsupport::TempDir dir;
  EXPECT_EXIT(
      {
        testsupport::ExpectProgramEnd();
        platform::WriteWholeFileOrEnd(dir.File("GONE/KELDTOUR.DAT"), "x");
      },
      testing::ExitedWithCode(0), "GONE/KELDTOUR.DAT");
}

}  // namespace
