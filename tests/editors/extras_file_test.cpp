#include "editors/extras_file.h"

#include <gtest/gtest.h>

#include <functional>

#include "platform/files.h"
#include "platform/virtual_console.h"
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

TEST(ExtrasFile, MissingFileIsCreatedAllZeroAndReadsAsNever) {
  TempDir dir;
  PollingClock clock;
  editors::ExtrasRecord extras;
  editors::LoadExtras(clock, dir.path(), extras);
  EXPECT_EQ(extras.LastEditDate, "NEVER");
  EXPECT_EQ(dir.Read("PLAYEXT.DAT"), std::string(1361, '\0'));
  EXPECT_FALSE(dir.Exists("PLAYEXT.DAX"));
  EXPECT_EQ(clock.sleeps, 0);
}

TEST(ExtrasFile, UnknownBytesSurviveAndTheDateRoundTrips) {
  TempDir dir;
  std::vector<uint8_t> bytes = testsupport::RandomBytes(1361, 3);
  bytes[1334] = 10;
  std::string date = "12/06/2026";
  std::copy(date.begin(), date.end(), bytes.begin() + 1335);
  dir.Write("playext.dat", bytes);
  PollingClock clock;
  editors::ExtrasRecord extras;
  editors::LoadExtras(clock, dir.path(), extras);
  EXPECT_EQ(extras.LastEditDate, "12/06/2026");
  editors::SaveExtras(clock, dir.path(), extras);
  EXPECT_EQ(dir.Read("playext.dat"), std::string(bytes.begin(), bytes.end()));

  extras.LastEditDate = "NEVER";  // stored as an empty date
  extras.KickOldPlayer = !extras.KickOldPlayer;
  editors::SaveExtras(clock, dir.path(), extras);
  EXPECT_EQ(extras.LastEditDate, "NEVER");
  std::string saved = dir.Read("playext.dat");
  EXPECT_EQ(saved[1334], 0);
  EXPECT_EQ(saved[1351], extras.KickOldPlayer ? 1 : 0);
  for (size_t i = 0; i < 1361; ++i) {
    if (i == 1334 || i == 1351) continue;
    ASSERT_EQ(static_cast<uint8_t>(saved[i]), bytes[i]) << "byte " << i;
  }
}

TEST(ExtrasLock, StaleLockIsRemovedAfterItsPollCount) {
  TempDir dir;
  dir.Write("PLAYEXT.DAX", "");
  PollingClock clock;
  bool seen_before_removal = true;
  clock.on_sleep = [&](int n) {
    if (n < 14) seen_before_removal = seen_before_removal && dir.Exists("PLAYEXT.DAX");
  };
  editors::ExtrasRecord extras;
  editors::LoadExtras(clock, dir.path(), extras);
  EXPECT_TRUE(seen_before_removal);
  EXPECT_EQ(clock.sleeps, 14);
  EXPECT_FALSE(dir.Exists("PLAYEXT.DAX"));
  EXPECT_TRUE(dir.Exists("PLAYEXT.DAT"));
}

TEST(ExtrasLock, LockOfAnotherProgramIsWaitedForNotTaken) {
  TempDir dir;
  dir.Write("PLAYEXT.DAX", "held by the game");
  PollingClock clock;
  clock.on_sleep = [&](int n) {
    EXPECT_EQ(dir.Read("PLAYEXT.DAX"), "held by the game") << "poll " << n;
    if (n == 5) platform::DeleteFile(dir.File("PLAYEXT.DAX"));  // the game lets go
  };
  editors::ExtrasRecord extras;
  editors::LoadExtras(clock, dir.path(), extras);
  EXPECT_EQ(clock.sleeps, 5);
  EXPECT_FALSE(dir.Exists("PLAYEXT.DAX"));
}

}  // namespace
