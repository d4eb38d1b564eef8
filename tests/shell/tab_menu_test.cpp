#include "shell/tab_menu.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "shell/main_loop.h"
#include "support/capture_port.h"
#include "support/key_names.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using testsupport::TempDir;
using namespace testsupport::keys;

struct MenuRig : testsupport::SnoopRig {
  TempDir dir;
  shell::RunState run;

  MenuRig() { run.GameDir = dir.path(); }

  void Run() {
    shell::RunMainLoop(ui, run);
    EXPECT_EQ(console.PendingKeys(), 0u) << console.Dump();
  }
  uint8_t AttrAt(int col, int row) const { return console.screen().At(col, row).attr; }
  // Row `row` of the screen shown before key read `n` (trailing blanks removed).
  std::string ShownRow(size_t n, int row) const {
    std::istringstream lines(console.shown.at(n));
    std::string line;
    for (int r = 1; r <= row; ++r) std::getline(lines, line);
    return line;
  }
  // Whether the marker of a box at `box_col` stands on `item` in screen n.
  bool MarkerAt(size_t n, int box_col, int item) const {
    return ShownRow(n, 3 + item).substr(static_cast<size_t>(box_col), 2) == "=>";
  }
};

std::string Trimmed(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// Row 24 as it shows a description centred in 79 columns.
std::string DescriptionRow(const std::string& description) {
  return std::string((79 - description.size()) / 2, ' ') + description;
}

// Box columns of the tabs Main, Game Options, Misc and Editors.
constexpr int kMainBox = 2, kOptionsBox = 20, kMiscBox = 41, kEditorsBox = 64;

TEST(MainLoop, LocalArrowsWrapSkipTheSeparatorAndANewTabStartsOnItsFirstItem) {
  MenuRig rig;
  testsupport::CapturePort& port = testsupport::MakeRemote(rig.door);
  for (char c : std::string("6x\r")) port.incoming.push_back(static_cast<uint8_t>(c));
  // The caller's keys do not reach the menu; those typed here do:
  // 1 -> 2 -> 3 -> 4 -> 6, Up to 4 over the separator, 4 -> 3 -> 2 -> 1 -> 6,
  // Down to 1, "z" (no hot key of the tab), 1 -> 3, Left to Editors, whose
  // item 1 is selected, and Right back to Main, on item 1 again.
  rig.console.Type("2222" + kUp + "8888" + kDown + "z22" + kLeft + kRight + kEsc);
  rig.Run();
  EXPECT_TRUE(rig.MarkerAt(4, kMainBox, 6));
  EXPECT_EQ(rig.ShownRow(4, 24), DescriptionRow("Exit KeldCfg"));
  EXPECT_TRUE(rig.MarkerAt(6, kMainBox, 4));
  EXPECT_TRUE(rig.MarkerAt(10, kMainBox, 6));
  EXPECT_TRUE(rig.MarkerAt(17, kEditorsBox, 1));
  EXPECT_EQ(port.incoming.size(), 3u);
  // Back where it started, on item 1: the frame and the Main tab.
  EXPECT_EQ(Trimmed(rig.Row(1)),
            "          Main    Tournament       Game Options     Misc          Editors");
  EXPECT_EQ(rig.AttrAt(10, 1), 0x4F);  // white on the tab background
  EXPECT_NE(rig.Row(23).find("4.07"), std::string::npos);
  const char* items[] = {
      "=> Configure Nodes", "   Reset Everything", "   Score file paths", "   GSZ Path & Name", "",
      "   Exit the program"};
  for (int item = 1; item <= 6; ++item)
    EXPECT_EQ(Trimmed(rig.Row(3 + item).substr(2, 21)), items[item - 1]);
  EXPECT_EQ(rig.AttrAt(2, 3), 0x0C);  // the frame in the high accent
}

TEST(MainLoop, ActionsRunAtOnceAndTheirItemStaysSelected) {
  MenuRig rig;
  rig.run.Extras.DeleteOneXpPlayers = true;
  // Tournament mode on and off again; in Misc "~Intro ansis are " flips at
  // once, and Enter keeps the answer the question started on.
  rig.console.Type("6tt6622\rd\rty" + kEsc);
  rig.Run();
  EXPECT_EQ(rig.ShownRow(2, 4).substr(9, 28), "\xB3=> Tournament Mode: On.    ");
  EXPECT_FALSE(rig.run.Tournament.Enabled);
  EXPECT_FALSE(rig.run.IntroAnsi);
  EXPECT_TRUE(rig.run.Extras.DeleteOneXpPlayers);
  EXPECT_TRUE(rig.run.Extras.KickOldPlayer);
  EXPECT_FALSE(rig.run.SettingsChanged);
  EXPECT_TRUE(rig.MarkerAt(rig.console.shown.size() - 1, kMiscBox, 6));  // Throw the old guy off?
  EXPECT_EQ(Trimmed(rig.Row(24)),
            DescriptionRow("When 2 players are on the same node, throw the old guy off?"));

  // On Game Options Up (scan code "H") moves to item 11; "h" is Human
  // fights. Then the player editor on the game directory, which has no
  // PLAYER.DAT (a key for the message).
  rig.console.shown.clear();
  rig.console.Type("66" + kUp + "h7\r66p " + kEsc);
  rig.Run();
  EXPECT_EQ(rig.ShownRow(4, 24),
            DescriptionRow("How many times can a player be resurrected? (0 = unlimited)"));
  EXPECT_TRUE(rig.MarkerAt(7, kOptionsBox, 4));
  EXPECT_TRUE(rig.Showed("PLAYER.DAT not found! Are you sure you're in your Keld directory?"));
}

}  // namespace
