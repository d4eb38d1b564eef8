#include "shell/player_maintenance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/player_rig.h"
#include "platform/files.h"
#include "platform/keys.h"
#include "support/rig.h"

namespace {

using players_test::Bytes;
using players_test::Joined;
using players_test::RandomPlayers;
namespace key = platform::key;

struct MaintenanceRig {
  testsupport::Rig rig;
  testsupport::TempDir dir;
  shell::RunState run;
  std::vector<Bytes> players = RandomPlayers(3);

  // A married game: players, the two marriage files and a file to keep.
  MaintenanceRig() {
    run.GameDir = dir.path();
    dir.Write("Player.Dat", Joined(players));
    dir.Write("MARBARD.DAT", "bard");
    dir.Write("marrage.dat", "vows");
    dir.Write("KELD.DAT", "settings");
  }
  void Done() { EXPECT_EQ(rig.console.PendingKeys(), 0u) << rig.console.Dump(); }
};

TEST(ClearOnNow, ClearsByte170OfEveryRecordAndNothingElse) {
  MaintenanceRig t;
  for (Bytes& p : t.players) p[170] = 9;
  t.dir.Write("Player.Dat", Joined(t.players));
  t.rig.console.Type(" ");
  shell::ClearOnNow(t.rig.ui, t.run);
  t.Done();
  EXPECT_TRUE(t.rig.ScreenHas("   All done!    "));
  for (Bytes& p : t.players) p[170] = 0;
  EXPECT_EQ(t.dir.Read("Player.Dat"), Joined(t.players));
}

// Y unmarries everyone and deletes the marriage files; anything else, or a
// missing player file, changes nothing.
TEST(FixMarriages, OnlyYUnmarriesEveryoneAndDeletesTheMarriageFiles) {
  for (char answer : {'N', key::kEscape, key::kF1, 'Y'}) {
    MaintenanceRig t;
    const std::string before = t.dir.Snapshot();
    if (answer == key::kF1)
      t.rig.console.Extended(answer);  // its scan code goes with it
    else
      t.rig.console.Key(answer);
    t.rig.console.Type(" ");
    shell::FixMarriages(t.rig.ui, t.run);
    EXPECT_TRUE(t.rig.ScreenHas("** Unhappily ever after **"));
    EXPECT_EQ(t.rig.ScreenHas("   All done!    "), answer == 'Y') << answer;
    if (answer == 'Y') {
      for (Bytes& p : t.players) p[221] = p[222] = 0xFF;
      EXPECT_EQ(t.dir.Snapshot(), "KELD.DAT=settings\nPlayer.Dat=" + Joined(t.players) + "\n");
      continue;
    }
    EXPECT_EQ(t.rig.console.PendingKeys(), 1u) << answer;  // the space was not asked for
    EXPECT_EQ(t.dir.Snapshot(), before) << answer;
  }
  MaintenanceRig gone;
  platform::DeleteFile(gone.dir.File("Player.Dat"));
  const std::string before = gone.dir.Snapshot();
  gone.rig.console.Type("y ");
  shell::FixMarriages(gone.rig.ui, gone.run);
  gone.Done();
  EXPECT_TRUE(gone.rig.ScreenHas("PLAYER.DAT not found!"));
  EXPECT_EQ(gone.dir.Snapshot(), before);
}

}  // namespace
