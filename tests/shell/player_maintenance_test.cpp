#include "shell/player_maintenance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/player_rig.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "support/key_names.h"
#include "support/rig.h"

namespace {

using players_test::Bytes;
using players_test::Joined;
using players_test::RandomPlayers;
using testsupport::keys::Extended;
namespace key = platform::key;

struct MaintenanceRig {
  testsupport::Rig rig;
  testsupport::TempDir dir;
  shell::RunState run;
  std::vector<Bytes> players = RandomPlayers(3);

  // A married game: players, the two marriage files and a file to keep.
  MaintenanceRig() {
    run.GameDir = dir.path();
    for (Bytes& p : players) p[170] = 9;  // on now
    dir.Write("Player.Dat", Joined(players));
    dir.Write("MARBARD.DAT", "bard");
    dir.Write("marrage.dat", "vows");
    dir.Write("KELD.DAT", "settings");
  }
};

TEST(ClearOnNow, ClearsByte170OfEveryRecordAndNothingElse) {
  MaintenanceRig t;
  t.rig.console.Type(" ");
  shell::ClearOnNow(t.rig.ui, t.run);
  EXPECT_EQ(t.rig.console.PendingKeys(), 0u);
  for (Bytes& p : t.players) p[170] = 0;
  EXPECT_EQ(t.dir.Read("Player.Dat"), Joined(t.players));
}

// Y unmarries everyone and deletes the marriage files; anything else (F1
// with its scan code), or a missing player file, changes nothing.
TEST(FixMarriages, OnlyYUnmarriesEveryoneAndDeletesTheMarriageFiles) {
  for (const std::string& keys :
       std::vector<std::string>{"N ", Extended(key::kF1) + " ", "y ", "Y "}) {
    MaintenanceRig t;
    const bool yes = keys == "Y ", gone = keys == "y ";
    if (gone) platform::DeleteFile(t.dir.File("Player.Dat"));
    const std::string before = t.dir.Snapshot();
    t.rig.console.Type(keys);
    shell::FixMarriages(t.rig.ui, t.run);
    EXPECT_TRUE(t.rig.ScreenHas("** Unhappily ever after **"));
    EXPECT_EQ(t.rig.ScreenHas("PLAYER.DAT not found!"), gone);
    EXPECT_EQ(t.rig.ScreenHas("   All done!    "), yes) << keys;
    // The space is asked for only after Y.
    EXPECT_EQ(t.rig.console.PendingKeys(), yes || gone ? 0u : 1u) << keys;
    for (Bytes& p : t.players) p[221] = p[222] = 0xFF;
    EXPECT_EQ(t.dir.Snapshot(),
              yes ? "KELD.DAT=settings\nPlayer.Dat=" + Joined(t.players) + "\n" : before)
        << keys;
  }
}

}  // namespace
