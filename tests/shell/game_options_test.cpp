#include "shell/game_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "editors/editor_files.h"
#include "shell/main_loop.h"
#include "shell/settings_file.h"
#include "support/key_names.h"
#include "support/rig.h"

namespace {

using editors_test::WithInt;
using testsupport::Rig;
using testsupport::TempDir;
namespace fs = std::filesystem;
using namespace testsupport::keys;

std::string Trimmed(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

// A new KELD.DAT, byte by byte: zeros but for "NO WINNER" and the defaults.
std::string DefaultSettingsFile() {
  std::string b = editors_test::WithString(std::string(629, '\0'), 14, 146, "NO WINNER");
  b[161] = b[166] = 1;  // multinode, transferring gold
  b = WithInt<int32_t>(b, 167, 100000);
  b = WithInt<int32_t>(b, 171, 3);   // human fights
  b = WithInt<int32_t>(b, 179, 15);  // grace period
  b = WithInt<int32_t>(b, 367, 15);  // forest fights
  b[627] = 3;                        // transfers per day
  return b;
}

struct OptionsRig {
  Rig rig;
  TempDir dir;
  shell::RunState run;

  OptionsRig() { run.GameDir = dir.path(); }

  // Opens the Game Options tab, types `keys`, and leaves with Escape.
  void OnTheTab(const std::string& keys) {
    rig.console.Type("66" + keys + kEsc);
    shell::RunMainLoop(rig.ui, run);
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << rig.console.Dump();
  }
  // The text of Game Options item n (box at column 20), up to its border.
  std::string Shown(int n) const {
    std::string text = rig.Row(3 + n).substr(23, 40);
    return Trimmed(text.substr(0, text.find('\xB3')));
  }
  void Edit(int item, const std::string& keys) {
    rig.console.Type(keys);
    shell::EditGameOption(rig.ui, run, item);
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << item;
  }
};

TEST(GameOptionsTab, ShowsTheValuesAndSwitchQuestionsStartAtTheValueButCleanModeAtOn) {
  OptionsRig o;
  o.OnTheTab("");
  const char* shown[] = {"Deletion Grace Period     : 15",      "Multinode Support         : On.",
                         "Forest Fights per day     : 15",      "Human fights per day      : 3",
                         "Clean mode                : Off.",    "Transfering gold is       : On.",
                         "Max transfer amount       : 100000",  "Max transfer per day      : 3",
                         "NPC chatter               : On.",     "Deeds needed to win game  : 10",
                         "Player resurrection limit : No limit"};
  for (int n = 1; n <= 11; ++n) EXPECT_EQ(o.Shown(n), shown[n - 1]);
  EXPECT_EQ(o.rig.AttrAt(24 + 13, 10), 0x0F);  // the hot key "a" of "amount" in white
  o.Edit(9, "f");  // the NPC chatter switch lives in its flag file, not in KELD.DAT
  EXPECT_FALSE(o.run.NpcChatter);
  EXPECT_FALSE(o.run.SettingsChanged);
  EXPECT_NE(o.rig.Row(12).find("\xBA NPC Chatter is.. \xBA"), std::string::npos);

  o.OnTheTab("p0\rmf");
  EXPECT_EQ(o.Shown(8), "Max transfer per day      : No limit");
  EXPECT_EQ(o.rig.Row(5).substr(20, 2), "=>");  // the last item chosen stays selected
  o.Edit(2, "\r");  // multinode is off now, and the question starts there
  EXPECT_FALSE(o.run.Settings.Multinode);
  EXPECT_NE(o.rig.Row(14).find("-Off-"), std::string::npos);
  o.Edit(5, "\r");  // clean mode is off, and yet the question starts on On
  EXPECT_EQ(o.run.Settings.CleanMode, 5);
  EXPECT_NE(o.rig.Row(12).find("\xBA Clean mode? \xBA"), std::string::npos);
  EXPECT_NE(o.rig.Row(14).find("-On -"), std::string::npos);
  o.Edit(5, "f");
  EXPECT_EQ(o.run.Settings.CleanMode, 0);
}

// Each number item: its title, its range, where the answer goes, and how
// the tab shows it (zero as no limit where zero means none).
TEST(GameOptionsTab, NumberPromptsHaveTheirTitleAndRange) {
  const std::tuple<int, const char*, int32_t, const char*, const char*> items[] = {
      {1, "Grace Period", 180, "0", "No limit"},
      {3, "Number of forest fights per day", 32000, "0", "0"},
      {7, "The limit on bank transfers", 2000000000, "2000000000", "2000000000"},
      {10, "Number of times dragon must die to win", 100, "0", "No limit"},
      {11, "Number of times player can be resurrected ", 100, "5", "5"}};
  for (auto [item, title, max, typed, shown] : items) {
    OptionsRig o;
    o.Edit(item, std::string(typed) + "\r");
    EXPECT_NE(o.rig.Row(10).find(title), std::string::npos) << item;
    EXPECT_NE(o.rig.Row(12).find(" 0 to " + std::to_string(max) + " "), std::string::npos) << item;
    // The deeds needed to win live in WINGAME.DAT, not in KELD.DAT.
    EXPECT_EQ(o.run.SettingsChanged, item != 10) << item;
    o.OnTheTab("");
    EXPECT_EQ(o.Shown(item).substr(28), shown) << item;
  }
  // The trailing blank of the resurrection title widens its frame.
  OptionsRig o;
  o.Edit(11, "\r");
  EXPECT_EQ(o.rig.Row(10).substr(18, 46), "\xBA Number of times player can be resurrected  \xBA");
}

// A short file shows the error screen, whose A writes the defaults; edits
// then reach their places, and the file keeps its permission bits.
TEST(SettingsFile, AShortFileGetsTheDefaultsAndEditsReachTheirPlaces) {
  OptionsRig o;
  o.dir.Write("KELD.DAT", std::string(628, '\x03'));
  fs::permissions(o.dir.File("KELD.DAT"),
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const fs::perms access = fs::status(o.dir.File("KELD.DAT")).permissions();
  o.rig.console.Type("xbA");  // other keys than A and C are ignored
  shell::LoadSettings(o.rig.ui, o.run);
  EXPECT_EQ(o.rig.console.PendingKeys(), 0u);
  EXPECT_EQ(Trimmed(o.rig.Row(12)), "  (A) Create a NEW KELD.DAT file with defaults");
  EXPECT_EQ(Trimmed(o.rig.Row(13)), "  (C) Drop to Dos, and forget the whole thing");
  EXPECT_EQ(o.rig.AttrAt(4, 12), 0x0A);
  std::string expected = DefaultSettingsFile();
  EXPECT_EQ(o.dir.Read("KELD.DAT"), expected);

  o.OnTheTab("d42\rmff321\rh17\rcntfa123456789\rp99\rl7\r");  // by the items' hot keys
  shell::SaveSettings(o.run);
  expected = WithInt<int32_t>(expected, 179, 42);
  expected[161] = expected[166] = 0;
  expected = WithInt<int32_t>(expected, 367, 321);
  expected = WithInt<int32_t>(expected, 171, 17);
  expected[366] = 5;
  expected = WithInt<int32_t>(expected, 167, 123456789);
  expected[627] = 99;
  expected[628] = 7;
  EXPECT_EQ(editors_test::Difference(o.dir.Read("KELD.DAT"), expected), "");
  EXPECT_EQ(fs::status(o.dir.File("KELD.DAT")).permissions(), access);
  EXPECT_EQ(o.dir.Snapshot().find(".TMP"), std::string::npos);
}

}  // namespace
