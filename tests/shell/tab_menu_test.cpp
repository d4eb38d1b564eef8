#include "shell/tab_menu.h"

#include <gtest/gtest.h>

#include <cctype>
#include <sstream>
#include <string>
#include <vector>

#include "platform/keys.h"
#include "shell/main_loop.h"
#include "shell/run_state.h"
#include "support/capture_port.h"
#include "support/rig.h"
#include "support/snoop_rig.h"
#include "ui/ui.h"

namespace {

using testsupport::TempDir;
namespace key = platform::key;

using testsupport::SnoopConsole;

struct MenuRig {
  platform::VirtualClock clock;
  SnoopConsole console{&clock};
  door::Door door{console, clock};
  ui::Ui ui{door};
  TempDir dir;
  shell::RunState run;

  MenuRig() { run.GameDir = dir.path(); }

  void Run() {
    shell::RunMainLoop(ui, run);
    EXPECT_EQ(console.PendingKeys(), 0u) << console.Dump();
  }
  std::string Row(int row) const { return console.screen().RowText(row); }
  uint8_t AttrAt(int col, int row) const { return console.screen().At(col, row).attr; }
  // Whether any screen the operator saw while a key was read held the text.
  bool Showed(const std::string& text) const {
    for (const auto& screen : console.shown)
      if (screen.find(text) != std::string::npos) return true;
    return false;
  }
};

// Row `row` of a dumped screen (trailing blanks removed).
std::string DumpRow(const std::string& dump, int row) {
  std::istringstream lines(dump);
  std::string line;
  for (int r = 1; r <= row; ++r) std::getline(lines, line);
  return line;
}

std::string Trimmed(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// Row 24 as a description centred in 79 columns shows it.
std::string DescriptionRow(const std::string& description) {
  return Trimmed(ui::Centre(description, 79));
}

// Main tab: box at column 2, 17 characters wide, item i on row 3 + i, its
// marker at column 3.
constexpr int kMainMarkerCol = 3;
// Editors tab: box at column 64, marker at column 65.
constexpr int kEditorsMarkerCol = 65;
// Game Options tab: box at column 20, marker at column 21, text from 24.
constexpr int kOptionsMarkerCol = 21;
constexpr int kOptionsTextCol = 24;

bool MarkerAt(const MenuRig& rig, int col, int item) {
  return rig.Row(3 + item).substr(static_cast<size_t>(col - 1), 2) == "=>";
}

TEST(MainLoop, DrawsTheFrameAndTheMainTab) {
  MenuRig rig;
  rig.console.Key(key::kEscape);
  rig.Run();
  EXPECT_EQ(rig.Row(1).substr(9, 6), " Main ");
  EXPECT_EQ(rig.AttrAt(10, 1), 0x4F);  // white on the tab background
  EXPECT_EQ(rig.Row(1).substr(18, 10), "Tournament");
  EXPECT_EQ(rig.Row(1).substr(35, 12), "Game Options");
  EXPECT_EQ(rig.Row(1).substr(52, 4), "Misc");
  EXPECT_EQ(rig.Row(1).substr(66, 7), "Editors");
  EXPECT_EQ(rig.AttrAt(19, 1), 0x07);
  EXPECT_EQ(rig.Row(2), std::string(78, '\xC4') + "  ");
  EXPECT_NE(rig.Row(23).find("4.07"), std::string::npos);

  EXPECT_EQ(rig.Row(3).substr(1, 23), "\xD5" + std::string(21, '\xCD') + "\xB8");
  EXPECT_EQ(rig.Row(4).substr(1, 23), "\xB3=> Configure Nodes   \xB3");
  EXPECT_EQ(rig.Row(5).substr(1, 23), "\xB3   Reset Everything  \xB3");
  EXPECT_EQ(rig.Row(6).substr(1, 23), "\xB3   Score file paths  \xB3");
  EXPECT_EQ(rig.Row(7).substr(1, 23), "\xB3   GSZ Path & Name   \xB3");
  EXPECT_EQ(rig.Row(8).substr(1, 23), "\xB3" + std::string(21, ' ') + "\xB3");
  EXPECT_EQ(rig.Row(9).substr(1, 23), "\xB3   Exit the program  \xB3");
  EXPECT_EQ(rig.Row(10).substr(1, 23), "\xD4" + std::string(21, '\xCD') + "\xBE");
  EXPECT_EQ(rig.AttrAt(2, 3), 0x0C);  // the frame in the high accent
  EXPECT_EQ(rig.AttrAt(24, 6), 0x0C);
  EXPECT_EQ(rig.AttrAt(6, 4), 0x0F);  // the hot-key letter in white
  EXPECT_EQ(rig.AttrAt(7, 4), 0x07);  // the rest in light grey
  EXPECT_EQ(rig.AttrAt(6, 9), 0x07);
  EXPECT_EQ(rig.AttrAt(7, 9), 0x0F);
  EXPECT_EQ(Trimmed(rig.Row(24)), DescriptionRow("Configure node information for Keld"));
}

TEST(MainLoop, UpAndDownWrapAndSkipTheSeparator) {
  MenuRig rig;
  rig.console.Type("2222");  // 1 -> 2 -> 3 -> 4 -> 6
  rig.console.Key(key::kEscape);
  rig.Run();
  EXPECT_TRUE(MarkerAt(rig, kMainMarkerCol, 6));
  EXPECT_EQ(Trimmed(rig.Row(24)), DescriptionRow("Exit KeldCfg"));
  EXPECT_EQ(rig.Row(7).substr(2, 2), "  ");  // the old marker is erased

  MenuRig up;
  up.console.Extended(key::kUp);  // 1 -> 6
  up.console.Extended(key::kUp);  // 6 -> 4 over the separator
  up.console.Key(key::kEscape);
  up.Run();
  EXPECT_TRUE(MarkerAt(up, kMainMarkerCol, 4));
  EXPECT_EQ(Trimmed(up.Row(24)),
            DescriptionRow("Set your GSZ path or disable in game downloading of the RIP pack"));

  MenuRig wrap;
  wrap.console.Type("8");             // 1 -> 6
  wrap.console.Extended(key::kDown);  // 6 -> 1
  wrap.console.Type("z");             // not a hot key of the tab: ignored
  wrap.console.Key(key::kEscape);
  wrap.Run();
  EXPECT_TRUE(MarkerAt(wrap, kMainMarkerCol, 1));
}

TEST(MainLoop, LeftAndRightChangeTabAndSelectItsFirstItem) {
  MenuRig rig;
  rig.console.Type("22");             // Main item 3
  rig.console.Extended(key::kLeft);   // Main -> Editors
  rig.console.Type("2");              // Editors item 2
  rig.console.Extended(key::kRight);  // Editors -> Main
  rig.console.Key(key::kEscape);
  rig.Run();
  ASSERT_EQ(rig.console.shown.size(), 8u);
  // Editors, shown when "2" was read, with its first item selected.
  const std::string& editors = rig.console.shown[4];
  EXPECT_EQ(DumpRow(editors, 3).find('\xD5'), 63u);
  EXPECT_EQ(DumpRow(editors, 4).substr(64, 2), "=>");
  EXPECT_EQ(DumpRow(editors, 24), DescriptionRow("Player Editor"));
  // Back on Main at item 1, not at item 3.
  EXPECT_TRUE(MarkerAt(rig, kMainMarkerCol, 1));
  EXPECT_EQ(rig.Row(1).substr(9, 6), " Main ");
}

TEST(MainLoop, TheDigitsFourAndSixWalkThroughEveryTab) {
  MenuRig rig;
  rig.console.Type("6666");  // Main -> Tournament -> Game Options -> Misc -> Editors
  rig.console.Type("6");     // Editors -> Main
  rig.console.Type("4");     // Main -> Editors
  rig.console.Key(key::kEscape);
  rig.Run();
  // Each tab's box has its own column: the corner on row 3 tells which
  // tab is open.
  const size_t box_cols[] = {10, 20, 41, 64, 2, 64};
  ASSERT_EQ(rig.console.shown.size(), 7u);
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(DumpRow(rig.console.shown[i + 1], 3).find('\xD5'), box_cols[i] - 1) << i;
    EXPECT_EQ(DumpRow(rig.console.shown[i + 1], 4).substr(box_cols[i], 2), "=>") << i;
  }
  EXPECT_TRUE(MarkerAt(rig, kEditorsMarkerCol, 1));
}

TEST(MainLoop, EscapeInAnyTabEndsTheLoopWithoutRunningAnAction) {
  for (int tab = 1; tab <= 5; ++tab) {
    MenuRig rig;
    for (int i = 1; i < tab; ++i) rig.console.Extended(key::kRight);
    rig.console.Type("2222");  // an item that would open a prompt if run
    rig.console.Key(key::kEscape);
    rig.Run();
    EXPECT_FALSE(rig.run.SettingsChanged) << tab;
    EXPECT_EQ(rig.run.Settings.raw, shell::DefaultSettings().raw) << tab;
  }
}

TEST(MainLoop, ChoosingExitEndsTheLoop) {
  MenuRig rig;
  rig.console.Type("x");
  rig.Run();
  MenuRig enter;
  enter.console.Type("8\r");
  enter.Run();
}

TEST(MainLoop, AMenuPosBeyondTheCountSelectsTheLastItem) {
  MenuRig rig;
  rig.ui.MenuPos = 20;
  rig.console.Key(key::kEnter);  // Exit, the last item of Main
  rig.Run();
  EXPECT_TRUE(MarkerAt(rig, kMainMarkerCol, 6));
}

TEST(MainLoop, AfterAnActionTheSameItemIsSelectedAgain) {
  MenuRig rig;
  rig.console.Extended(key::kLeft);
  rig.console.Extended(key::kLeft);  // Misc
  rig.console.Type("22\r");          // "~Intro ansis are " flips at once
  rig.console.Key(key::kEscape);
  rig.Run();
  EXPECT_FALSE(rig.run.IntroAnsi);
  // Misc: box at column 41, 27 wide; item 3 on row 6.
  EXPECT_EQ(rig.Row(6).substr(40, 33),
            "\xB3=> Intro ansis are Off." + std::string(8, ' ') + "\xB3");
  EXPECT_EQ(Trimmed(rig.Row(24)), DescriptionRow("Turn intro ANSIs on or off"));
}

TEST(MainLoop, TheDescriptionRowFollowsTheSelection) {
  MenuRig rig;
  rig.console.Type("66");  // Game Options
  for (int i = 0; i < 11; ++i) rig.console.Extended(key::kDown);
  rig.console.Key(key::kEscape);
  rig.Run();
  const char* descriptions[] = {
      "Days until an inactive player gets deleted (0 = never)",
      "Multinode support on or off? (check the docs for more info)",
      "How many forest fights per day?",
      "How many human fights per day?",
      "Clean mode off or on? Turn on to disable \"getting laid\"",
      "Enable to allow players to transfer gold to one another",
      "Max amount of gold a player could transfer at a time",
      "Max times per day a player can transfer gold (0 = unlimited)",
      "Enable or disable the NPC chatter in the inns",
      "How many times must a player kill the dragon to win? (0 = unlimited)",
      "How many times can a player be resurrected? (0 = unlimited)",
  };
  // Screens 3, 5, 7, ...: before each Down (an extended key is two reads).
  ASSERT_EQ(rig.console.shown.size(), 2u + 2 * 11 + 1);
  for (int item = 1; item <= 11; ++item) {
    const std::string& screen = rig.console.shown[static_cast<size_t>(2 * item)];
    EXPECT_EQ(DumpRow(screen, 24), DescriptionRow(descriptions[item - 1])) << item;
    EXPECT_EQ(DumpRow(screen, 3 + item).substr(kOptionsMarkerCol - 1, 2), "=>") << item;
  }
  // Down from the last item wrapped to the first.
  EXPECT_TRUE(MarkerAt(rig, kOptionsMarkerCol, 1));
  EXPECT_EQ(Trimmed(rig.Row(24)), DescriptionRow(descriptions[0]));
}

TEST(MainLoop, HotKeysChooseAtOnceAndTheUpArrowIsNotH) {
  MenuRig rig;
  rig.console.Type("66");          // Game Options, item 1 selected
  rig.console.Extended(key::kUp);  // scan code "H": moves to item 11
  rig.console.Type("h");           // Human fights
  rig.console.Type("7\r");
  rig.console.Key(key::kEscape);
  rig.Run();
  EXPECT_EQ(rig.run.Settings.HumanFights, 7);
  EXPECT_TRUE(rig.Showed("Number of player fights per day"));
  // Chosen by its hot key, the item stays selected afterwards.
  EXPECT_TRUE(MarkerAt(rig, kOptionsMarkerCol, 4));
  EXPECT_EQ(rig.Row(7).substr(kOptionsTextCol - 1, 29), "Human fights per day      : 7");
}

TEST(MainLoop, TournamentModeFlipsAtOnce) {
  MenuRig rig;
  rig.console.Type("6t");
  rig.console.Type("t");
  rig.console.Type("t");
  rig.console.Key(key::kEscape);
  rig.Run();
  EXPECT_TRUE(rig.run.Tournament.Enabled);
  ASSERT_EQ(rig.console.shown.size(), 5u);
  EXPECT_NE(rig.console.shown[1].find("Tournament Mode: Off."), std::string::npos);
  EXPECT_NE(rig.console.shown[2].find("Tournament Mode: On."), std::string::npos);
  EXPECT_NE(rig.console.shown[3].find("Tournament Mode: Off."), std::string::npos);
  EXPECT_EQ(rig.Row(4).substr(9, 28), "\xB3=> Tournament Mode: On.    ");
}

TEST(MainLoop, KeysFromARemoteCallerDoNotReachTheMenu) {
  MenuRig rig;
  testsupport::CapturePort& port = testsupport::MakeRemote(rig.door);
  for (char c : std::string("6x\r")) port.incoming.push_back(static_cast<uint8_t>(c));
  rig.console.Type("2");
  rig.console.Key(key::kEscape);
  rig.Run();
  EXPECT_EQ(port.incoming.size(), 3u);
  EXPECT_TRUE(MarkerAt(rig, kMainMarkerCol, 2));
}

// RunTabMenu on a tab of its own making.
struct TabRig {
  testsupport::Rig rig;
  shell::TabMenu tab;
  int current = 3;

