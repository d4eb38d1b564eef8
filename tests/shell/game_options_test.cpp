#include "shell/game_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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

TEST(GameOptionsTab, ShowsTheValuesAndNoLimitForZero) {
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

  o.OnTheTab("d0\rp0\rw0\rl5\rmf");
  EXPECT_EQ(o.Shown(1), "Deletion Grace Period     : No limit");
  EXPECT_EQ(o.Shown(8), "Max transfer per day      : No limit");
  EXPECT_EQ(o.Shown(10), "Deeds needed to win game  : No limit");
  EXPECT_EQ(o.Shown(11), "Player resurrection limit : 5");
  EXPECT_EQ(o.rig.Row(5).substr(20, 2), "=>");  // the last item chosen stays selected
}

TEST(GameOptionsTab, CleanModeAlwaysAsksFromOnAndStoresFiveOrZero) {
  OptionsRig o;
  o.Edit(5, "f");  // already off: still stored as 0, and counted as a change
  EXPECT_EQ(o.run.Settings.CleanMode, 0);
  EXPECT_TRUE(o.run.SettingsChanged);
  EXPECT_NE(o.rig.Row(12).find("Clean mode?"), std::string::npos);
  o.Edit(5, "\r");  // starts on On even when clean mode is on
  EXPECT_EQ(o.run.Settings.CleanMode, 5);
  EXPECT_NE(o.rig.Row(14).find("-On -"), std::string::npos);
  o.rig.console.Type(kRight);
  o.Edit(5, "\r");
  EXPECT_EQ(o.run.Settings.CleanMode, 0);
}

TEST(GameOptionsTab, SwitchQuestionsStartAtTheCurrentValue) {
  struct Switch {
    int item;
    const char* prompt;
    bool& (*value)(shell::RunState&);
  };
  const Switch switches[] = {
      {2, "Multinode support?", [](shell::RunState& r) -> bool& { return r.Settings.Multinode; }},
      {9, "NPC Chatter is..", [](shell::RunState& r) -> bool& { return r.NpcChatter; }},
  };
  for (const Switch& s : switches) {
    OptionsRig o;
    o.Edit(s.item, "f");
    EXPECT_FALSE(s.value(o.run)) << s.item;
    EXPECT_NE(o.rig.Row(12).find("\xBA " + std::string(s.prompt) + " \xBA"), std::string::npos);
    o.Edit(s.item, "\r");  // now it starts at Off
    EXPECT_FALSE(s.value(o.run)) << s.item;
    EXPECT_NE(o.rig.Row(14).find("-Off-"), std::string::npos) << s.item;
    o.Edit(s.item, "N");
    EXPECT_TRUE(s.value(o.run)) << s.item;
    // The NPC chatter switch lives in its flag file, not in KELD.DAT.
    EXPECT_EQ(o.run.SettingsChanged, s.item != 9) << s.item;
  }
}

