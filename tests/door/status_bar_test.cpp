// The once-a-second check: the status bar on row 25, the time and idle
// limits (also across midnight), the warnings, and the default ends.
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

int32_t Seconds(int h, int m, int s) {
  return (h * 60 + m) * 60 + s;
}

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

std::string BarText(const Rig& rig) {
  return rig.Row(kBarRow);
}

TEST(StatusBar, CellsAndAttributesOfRow25) {
  Rig rig;
  StartLocal(rig);
  EXPECT_EQ(BarText(rig), std::string(80, ' '));  // nothing before the first check
  rig.door.state.UserName = "Ann Smith";
  rig.door.screen().GotoXY(7, 3);
  TickAt(rig, 12, 1, 5);

  std::string expected(80, ' ');
  for (int col : {1, 29, 49, 63, 80}) expected[col - 1] = '\xFE';
  expected.replace(2, 9, "Ann Smith");
  expected.replace(30, 8, "Tolldoor");
  expected.replace(50, 11, "Idle: 01:05");
  expected.replace(64, 14, "Left: 00:58:55");
  EXPECT_EQ(BarText(rig), expected);

  for (int col = 1; col <= 80; ++col) {
    bool text = (col >= 3 && col <= 24) || (col >= 31 && col <= 38) || (col >= 51 && col <= 61) ||
                (col >= 65 && col <= 78);
    EXPECT_EQ(rig.AttrAt(col, kBarRow), text ? 0x1F : 0x1E) << "column " << col;
  }
  EXPECT_EQ(rig.door.screen().WhereX(), 7);  // the cursor stays where it was
  EXPECT_EQ(rig.door.screen().WhereY(), 3);
}

// (Names a board wrote in UTF-8 come in code page 437: drop_files_test.cpp.)
TEST(StatusBar, NamesAreCutAndCannotControlTheScreen) {
  Rig rig;
  StartLocal(rig);
  rig.door.state.UserName = "ABCDEFGHIJKLMNOPQRSTUVWXYZ1234";
  TickAt(rig, 12, 0, 2);
  EXPECT_EQ(BarText(rig).substr(0, 30), "\xFE ABCDEFGHIJKLMNOPQRSTUV    \xFE ");

  rig.door.screen().GotoXY(4, 4);
  uint8_t attr = rig.door.screen().TextAttr();
  rig.door.state.UserName = "a\x1b[2J\x1b[1;31m\r\n\bz";
  TickAt(rig, 12, 0, 4);
  EXPECT_EQ(BarText(rig).substr(0, 18), "\xFE a?[2J?[1;31m???z");
  EXPECT_EQ(rig.AttrAt(4, kBarRow), 0x1F);
  EXPECT_EQ(rig.door.screen().WhereX(), 4);
  EXPECT_EQ(rig.door.screen().WhereY(), 4);
  EXPECT_EQ(rig.door.screen().TextAttr(), attr);
}

// Started at noon and half an hour before midnight.
TEST(TimeLimit, EndsAtExactlyTheAllowedSecondWhileWaitingForAKey) {
  for (int start_hour : {12, 23}) {
    Rig rig;
    StartLocal(rig, start_hour, 30, 0);
    int32_t start = rig.clock.SecondsSinceMidnight();
    std::vector<int32_t> up_at;
    std::vector<int32_t> warned;
    rig.door.hooks.OnTimeUp = [&] {
      up_at.push_back(rig.clock.SecondsSinceMidnight());
      rig.console.Type("k");
    };
    rig.door.hooks.OnTimeWarning = [&](int32_t minutes) { warned.push_back(minutes); };
    EXPECT_EQ(rig.door.DReadKey(), 'k');
    ASSERT_FALSE(up_at.empty());
    EXPECT_EQ(up_at.front(), (start + 3600) % 86400) << "started at " << start_hour;
    // The warnings came before, counting down the final minutes to the last.
    ASSERT_GE(warned.size(), 3u);
    EXPECT_LE(warned.front(), 5);
    for (size_t i = 1; i < warned.size(); ++i) EXPECT_EQ(warned[i], warned[i - 1] - 1);
    EXPECT_EQ(warned.back(), 0);
  }
}

