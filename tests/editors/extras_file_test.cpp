#include "editors/extras_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/files.h"
#include "platform/virtual_console.h"
#include "support/end_expected.h"
#include "support/rig.h"

namespace {

using testsupport::TempDir;

// A clock that lets a test act between the lock's polls.
class PollingClock : public platform::VirtualClock {
 public:
  std::function<void(int)> on_sleep;
  int sleeps = 0;
  void Sleep(int ms) override {
    ++sleeps;
    VirtualClock::Sleep(ms);
    if (on_sleep) on_sleep(sleeps);
  }
};

// A missing file created all zero, unknown bytes kept and "NEVER" stored
// as an empty date are pinned by the start-up and the game reset's tests.
TEST(ExtrasFile, TheDateIsReadAndTheKickOptionWrittenInTheirPlaces) {
  PollingClock clock;
  editors::ExtrasRecord extras;
  TempDir dir;
  std::vector<uint8_t> bytes = testsupport::RandomBytes(1361, 3);
  bytes[1334] = 10;
  std::string date = "12/06/2026";
  std::copy(date.begin(), date.end(), bytes.begin() + 1335);
  dir.Write("playext.dat", bytes);
  editors::LoadExtras(clock, dir.path(), extras);
  EXPECT_EQ(extras.LastEditDate, "12/06/2026");
  extras.KickOldPlayer = !extras.KickOldPlayer;
  editors::SaveExtras(clock, dir.path(), extras);
  bytes[1351] = extras.KickOldPlayer ? 1 : 0;
  EXPECT_EQ(dir.Read("playext.dat"), std::string(bytes.begin(), bytes.end()));
}

// A lock the game holds is waited for, never taken; one still there after
// 14 polls is taken to be left by a program that died, and removed.
TEST(ExtrasLock, ALockIsWaitedForAndAStaleOneRemovedAfterItsPollCount) {
  for (int released_at : {5, 0}) {
    TempDir dir;
    dir.Write("PLAYEXT.DAX", "held by the game");
    PollingClock clock;
    clock.on_sleep = [&](int n) {
      if (n < 14) {
        EXPECT_EQ(dir.Read("PLAYEXT.DAX"), "held by the game") << "poll " << n;
      }
      if (n == released_at) platform::DeleteFile(dir.File("PLAYEXT.DAX"));
    };
    editors::ExtrasRecord extras;
    editors::LoadExtras(clock, dir.path(), extras);
    EXPECT_EQ(clock.sleeps, released_at == 0 ? 14 : released_at);
    EXPECT_EQ(dir.Snapshot(), "PLAYEXT.DAT=" + std::string(1361, '\0') + "\n");
  }
}

// The read fails with the lock held: the end releases it (the snapshot
// holds no PLAYEXT.DAX).
TEST(ExtrasFileDeathTest, AnEmptyFileIsReportedWithWhatToDoAndLeftAlone) {
  TempDir dir;
  dir.Write("PLAYEXT.DAT", "");
  EXPECT_EXIT(
      {
        testsupport::ExpectProgramEnd();
        platform::VirtualClock clock;
        editors::ExtrasRecord extras;
        editors::LoadExtras(clock, dir.path(), extras);
      },
      testing::ExitedWithCode(0),
      "PLAYEXT.DAT: PLAYEXT.DAT is 0 bytes; its record is 1361 bytes\\.\n.* or delete it so that "
      "KeldCfg creates it anew\\.");
  EXPECT_EQ(dir.Snapshot(), "PLAYEXT.DAT=\n");
}

}  // namespace
