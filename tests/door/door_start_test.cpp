// Starting the door: the switches, the choice between local use, a handle,
// a drop file and the usage screen, and the ends of a failed start.
#include "door/door_start.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/end_expected.h"
#include "support/rig.h"

namespace {

using testsupport::Rig;
using testsupport::TempDir;

door::Switches Parse(std::vector<std::string> args) {
  return door::ParseSwitches(args, door::DoorHooks{});
}

void Start(Rig& rig, std::vector<std::string> args) {
  door::DoorStart(rig.door, door::CommandLine{"/bbs/keld/keldcfg", std::move(args)});
}

// The fields a start sets, "type|handle|node|name|seconds".
std::string Started(const door::DoorState& st) {
  return std::to_string(st.CommType) + "|" + std::to_string(st.CommHandle) + "|" +
         std::to_string(st.NodeNum) + "|" + st.UserName + "|" + std::to_string(st.SecondsAllowed);
}

TEST(Switches, LettersInEitherCaseAfterDashOrSlash) {
  door::Switches sw = Parse({"-l", "/t", "-W", "-h1000", "/N3", "-Dc:\\bbs\\door.sys"});
  EXPECT_TRUE(sw.local && sw.telnet && sw.winserver);
  EXPECT_EQ(sw.handle, 1000);
  EXPECT_EQ(sw.node, 3);
  EXPECT_EQ(sw.drop_file, "c:\\bbs\\door.sys");

  // Too short, no switch mark, or the debug switch: ignored.
  sw = Parse({"-", "L", "x-L", "/debug", "/DEBUG"});
  EXPECT_FALSE(sw.local);
  EXPECT_EQ(sw.drop_file, "");  // "/debug" is no drop file "ebug"
  EXPECT_EQ(Parse({"/Debugger"}).drop_file, "ebugger");
  sw = Parse({"-Hx", "-N2", "-Nfive"});
  EXPECT_EQ(sw.handle, -1);
  EXPECT_EQ(sw.node, 0);  // the last switch counts
}

TEST(DoorStart, LocalLoginAndTheConsoleReadyForTheDoor) {
  Rig rig;
  rig.clock.SetTime(9, 30, 15);
  rig.door.hooks.OnLocalLogin = [&] {
    door::DefaultLocalLogin(rig.door);
    EXPECT_EQ(rig.Row(2).substr(0, 13), "  LOCAL LOGIN");
    EXPECT_EQ(rig.Row(3).substr(0, 26), "  Enter your name : SYSON ");
    EXPECT_EQ(rig.AttrAt(21, 3), 0x1F);
  };
  rig.console.Type("\bN\r");  // on the offered "SYSOP"
  Start(rig, {"-L", "-N4", "-W", "-H7"});
  const door::DoorState& st = rig.door.state;
  EXPECT_EQ(Started(st), "0|0|4|SYSON|3600");
  EXPECT_EQ(st.UserAlias, "SYSON");
  EXPECT_TRUE(st.TimerActive);
  EXPECT_EQ(st.StartTime, 9 * 3600 + 30 * 60 + 15);
  EXPECT_EQ(st.LastKeyTime, st.StartTime);
  EXPECT_EQ(rig.door.screen().window().bottom, 24);
  EXPECT_EQ(rig.Row(1), std::string(80, ' '));  // the login screen is cleared away
  EXPECT_FALSE(rig.door.hooks.OnIdleWarning || rig.door.hooks.OnTimeWarning);
}

TEST(DoorStart, HandleWithoutNodeFallsThroughToTheDropFile) {
  TempDir dir;
  dir.Write("DOOR32.SYS",
            "0\r\nnone\r\n0\r\nBBS\r\n5\r\nDora Drop\r\nDD\r\n20\r\n10\r\n1\r\n2\r\n");
  Rig rig;
  int usages = 0;
  rig.door.hooks.OnUsage = [&] { ++usages; };
  Start(rig, {"-H1000", "-T", "-D" + dir.File("door32.sys")});
  // The file's handle is no number, so the session gets the local hour
  // rather than the file's ten minutes.
  EXPECT_EQ(Started(rig.door.state), "0|-1|2|Dora Drop|3600");
  EXPECT_EQ(rig.door.state.UserRecord, 4);
  EXPECT_EQ(usages, 0);

  Rig bare;
  bare.door.hooks.OnUsage = [&] { ++usages; };
  Start(bare, {"-H1000", "-T"});
  EXPECT_EQ(usages, 1);
  EXPECT_EQ(bare.door.state.CommType, 0);

  // A DOOR.SYS on port 0 is a local session with the file's time.
  dir.Write("door.sys",
            "COM0:" + std::string(9, '\n') + "Eve Local" + std::string(8, '\n') + "900\n");
  Rig port_zero;
  Start(port_zero, {"-D" + dir.File("DOOR.SYS")});
  EXPECT_EQ(Started(port_zero.door.state), "0|0|0|Eve Local|900");
}

// A failed start: the message on the cleared local screen, exit code 0.
void ExpectFailedStart(std::vector<std::string> args, const char* message) {
  EXPECT_EXIT(
      {
        Rig rig;
        testsupport::ExpectProgramEnd(&rig.console);
        Start(rig, args);
      },
      testing::ExitedWithCode(0), message);
}

TEST(DoorStartDeathTest, NoDropFileOrNoCarrier) {
  TempDir dir;
  dir.Write("DOOR.SYS", "COM0:\n");
  dir.Write("CHAIN.TXT", "0\n");
  dir.Write("DORINFO1.DEF", "BBS\nA\nB\nCOM200\n");  // a port no machine has
  ExpectFailedStart({"-D" + dir.File("nothere.sys")}, "\n  Drop File Not Found\n");
  ExpectFailedStart({"-D" + dir.File("chain.txt")}, "\n  Drop File Not Found\n");
  ExpectFailedStart({"-D" + dir.File("dorinfo1.def")}, "\n  No Carrier Detected\n");
  // A handle that names no open socket, or no open line.
  ExpectFailedStart({"-H99999", "-N1", "-T"}, "\n  No Carrier Detected\n");
  ExpectFailedStart({"-H99999", "-N1"}, "\n  No Carrier Detected\n");
}

// Whom the program serves, decided before anything shows: the operator
// needs a terminal; a remote caller uses one when there is one, except a
// caller on the program's own standard input and output.
TEST(DoorStart, WhatTheStartNeedsOfATerminal) {
  using platform::TerminalUse;
  TempDir dir;
  auto use = [&](std::vector<std::string> args) {
    return door::TerminalUseOf(door::CommandLine{"/bbs/keldcfg", std::move(args)});
  };
  auto use_of_door32 = [&](const std::string& text) {
    dir.Write("DOOR32.SYS", text);
    return use({"-D" + dir.File("DOOR32.SYS")});
  };
  EXPECT_EQ(use({"-L", "-H0", "-N1", "-T"}), TerminalUse::kRequired);
  EXPECT_EQ(use({}), TerminalUse::kRequired);  // the usage screen
  EXPECT_EQ(use({"-H7", "-N1", "-T"}), TerminalUse::kIfPresent);
  EXPECT_EQ(use({"-W"}), TerminalUse::kIfPresent);
  EXPECT_EQ(use({"-D" + dir.File("missing.sys")}), TerminalUse::kIfPresent);
  EXPECT_EQ(use({"-H0", "-N1", "-T"}), TerminalUse::kNone);
  EXPECT_EQ(use({"-H0", "-N1"}), TerminalUse::kNone);
  // (Handles 0 and -1 of a DOOR32.SYS: remote_caller_test_posix.cpp.)
  EXPECT_EQ(use_of_door32("2\n"), TerminalUse::kNone);          // no handle is -1
  EXPECT_EQ(use_of_door32("3\n0\n"), TerminalUse::kIfPresent);  // the library's connection
  EXPECT_EQ(use_of_door32("2\n5\n"), TerminalUse::kIfPresent);
  EXPECT_EQ(use_of_door32("0\n0\n"), TerminalUse::kRequired);
}

const char* const kUsage[] = {
    "",
    " USAGE:",
    "",
    " keldcfg <PARAMETERS>",
    "",
    "  -D         PATH\\FILENAME OF DROPFILE",
    "  -H         COM PORT (OR SOCKET HANDLE IF -T USED)",
    "  -L         LOCAL MODE",
    "  -N         NODE NUMBER",
    "  -T         -H PARAMETER IS A SOCKET HANDLE",
    "  -W         WINSERVER DOOR32 MODE",
    "",
    " Examples:",
    "",
    " keldcfg -L",
    "  -  Run In Local Mode",
    " keldcfg -H1000 -N3 -T",
    "  -  Open Socket Handle 1000 On Node #3",
    " keldcfg -DC:\\GAMESRV\\NODE1\\DOOR32.SYS",
    "  -  Load Settings From DOOR32.SYS",
    " keldcfg -W",
    "     Run As A WINServer Native Door",
};

const platform::VirtualConsole* usage_console = nullptr;

// Says whether the whole screen is the usage screen, rows 1-22 and nothing
// below.
void CompareUsageScreen() {
  std::string expected;
  for (const char* row : kUsage) expected += std::string(row) + "\n";
  expected += "\n\n\n";  // rows 23 to 25 blank
  std::string shown = usage_console->Dump();
  std::fputs(shown == expected ? "usage screen exact\n" : shown.c_str(), stderr);
  std::exit(0);
}

TEST(DoorStartDeathTest, WithoutArgumentsTheUsageScreen) {
  EXPECT_EXIT(
      {
        Rig rig;
        usage_console = &rig.console;
        platform::SetEndHandler(CompareUsageScreen);
        Start(rig, {"/debug", "x"});
      },
      testing::ExitedWithCode(0), "usage screen exact");
}

}  // namespace
