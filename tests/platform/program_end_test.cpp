#include "platform/program_end.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "shell/keldcfg.h"
#include "support/end_expected.h"
#include "support/rig.h"

namespace {

TEST(ExitProcs, RunNewestFirstAndOnlyOnce) {
  std::string order;
  platform::AddExitProc([&] { order += "a"; });
  int b = platform::AddExitProc([&] { order += "b"; });
  platform::AddExitProc([&] { order += "c"; });
  platform::RemoveExitProc(b);
  platform::RunExitProcs();
  platform::RunExitProcs();
  EXPECT_EQ(order, "ca");
}

TEST(IoErrorReportDeathTest, NamesTheOperationTheFileTheReasonAndWhatToDo) {
  EXPECT_EXIT(
      {
        testsupport::ExpectProgramEnd();
        platform::EndWithIoError("writing", "/games/keld/KELDTOUR.DAT", ENOSPC);
      },
      testing::ExitedWithCode(0),
      "run-time I/O error 28 while writing /games/keld/KELDTOUR.DAT: No space left on device\\.\n"
      "  Check the free space on the disk and the permissions of the directory");
}

TEST(IoErrorReportDeathTest, AFailedWriteBackStopsTheProgramWithTheReport) {
  testsupport::TempDir dir;
  dir.Write("notadir", "a plain file");
  EXPECT_EXIT(
      {
        testsupport::Rig rig;
        testsupport::ExpectProgramEnd();
        shell::RunState run;
        run.GameDir = dir.File("notadir") + "/";  // every file in it fails to open
        shell::WriteBack(rig.door, run);
      },
      testing::ExitedWithCode(0), "KELDTOUR.DAT: Not a directory");
}

}  // namespace
