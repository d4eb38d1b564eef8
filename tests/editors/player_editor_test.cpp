#include "editors/player_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/player_rig.h"
#include "support/key_names.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using players_test::Bytes;
using players_test::Joined;
using players_test::RandomPlayers;
using namespace testsupport::keys;

struct EditorRig : testsupport::SnoopRig {
  testsupport::TempDir dir;
  editors::ExtrasRecord extras;
  bool list_game_names = false;

  void Edit() {
    editors::PlayerEditor(ui, dir.path(), extras, list_game_names);
    EXPECT_EQ(console.PendingKeys(), 0u) << console.Dump();
  }
};

// Row `row` (from 1) of a dumped screen.
std::string RowOf(const std::string& dump, int row) {
  size_t start = 0;
  for (int r = 1; r < row && start != std::string::npos; ++r) start = dump.find('\n', start) + 1;
  return dump.substr(start, dump.find('\n', start) - start);
}

TEST(PlayerEditor, PagesNamesAndNicksAndEditsOnlyThePlayerChosen) {
  EditorRig t;
  std::vector<Bytes> players = RandomPlayers(30);
  platform::PutString(players[1], 21, 50, "X");
  platform::PutString(players[1], 0, 20, "Ghost");
  platform::PutString(players[2], 0, 20, "X");  // a game name of X alone is not deleted
  Bytes& p = players[0];
  p[179] = 0;                           // class: unknown
  platform::PutLE<int16_t>(p, 180, 7);  // horse: any value but 1 is no
  p[170] = 7;                           // on now: any non-zero byte is yes
  platform::PutLE<int16_t>(p, 221, 4);  // married to player 4
  platform::PutLE<int16_t>(p, 80, -3);  // a weapon number the game never wrote
  p[154] = 3;                           // dead: neither 0 nor 5
  t.dir.Write("PLAYER.DAT", Joined(players));
  // On to page 110 by 22 and no further, back to 0 and no further; player
  // 1 unchanged (still written and dated); Up from item 1 round to "Return
  // to main"; then nicks, and Escape leaves the list.
  t.console.Type("++++++------C" + kUp + "\rZ" + kEsc);
  t.Edit();
  const std::vector<std::string>& s = t.console.shown;
  ASSERT_EQ(s.size(), 18u);
  EXPECT_EQ(RowOf(s[0], 6).substr(0, 9), "(A) Own0 ");
  EXPECT_EQ(RowOf(s[0], 7).substr(0, 12), "(C) Deleted ");
  EXPECT_EQ(RowOf(s[0], 6).substr(44), "(B) Own11");
  EXPECT_EQ(RowOf(s[1], 6), "(A) Own22");  // the right column stays empty
  EXPECT_EQ(RowOf(s[1], 14), "");
  EXPECT_EQ(RowOf(s[5], 6), "");  // page 110: the commands alone
  EXPECT_EQ(s[6], s[5]);
  EXPECT_EQ(RowOf(s[11], 6).substr(0, 9), "(A) Own0 ");
  EXPECT_EQ(s[12], s[11]);
  EXPECT_EQ(RowOf(s[17], 6).substr(0, 10), "(A) Game0 ");
  EXPECT_EQ(RowOf(s[17], 7).substr(0, 12), "(C) Deleted ");
  EXPECT_EQ(RowOf(s[17], 8).substr(0, 6), "(E) X ");
  EXPECT_NE(RowOf(s[17], 20).find("(Z) List by Name"), std::string::npos);
  EXPECT_TRUE(t.list_game_names);  // kept for the next visit
  EXPECT_EQ(t.dir.Read("PLAYER.DAT"), Joined(players));
  EXPECT_EQ(t.extras.LastEditDate, "12/06/2026");

  // Player 0. Dead: 3 becomes 5; class 0 becomes 1; the weapon pointer
  // starts on item 1, F1 gives weapon -1 (name kept), then down to Dagger;
  // Escape gives armour 15; a new day and its message; on the extended
  // screen horse, on now, amulet, not married; back (the pointer moved down
  // from the last item chosen to "Return"), and delete.
  t.console.Type("AOXY" + kF1 + "Y2\rZ" + kEsc + "[ ]AHPM-1\r" + Repeat(kDown, 4) + "\r\\Y!X");
  t.Edit();
  EXPECT_TRUE(t.Showed("Editing player #0 - Extended"));
  EXPECT_TRUE(t.Showed("(X) Class  : Unknown"));
  EXPECT_TRUE(t.Showed("(A) Horse : No"));
  EXPECT_TRUE(t.Showed("(H) On now : Yes"));
  EXPECT_TRUE(t.Showed("(M) Married to : 4"));
  EXPECT_TRUE(t.Showed("This player's day has been reset!"));
  EXPECT_TRUE(t.Showed("Delete this player?"));
  platform::PutString(p, 0, 20, "X");
  platform::PutString(p, 21, 50, "X");
  p[179] = 1;
  p[154] = 5;
  platform::PutLE<int16_t>(p, 80, 2);
  platform::PutString(p, 82, 20, "Dagger");
  platform::PutLE<int16_t>(p, 152, 15);
  platform::PutString(p, 131, 20, "Armour of Lore");
  platform::PutLE<int16_t>(p, 129, 0);
  platform::PutLE<int16_t>(p, 180, 1);
  p[170] = 0;
  p[74] ^= 1;
  platform::PutLE<int16_t>(p, 221, -1);
  EXPECT_EQ(t.dir.Read("PLAYER.DAT"), Joined(players));
}

}  // namespace
