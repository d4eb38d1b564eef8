#include "shell/tab_menu.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

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
  bool MarkerNow(int box_col, int item) const {
    return Row(3 + item).substr(static_cast<size_t>(box_col), 2) == "=>";
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

// Box columns of the tabs: Main, Tournament, Game Options, Misc, Editors.
constexpr int kMainBox = 2, kTournamentBox = 10, kOptionsBox = 20, kMiscBox = 41, kEditorsBox = 64;

TEST(MainLoop, DrawsTheFrameAndTheMainTab) {
  MenuRig rig;
  rig.console.Type(kEsc);
  rig.Run();
  EXPECT_EQ(Trimmed(rig.Row(1)),
            "          Main    Tournament       Game Options     Misc          Editors");
  EXPECT_EQ(rig.AttrAt(10, 1), 0x4F);  // white on the tab background
  EXPECT_EQ(rig.Row(2), std::string(78, '\xC4') + "  ");
  EXPECT_NE(rig.Row(23).find("4.07"), std::string::npos);
  const std::string box[] = {
      "\xD5" + std::string(21, '\xCD') + "\xB8", "\xB3=> Configure Nodes   \xB3",
      "\xB3   Reset Everything  \xB3",           "\xB3   Score file paths  \xB3",
      "\xB3   GSZ Path & Name   \xB3",           "\xB3" + std::string(21, ' ') + "\xB3",
      "\xB3   Exit the program  \xB3",           "\xD4" + std::string(21, '\xCD') + "\xBE"};
  for (int row = 3; row <= 10; ++row) EXPECT_EQ(rig.Row(row).substr(1, 23), box[row - 3]);
  EXPECT_EQ(rig.AttrAt(2, 3), 0x0C);  // the frame in the high accent
  EXPECT_EQ(rig.AttrAt(6, 4), 0x0F);  // the hot-key letter in white
  EXPECT_EQ(Trimmed(rig.Row(24)), DescriptionRow("Configure node information for Keld"));
}

TEST(MainLoop, UpAndDownWrapAndSkipTheSeparator) {
  MenuRig rig;
  // 1 -> 2 -> 3 -> 4 -> 6, Up to 4 over the separator, 4 -> 3 -> 2 -> 1 -> 6,
  // Down to 1, and "z", no hot key of the tab.
  rig.console.Type("2222" + kUp + "8888" + kDown + "z" + kEsc);
  rig.Run();
  ASSERT_EQ(rig.console.shown.size(), 14u);
  EXPECT_TRUE(rig.MarkerAt(4, kMainBox, 6));
  EXPECT_EQ(rig.ShownRow(4, 7).substr(2, 2), "  ");  // the old marker is erased
  EXPECT_EQ(rig.ShownRow(4, 24), DescriptionRow("Exit KeldCfg"));
  EXPECT_TRUE(rig.MarkerAt(6, kMainBox, 4));
  EXPECT_TRUE(rig.MarkerAt(10, kMainBox, 6));
  EXPECT_TRUE(rig.MarkerNow(kMainBox, 1));
}

TEST(MainLoop, LeftAndRightWalkTheTabsAndSelectTheFirstItem) {
  MenuRig rig;
  // Main item 3, Left to Editors, its item 2, Right to Main (item 1 again),
  // then "6" through every tab to Editors, and Main and Editors once more.
  rig.console.Type("22" + kLeft + "2" + kRight + "666664" + kEsc);
  rig.Run();
  ASSERT_EQ(rig.console.shown.size(), 14u);
  EXPECT_TRUE(rig.MarkerAt(4, kEditorsBox, 1));
  const int boxes[] = {kMainBox,    kTournamentBox, kOptionsBox, kMiscBox,
                       kEditorsBox, kMainBox,       kEditorsBox};
  for (size_t i = 0; i < 7; ++i) {
    EXPECT_EQ(rig.ShownRow(i + 7, 3).find('\xD5'), static_cast<size_t>(boxes[i] - 1)) << i;
    EXPECT_TRUE(rig.MarkerAt(i + 7, boxes[i], 1)) << i;
  }
}

TEST(MainLoop, ActionsRunAtOnceAndTheirItemStaysSelected) {
  MenuRig rig;
  rig.run.Extras.DeleteOneXpPlayers = true;
  // Tournament mode on and off again; in Misc "~Intro ansis are " flips at
  // once, and Enter keeps the answer the question started on.
  rig.console.Type("6tt6622\rd\rty" + kEsc);
  rig.Run();
  EXPECT_NE(rig.ShownRow(1, 4).find("Tournament Mode: Off."), std::string::npos);
  EXPECT_EQ(rig.ShownRow(2, 4).substr(9, 28), "\xB3=> Tournament Mode: On.    ");
  EXPECT_FALSE(rig.run.Tournament.Enabled);
  EXPECT_FALSE(rig.run.IntroAnsi);
  EXPECT_TRUE(rig.run.Extras.DeleteOneXpPlayers);
  EXPECT_TRUE(rig.run.Extras.KickOldPlayer);
  EXPECT_FALSE(rig.run.SettingsChanged);
  // Misc: box at column 41, 27 wide; "Throw the old guy off?" selected.
  EXPECT_EQ(rig.Row(6).substr(40, 33),
            "\xB3   Intro ansis are Off." + std::string(8, ' ') + "\xB3");
  EXPECT_TRUE(rig.MarkerNow(kMiscBox, 6));
  EXPECT_EQ(Trimmed(rig.Row(24)),
            DescriptionRow("When 2 players are on the same node, throw the old guy off?"));
}

TEST(MainLoop, HotKeysChooseAtOnceTheUpArrowIsNotHAndEditorsRunOnTheGameDirectory) {
  MenuRig rig;
  // On Game Options Up (scan code "H") moves to item 11; "h" is Human fights.
  rig.console.Type("66" + kUp + "h7\r" + kEsc);
  rig.Run();
  EXPECT_TRUE(rig.MarkerNow(kOptionsBox, 4));
  EXPECT_EQ(rig.run.Settings.HumanFights, 7);
  // The player editor on the game directory, which has no PLAYER.DAT.
  rig.console.Type("4p " + kEsc);  // Left wraps round to the Editors tab; a key for the message
  rig.Run();
  EXPECT_TRUE(rig.Showed("PLAYER.DAT not found! Are you sure you're in your Keld directory?"));
  EXPECT_EQ(rig.dir.Snapshot(), "");
  EXPECT_EQ(rig.run.Extras.LastEditDate, "NEVER");
  EXPECT_EQ(rig.ShownRow(4, 24),
            DescriptionRow("How many times can a player be resurrected? (0 = unlimited)"));
}

TEST(MainLoop, KeysFromARemoteCallerDoNotReachTheMenu) {
  MenuRig rig;
  testsupport::CapturePort& port = testsupport::MakeRemote(rig.door);
  for (char c : std::string("6x\r")) port.incoming.push_back(static_cast<uint8_t>(c));
  rig.console.Type("2" + kEsc);
  rig.Run();
  EXPECT_EQ(port.incoming.size(), 3u);
  EXPECT_TRUE(rig.MarkerNow(kMainBox, 2));
}

}  // namespace
