#include "shell/player_maintenance.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/player_rig.h"
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
  MaintenanceRig() { run.GameDir = dir.path(); }
  void Done() { EXPECT_EQ(rig.console.PendingKeys(), 0u) << rig.console.Dump(); }
};

TEST(ClearOnNow, ClearsByte170OfEveryRecordAndNothingElse) {
  MaintenanceRig t;
  std::vector<Bytes> players = RandomPlayers(3);
  for (Bytes& p : players) p[170] = 9;
  t.dir.Write("Player.Dat", Joined(players));
  t.rig.console.Type(" ");
  shell::ClearOnNow(t.rig.ui, t.run);
  t.Done();
  EXPECT_TRUE(t.rig.ScreenHas("   All done!    "));
  for (Bytes& p : players) p[170] = 0;
  EXPECT_EQ(t.dir.Read("Player.Dat"), Joined(players));

  MaintenanceRig empty;
  empty.dir.Write("PLAYER.DAT", "");
  empty.rig.console.Type(" ");
  shell::ClearOnNow(empty.rig.ui, empty.run);
  empty.Done();
  EXPECT_TRUE(empty.rig.ScreenHas("   All done!    "));
  EXPECT_EQ(empty.dir.Snapshot(), "PLAYER.DAT=\n");

  MaintenanceRig missing;
  missing.rig.console.Type(" ");
  shell::ClearOnNow(missing.rig.ui, missing.run);
  missing.Done();
  EXPECT_TRUE(missing.rig.ScreenHas("PLAYER.DAT not found!"));
  EXPECT_EQ(missing.dir.Snapshot(), "");
}

void WriteMarriedGame(const testsupport::TempDir& dir, const std::vector<Bytes>& players) {
  dir.Write("PLAYER.DAT", Joined(players));
  dir.Write("MARBARD.DAT", "bard");
  dir.Write("marrage.dat", "vows");
  dir.Write("KELD.DAT", "settings");
}

TEST(FixMarriages, AnythingButYChangesNothing) {
  std::vector<Bytes> players = RandomPlayers(3);
  for (const char* answer : {"N", "\x1B", "q", "\r"}) {
    MaintenanceRig t;
    WriteMarriedGame(t.dir, players);
    std::string before = t.dir.Snapshot();
    t.rig.console.Type(answer);
    shell::FixMarriages(t.rig.ui, t.run);
    t.Done();
    EXPECT_EQ(t.dir.Snapshot(), before) << answer;
    EXPECT_FALSE(t.rig.ScreenHas("All done!")) << answer;
    EXPECT_TRUE(t.rig.ScreenHas("** Unhappily ever after **"));
    EXPECT_TRUE(t.rig.ScreenHas("  Do it? [N] :"));
  }
  MaintenanceRig f1;
  WriteMarriedGame(f1.dir, players);
  std::string before = f1.dir.Snapshot();
  f1.rig.console.Extended(key::kF1);
  shell::FixMarriages(f1.rig.ui, f1.run);
  f1.Done();  // the scan code went with its key
  EXPECT_EQ(f1.dir.Snapshot(), before);
}

TEST(FixMarriages, YUnmarriesEveryoneAndDeletesTheMarriageFiles) {
  MaintenanceRig t;
  std::vector<Bytes> players = RandomPlayers(3);
  WriteMarriedGame(t.dir, players);
  t.rig.console.Type("y ");
  shell::FixMarriages(t.rig.ui, t.run);
  t.Done();
  EXPECT_TRUE(t.rig.ScreenHas("   All done!    "));
  for (Bytes& p : players) p[221] = p[222] = 0xFF;
  EXPECT_EQ(t.dir.Snapshot(), "KELD.DAT=settings\nPLAYER.DAT=" + Joined(players) + "\n");

  MaintenanceRig missing;
  missing.dir.Write("MARBARD.DAT", "bard");
  missing.dir.Write("MARRAGE.DAT", "vows");
  std::string before = missing.dir.Snapshot();
  missing.rig.console.Type("Y ");
  shell::FixMarriages(missing.rig.ui, missing.run);
  missing.Done();
  EXPECT_TRUE(missing.rig.ScreenHas("PLAYER.DAT not found!"));
  EXPECT_EQ(missing.dir.Snapshot(), before);
}

}  // namespace