TEST(TimeLimit, WarningsInTheLastSecondOfTheFinalMinutes) {
  Rig rig;
  StartLocal(rig, 10, 0, 0);
  std::vector<int32_t> time_warnings;
  std::vector<int32_t> idle_warnings;
  rig.door.hooks.OnTimeWarning = [&](int32_t m) { time_warnings.push_back(m); };
  rig.door.hooks.OnIdleWarning = [&](int32_t m) { idle_warnings.push_back(m); };
  // Seconds left: 361, 301, 300, 61, 1. Idle seconds are the same as used
  // seconds here, so idle left is 300 - used.
  TickAt(rig, 10, 53, 59);
  TickAt(rig, 10, 54, 59);
  TickAt(rig, 10, 55, 0);
  TickAt(rig, 10, 58, 59);
  TickAt(rig, 10, 59, 59);
  EXPECT_EQ(time_warnings, (std::vector<int32_t>{5, 1, 0}));
  EXPECT_TRUE(idle_warnings.empty());  // long past the idle limit

  // Idle warnings run in local mode too: 239 and 299 idle seconds.
  rig.door.state.SecondsAllowed = 20 * 3600;
  rig.door.state.LastKeyTime = Seconds(11, 0, 0);
  TickAt(rig, 11, 3, 59);
  TickAt(rig, 11, 4, 59);
  TickAt(rig, 11, 5, 0);
  EXPECT_EQ(idle_warnings, (std::vector<int32_t>{1, 0}));

  // A hook that waits for a key is not entered again by that wait's check.
  int depth = 0;
  rig.door.hooks.OnTimeWarning = [&](int32_t) {
    if (++depth == 1) {
      rig.console.Type("y");
      EXPECT_EQ(rig.door.DReadKey(), 'y');
    }
    time_warnings.push_back(depth--);
  };
  time_warnings.clear();
  rig.door.state.SecondsAllowed = 3600;
  rig.door.state.LastKeyTime = Seconds(10, 54, 0);
  TickAt(rig, 10, 54, 59);
  EXPECT_EQ(time_warnings, (std::vector<int32_t>{1}));
}

TEST(IdleLimit, OnlyInRemoteModeAndAcrossMidnight) {
  Rig rig;
  StartLocal(rig, 23, 30, 0);
  int timeouts = 0;
  rig.door.hooks.OnIdleTimeout = [&] { ++timeouts; };
  rig.clock.SetTime(23, 59, 59);
  rig.console.Type("k");
  rig.door.DReadKey();
  TickAt(rig, 0, 10, 0);
  EXPECT_EQ(timeouts, 0);  // local: the sysop may sit idle

  testsupport::MakeRemote(rig.door);
  TickAt(rig, 0, 4, 59);
  EXPECT_EQ(timeouts, 0);  // 300 idle seconds do not exceed 300
  EXPECT_EQ(BarText(rig).substr(50, 28), "Idle: 05:00 \xFE Left: 00:25:01");
  TickAt(rig, 0, 5, 0);
  EXPECT_EQ(timeouts, 1);
  rig.door.state.IdleCheck = false;
  TickAt(rig, 0, 6, 0);
  EXPECT_EQ(timeouts, 1);
}

// The default ends, each while DReadKey waits: the time is up an hour
// after a local start; the caller is idle five minutes; the carrier is gone.
TEST(DoorTickDeathTest, DefaultEndsTheProgramWithTheirMessages) {
  struct End {
    bool remote, carrier;
    const char* message;
  };
  for (End end : {End{false, true, "  Your Time Has Expired\\.  Returning To BBS\\.\\.\\.\n"},
                  End{true, true, "  Idle Time Limit Exceeded\\.  Returning To BBS\\.\\.\\.\n"},
                  End{true, false, "   Caller Dropped Carrier\\.  Returning To BBS\\.\\.\\.\n"}}) {
    EXPECT_EXIT(
        {
          Rig rig;
          StartLocal(rig, 23, 58, 0);
          if (end.remote) testsupport::MakeRemote(rig.door).carrier = end.carrier;
          testsupport::ExpectProgramEnd(&rig.console);
          rig.door.DReadKey();
        },
        testing::ExitedWithCode(0), end.message);
  }
}

TEST(Carrier, CheckedEachSecondAndTheProgramsOwnHookKept) {
  Rig rig;
  int lost = 0;
  rig.door.hooks.OnCarrierLost = [&] { ++lost; };
  StartLocal(rig);
  testsupport::CapturePort& port = testsupport::MakeRemote(rig.door);
  TickAt(rig, 12, 0, 2);
  EXPECT_EQ(lost, 0);
  port.carrier = false;
  TickAt(rig, 12, 0, 4);
  EXPECT_EQ(lost, 1);
  EXPECT_EQ(port.sent, "");  // the check and the bar send nothing
}

}  // namespace
