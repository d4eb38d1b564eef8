// The Misc-tab options and the player items reached through the main loop.
#include <gtest/gtest.h>

#include <string>

#include "platform/keys.h"
#include "shell/main_loop.h"
#include "support/rig.h"

namespace {

namespace key = platform::key;

struct LoopRig {
  testsupport::Rig rig;
  testsupport::TempDir dir;
  shell::RunState run;
  LoopRig() { run.GameDir = dir.path(); }
  void Run() {
    rig.console.Key(key::kEscape);
    shell::RunMainLoop(rig.ui, run);
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << rig.console.Dump();
  }
};

TEST(MiscTab, ExtrasOptionsStartOnTheStoredAnswer) {
  LoopRig t;
  t.run.Extras.DeleteOneXpPlayers = true;
  t.rig.console.Type("666");  // to the Misc tab
  t.rig.console.Type("d\r");  // Enter keeps the answer the question started on
  t.rig.console.Type("ty");
  t.Run();
  EXPECT_TRUE(t.run.Extras.DeleteOneXpPlayers);
  EXPECT_TRUE(t.run.Extras.KickOldPlayer);
  EXPECT_FALSE(t.run.SettingsChanged);
}

TEST(EditorsTab, PlayersOnADirectoryWithoutPlayerFileSaysSoAndReturns) {
  LoopRig t;
  bool shown = false;
  t.rig.console.Type("4p");  // Left wraps round to the Editors tab
  t.rig.console.SetOnExhausted([&] {
    shown = t.rig.ScreenHas("PLAYER.DAT not found! Are you sure you're in your Keld directory?");
    t.rig.console.Type(" ");
    t.rig.console.Key(key::kEscape);
    t.rig.console.SetOnExhausted(nullptr);
  });
  shell::RunMainLoop(t.rig.ui, t.run);
  EXPECT_TRUE(shown);
  EXPECT_EQ(t.dir.Snapshot(), "");
  EXPECT_EQ(t.run.Extras.LastEditDate, "NEVER");
}

}  // namespace
