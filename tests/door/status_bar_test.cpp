// The once-a-second check: the status bar on row 25, the time and idle
// limits (also across midnight), and the default ends.
#include "door/status_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "door/door_start.h"
#include "platform/keys.h"
#include "support/capture_port.h"
#include "support/end_expected.h"
#include "support/rig.h"

namespace {

using testsupport::Rig;

constexpr int kBarRow = 25;

// A local start at the given time, the login taking its default name.
void StartLocal(Rig& rig, int h = 12, int m = 0, int s = 0) {
  rig.clock.SetTime(h, m, s);
  rig.console.Key(platform::key::kEnter);
  door::DoorStart(rig.door, door::CommandLine{"/bbs/keldcfg", {"-L"}});
}

// One check at the given time of day.
void TickAt(Rig& rig, int h, int m, int s) {
  rig.clock.SetTime(h, m, s);
  rig.door.state.LastTick = rig.clock.MillisSinceMidnight() - 1500;
  rig.door.DoorTick();
}

// The cells of row 25; names are cut and cannot control the screen. (Names
// a board wrote in UTF-8 come in code page 437: drop_files_test.cpp.)
TEST(StatusBar, CellsAndAttributesOfRow25) {
  Rig rig;
  StartLocal(rig);
  EXPECT_EQ(rig.Row(kBarRow), std::string(80, ' '));  // nothing before the first check
  rig.door.state.UserName = "Ann Smith";
  rig.door.screen().GotoXY(7, 3);
  uint8_t attr = rig.door.screen().TextAttr();
  TickAt(rig, 12, 1, 5);

  std::string expected(80, ' ');
  for (int col : {1, 29, 49, 63, 80}) expected[col - 1] = '\xFE';
  expected.replace(2, 9, "Ann Smith");
  expected.replace(30, 8, "Tolldoor");
  expected.replace(50, 11, "Idle: 01:05");
  expected.replace(64, 14, "Left: 00:58:55");
  EXPECT_EQ(rig.Row(kBarRow), expected);
  for (int col : {1, 2, 25, 29, 30, 39, 49, 50, 62, 63, 64, 79, 80})
    EXPECT_EQ(rig.AttrAt(col, kBarRow), 0x1E) << "column " << col;
  for (int col : {3, 24, 31, 38, 51, 61, 65, 78})
    EXPECT_EQ(rig.AttrAt(col, kBarRow), 0x1F) << "column " << col;

  rig.door.state.UserName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234";
  TickAt(rig, 12, 1, 7);
  EXPECT_EQ(rig.Row(kBarRow).substr(0, 30), "\xFE ABCDEFGHIJKLMNOPQRSTUV    \xFE ");
  rig.door.state.UserName = "a\x1b[2J\x1b[1;31m\r\n\bz";
  TickAt(rig, 12, 1, 9);
  EXPECT_EQ(rig.Row(kBarRow).substr(0, 18), "\xFE a?[2J?[1;31m???z");
  // The cursor and the colour stay as they were.
  EXPECT_EQ(rig.door.screen().WhereY() * 100 + rig.door.screen().WhereX(), 307);
  EXPECT_EQ(rig.door.screen().TextAttr(), attr);
}

// Started at noon and half an hour before midnight. (The program sets no
// warning hooks of its own, so warnings are never seen.)
TEST(TimeLimit, EndsAtExactlyTheAllowedSecondWhileWaitingForAKey) {
  for (int start_hour : {12, 23}) {
    Rig rig;
    StartLocal(rig, start_hour, 30, 0);
    int32_t start = rig.clock.SecondsSinceMidnight();
    std::vector<int32_t> up_at;
    rig.door.hooks.OnTimeUp = [&] {
      up_at.push_back(rig.clock.SecondsSinceMidnight());
      rig.console.Type("k");
    };
    EXPECT_EQ(rig.door.DReadKey(), 'k');
    EXPECT_EQ(up_at, std::vector<int32_t>{(start + 3600) % 86400}) << "started at " << start_hour;
  }
}

// The idle limit only holds for a caller; the carrier is checked each
// second, the program's own hook kept, and neither check sends anything.
TEST(IdleLimit, OnlyInRemoteModeAndAcrossMidnightAsTheCarrierCheck) {
  Rig rig;
  int timeouts = 0, lost = 0;
  rig.door.hooks.OnCarrierLost = [&] { ++lost; };
  StartLocal(rig, 23, 30, 0);
  rig.door.hooks.OnIdleTimeout = [&] { ++timeouts; };
  rig.clock.SetTime(23, 59, 59);
  rig.console.Type("k");
  rig.door.DReadKey();
  TickAt(rig, 0, 10, 0);
  EXPECT_EQ(timeouts, 0);  // local: the sysop may sit idle

  testsupport::CapturePort& port = testsupport::MakeRemote(rig.door);
  TickAt(rig, 0, 4, 59);
  EXPECT_EQ(timeouts, 0);  // 300 idle seconds do not exceed 300
  EXPECT_EQ(rig.Row(kBarRow).substr(50, 28), "Idle: 05:00 \xFE Left: 00:25:01");
  TickAt(rig, 0, 5, 0);
  EXPECT_EQ(timeouts, 1);
  EXPECT_EQ(lost, 0);
  port.carrier = false;
  TickAt(rig, 0, 5, 2);
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(port.sent, "");
}

// The default ends, each while DReadKey waits: the time is up an hour
// after a local start; the caller is idle five minutes. (The carrier's end
// is seen end to end in remote_caller_test_posix.cpp.)
TEST(DoorTickDeathTest, DefaultEndsTheProgramWithTheirMessages) {
  for (bool remote : {false, true}) {
    EXPECT_EXIT(
        {
          Rig rig;
          StartLocal(rig, 23, 58, 0);
          if (remote) testsupport::MakeRemote(rig.door);
          testsupport::ExpectProgramEnd(&rig.console);
          rig.door.DReadKey();
        },
        testing::ExitedWithCode(0),
        remote ? "  Idle Time Limit Exceeded\\.  Returning To BBS\\.\\.\\.\n"
               : "  Your Time Has Expired\\.  Returning To BBS\\.\\.\\.\n");
  }
}

}  // namespace
