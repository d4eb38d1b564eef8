// "-W": the board's DOOR32 library carries the caller and its WINServer
// library names the user. Both are the test host libraries, found in the
// game directory by the real loader.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "door/door_start.h"
#include "support/end_expected.h"
#include "support/host_board.h"
#include "support/rig.h"

namespace {

using testsupport::HostBoard;
using testsupport::InstallHostLibrary;
using testsupport::Rig;
using testsupport::WinServerLogin;

void StartWinServer(Rig& rig, const HostBoard& board) {
  door::DoorStart(rig.door, door::CommandLine{board.dir() + "keldcfg", {"-W"}});
}

TEST(WinServerStart, TheLoggedInUserFromTheHostsLibrary) {
  HostBoard board;
  InstallHostLibrary(board.dir(), "DOOR32");
  InstallHostLibrary(board.dir(), "WCSRV");
  WinServerLogin login("John Q Public", 30, 0, 6);
  Rig rig;
  rig.door.state.Ansi = false;
  StartWinServer(rig, board);
  ASSERT_TRUE(board.Accept(5000));
  const door::DoorState& st = rig.door.state;
  EXPECT_EQ(st.CommType, 3);
  EXPECT_EQ(st.CommHandle, 1);
  EXPECT_EQ(st.UserName, "John Q Public");
  EXPECT_EQ(st.UserAlias, "John");
  EXPECT_EQ(st.SecondsAllowed, 1800);
  EXPECT_TRUE(st.Ansi);
  EXPECT_EQ(st.NodeNum, 6);
  EXPECT_TRUE(rig.door.comm.CommCarrier());
  rig.door.comm.CommDone();
}

// A host lacking its DOOR32 library, or with nobody logged in, has no
// caller for the door.
TEST(WinServerStartDeathTest, NoLibraryOrNobodyLoggedInIsNoCarrier) {
  HostBoard board;
  InstallHostLibrary(board.dir(), "WCSRV");
  auto expect_no_carrier = [&] {
    EXPECT_EXIT(
        {
          Rig rig;
          testsupport::ExpectProgramEnd(&rig.console);
          StartWinServer(rig, board);
        },
        testing::ExitedWithCode(0), "\n  No Carrier Detected\n");
  };
  {
    WinServerLogin login("Ann Other", 30, 0, 2);
    expect_no_carrier();
  }
  InstallHostLibrary(board.dir(), "DOOR32");
  expect_no_carrier();
}

}  // namespace
