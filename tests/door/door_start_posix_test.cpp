// A drop file that is there but may not be read: permission bits and an
// ordinary user, as POSIX has them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "door/door_start.h"
#include "support/rig.h"

namespace {

// A drop file that is there but may not be read is no missing file: it
// sets nothing, and the door starts with the fields as they were (local).
TEST(DoorStart, ADropFileThatCannotBeReadSetsNothing) {
  testsupport::TempDir dir;
  dir.Write("DOOR32.SYS", "2\n7\n38400\nBBS\n3\nJohn Doe\nJohn\n50\n30\n1\n4\n");
  namespace fs = std::filesystem;
  fs::permissions(dir.path(), fs::perms::all & ~fs::perms::others_write & ~fs::perms::group_write);
  fs::permissions(dir.File("DOOR32.SYS"), fs::perms::none);
  testsupport::Rig rig;
  {
    testsupport::AsOrdinaryUser ordinary;
    door::DoorStart(rig.door,
                    door::CommandLine{"/bbs/keld/keldcfg", {"-D" + dir.File("door32.sys")}});
  }
  EXPECT_EQ(rig.door.state.CommType, 0);
  EXPECT_EQ(rig.door.state.CommHandle, 0);
  EXPECT_EQ(rig.door.state.NodeNum, 0);
  EXPECT_EQ(rig.door.state.UserName, "");
  EXPECT_TRUE(rig.door.state.TimerActive);  // started, not ended
  fs::permissions(dir.File("DOOR32.SYS"), fs::perms::owner_all);
}

}  // namespace