TEST(GameOptionsTab, NumberPromptsHaveTheirTitleAndRange) {
  using R = shell::RunState;
  struct NumberItem {
    int item;
    std::string title;
    int32_t max;
    int32_t (*value)(const R&);
  };
  const NumberItem items[] = {
      {1, "Grace Period", 180, [](const R& r) { return r.Settings.GracePeriodDays; }},
      {3, "Number of forest fights per day", 32000,
       [](const R& r) { return r.Settings.ForestFights; }},
      {7, "The limit on bank transfers", 2000000000,
       [](const R& r) { return r.Settings.MaxTransferGold; }},
      {10, "Number of times dragon must die to win", 100,
       [](const R& r) -> int32_t { return r.DeedsToWin; }},
      {11, "Number of times player can be resurrected ", 100,
       [](const R& r) -> int32_t { return r.Settings.ResurrectionLimit; }},
  };
  for (const NumberItem& n : items) {
    OptionsRig o;
    int32_t before = n.value(o.run);
    std::string max = std::to_string(n.max);
    // Above the maximum starts the field again with the value it had.
    o.Edit(n.item, std::to_string(int64_t{n.max} + 1) + "\r\r");
    EXPECT_EQ(n.value(o.run), before) << n.item;
    o.Edit(n.item, max + "\r");
    EXPECT_EQ(n.value(o.run), n.max) << n.item;
    EXPECT_NE(o.rig.Row(10).find(n.title), std::string::npos) << n.item;
    EXPECT_NE(o.rig.Row(12).find(" 0 to " + max + " "), std::string::npos) << n.item;
    // The deeds needed to win live in WINGAME.DAT, not in KELD.DAT.
    EXPECT_EQ(o.run.SettingsChanged, n.item != 10) << n.item;
  }
  // The trailing blank of the resurrection title widens its frame.
  OptionsRig o;
  o.Edit(11, "\r");
  EXPECT_EQ(o.rig.Row(10).substr(18, 46), "\xBA Number of times player can be resurrected  \xBA");
}

TEST(SettingsFile, EditsReachTheirPlacesAndTheFileKeepsItsPermissions) {
  OptionsRig o;
  std::vector<uint8_t> random = testsupport::RandomBytes(629, 21);
  std::string bytes(random.begin(), random.end());
  bytes[166] = 7;  // a true byte other than 1
  o.dir.Write("KELD.DAT", bytes + "a longer file is accepted");
  fs::permissions(o.dir.File("KELD.DAT"), fs::perms::owner_read | fs::perms::owner_write |
                                              fs::perms::group_read | fs::perms::others_read);
  const fs::perms access = fs::status(o.dir.File("KELD.DAT")).permissions();
  shell::LoadSettings(o.rig.ui, o.run);  // no error screen: it would wait for a key
  for (auto [item, keys] : {std::pair{1, "42\r"},
                            {2, "f"},
                            {3, "321\r"},
                            {4, "17\r"},
                            {5, "n"},
                            {6, "n"},
                            {7, "123456789\r"},
                            {8, "99\r"},
                            {11, "7\r"}})
    o.Edit(item, keys);
  shell::SaveSettings(o.run);
  std::string expected = WithInt<int32_t>(bytes, 179, 42);
  expected[161] = 0;
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

TEST(SettingsFile, AShortOrMissingFileShowsTheErrorScreenAndAWritesTheDefaults) {
  for (int size : {-1, 628}) {
    OptionsRig o;
    if (size >= 0) o.dir.Write("KELD.DAT", std::string(static_cast<size_t>(size), '\x03'));
    o.rig.console.Type("xbA");  // other keys than A and C are ignored
    shell::LoadSettings(o.rig.ui, o.run);
    EXPECT_EQ(o.rig.console.PendingKeys(), 0u) << size;
    EXPECT_EQ(o.dir.Read("KELD.DAT"), DefaultSettingsFile()) << size;
    EXPECT_EQ(o.run.Settings.ForestFights, 15) << size;
    if (size != 628) continue;
    EXPECT_EQ(Trimmed(o.rig.Row(3)), "  ** ERROR READING THE KELD.DAT FILE **");
    EXPECT_EQ(Trimmed(o.rig.Row(12)), "  (A) Create a NEW KELD.DAT file with defaults");
    EXPECT_EQ(Trimmed(o.rig.Row(13)), "  (C) Drop to Dos, and forget the whole thing");
    EXPECT_EQ(o.rig.AttrAt(4, 12), 0x0A);
    EXPECT_EQ(o.rig.AttrAt(7, 12), 0x0F);
    EXPECT_EQ(o.rig.console.screen().WhereY(), 15);
    // The file written by choice A starts the next run quietly.
    Rig next;
    shell::LoadSettings(next.ui, o.run);
    EXPECT_FALSE(next.ScreenHas("ERROR READING"));
  }
}

}  // namespace
