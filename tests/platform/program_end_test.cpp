#include "platform/program_end.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "shell/keldcfg.h"
#include "support/end_expected.h"
#include "support/rig.h"

namespace {

TEST(ExitProcs, RunNewestFirst) {
  std::string order;
  platform::AddExitProc([&] { order += "a"; });
  int b = platform::AddExitProc([&] { order += "b"; });
  platform::AddExitProc([&] { order += "c"; });
  platform::RemoveExitProc(b);
  platform::RunExitProcs();
  EXPECT_EQ(order, "ca");
}

// The reason is the system's text for its own error number; Windows words
// its texts differently from one version (and wine) to the next, so there
// only a text is asked for.
TEST(IoErrorReportDeathTest, NamesTheOperationTheFileTheReasonAndWhatToDoAndEndsTheRun) {
  const bool windows = testsupport::OnWindows();
  const int disk_full = windows ? 112 : ENOSPC;  // 112: ERROR_DISK_FULL
  EXPECT_EXIT(
      {
        testsupport::ExpectProgramEnd();
        platform::EndWithIoError("writing", "/games/keld/KELDTOUR.DAT", disk_full);
      },
      testing::ExitedWithCode(0),
      "run-time I/O error " + std::to_string(disk_full) +
          " while writing /games/keld/KELDTOUR.DAT: " +
          (windows ? "\\w.*" : "No space left on device") +
          "\\.\n  Check the free space on the disk and the permissions of the directory");

  // A failed write-back at the end of a run stops the program the same way.
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
      testing::ExitedWithCode(0),
      testsupport::OnWindows() ? "error 3 while writing .*KELDTOUR.DAT: \\w"  // path not found
                               : "KELDTOUR.DAT: Not a directory");
}

}  // namespace