  TabRig(uint8_t box_col, std::vector<std::string> texts) {
    tab.BoxCol = box_col;
    tab.BoxRow = 1;
    tab.TitleCol = 30;
    tab.TitleRow = 1;
    tab.Title = "Test";
    for (const auto& text : texts) {
      shell::TabItem item;
      item.Separator = text.empty();
      item.Text = text;
      size_t at = text.find('~');
      item.Hotkey = at != std::string::npos ? static_cast<char>(std::toupper(text[at + 1])) : 0;
      item.Description = "About " + text;
      tab.Add(item);
    }
  }
  int16_t Run(int16_t menu_pos) {
    rig.ui.MenuPos = menu_pos;
    return shell::RunTabMenu(rig.ui, tab, 2, current, 9);
  }
};

TEST(RunTabMenu, ABoxThatWouldPassColumnEightyMovesLeft) {
  TabRig t(70, {"~Alpha", "~Bravo"});
  t.rig.console.Key(key::kEnter);
  EXPECT_EQ(t.Run(-1), 1);
  // w = 6; 70 + 6 + 5 is past 79, so the box starts at 75 - 6 = 69 and its
  // right border is on column 80.
  EXPECT_EQ(t.rig.Row(3).substr(68, 12), "\xD5" + std::string(10, '\xCD') + "\xB8");
  EXPECT_EQ(t.rig.Row(4).substr(68, 12), "\xB3=> Alpha  \xB3");
  EXPECT_EQ(t.rig.Row(1).substr(28, 6), " Test ");
  EXPECT_EQ(t.rig.AttrAt(29, 1), 0x2F);  // white on the given background

  TabRig stays(68, {"~Alpha"});  // 68 + 6 + 5 = 79: where it was put
  stays.rig.console.Key(key::kEnter);
  stays.Run(-1);
  EXPECT_EQ(stays.rig.Row(3).substr(67, 1), "\xD5");
}

TEST(RunTabMenu, TheSelectionNeverRestsOnASeparator) {
  TabRig t(2, {"~One", "~Two", "", "", "~Five", ""});
  t.rig.console.Key(key::kEnter);
  EXPECT_EQ(t.Run(4), 2);  // a separator as start moves up
  t.rig.console.Key(key::kEnter);
  EXPECT_EQ(t.Run(40), 5);  // beyond the count: the last, then up
  t.rig.console.Type("2\r");
  EXPECT_EQ(t.Run(2), 5);
  EXPECT_EQ(t.rig.ui.MenuPos, 5);
  t.rig.console.Key(key::kEnter);
  EXPECT_EQ(t.Run(-7), 1);
}

TEST(RunTabMenu, ResultsOfTabChangesEscapeAndHotKeys) {
  TabRig t(2, {"~One", "T~wo", "~Three"});
  t.rig.console.Extended(key::kLeft);
  EXPECT_EQ(t.Run(2), shell::kTabLeft);
  EXPECT_EQ(t.rig.ui.MenuPos, -1);
  t.rig.console.Type("6");
  EXPECT_EQ(t.Run(2), shell::kTabRight);
  EXPECT_EQ(t.rig.ui.MenuPos, -1);
  t.rig.console.Type("w");
  EXPECT_EQ(t.Run(3), 2);
  EXPECT_EQ(t.rig.ui.MenuPos, 2);
  EXPECT_EQ(t.current, 3);
  t.rig.console.Type("8");
  t.rig.console.Key(key::kEscape);
  EXPECT_EQ(t.Run(3), 9);  // the Main tab's count, whatever this tab holds
  EXPECT_EQ(t.current, 1);
  EXPECT_EQ(t.rig.ui.MenuPos, 2);
}

}  // namespace
