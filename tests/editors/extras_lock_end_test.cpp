#include <gtest/gtest.h>

#include "editors/extras_file.h"
#include "platform/program_end.h"
#include "support/end_expected.h"
#include "support/rig.h"

namespace {

TEST(ExtrasLockDeathTest, AHaltWhileTheLockIsHeldReleasesIt) {
  testsupport::TempDir dir;
  EXPECT_EXIT(
      {
        testsupport::ExpectProgramEnd();
        platform::VirtualClock clock;
        editors::FileLock lock(clock, dir.File("PLAYEXT.DAT"));
        if (!dir.Exists("PLAYEXT.DAX")) std::exit(3);  // the lock was never taken
        platform::EndWithIoError("writing", dir.File("PLAYEXT.DAT"), 5);
      },
      testing::ExitedWithCode(0), "");
  EXPECT_EQ(dir.Snapshot(), "");
}

TEST(ExtrasFileDeathTest, AnEmptyFileIsReportedWithWhatToDoAndLeftAlone) {
  testsupport::TempDir dir;
  dir.Write("PLAYEXT.DAT", "");
  EXPECT_EXIT(
      {
        testsupport::ExpectProgramEnd();
        platform::VirtualClock clock;
        editors::ExtrasRecord extras;
        editors::LoadExtras(clock, dir.path(), extras);
      },
      testing::ExitedWithCode(0),
      "PLAYEXT.DAT: PLAYEXT.DAT is 0 bytes; its record is 1361 bytes\\.\n"
      "  The file was left as it was\\. Restore it from a backup, or delete it so that KeldCfg "
      "creates it anew\\.");
  EXPECT_EQ(dir.Snapshot(), "PLAYEXT.DAT=\n");
}

}  // namespace
