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

}  // namespace
