#include "platform/whole_file.h"

#include <gtest/gtest.h>

#include "support/end_expected.h"
#include "support/rig.h"

namespace {

using platform::WriteStep;

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
