#include "shell/game_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/keys.h"
#include "platform/record_bytes.h"
#include "shell/keldcfg.h"
#include "shell/main_loop.h"
#include "shell/run_state.h"
#include "shell/settings_file.h"
#include "shell/settings_record.h"
#include "support/rig.h"

namespace {

using testsupport::Rig;
using testsupport::TempDir;
namespace key = platform::key;

std::string Trimmed(std::string s) {
  s.erase(s.find_last_not_of(' ') + 1);
  return s;
}

struct OptionsRig {
  Rig rig;
  TempDir dir;
  shell::RunState run;

  OptionsRig() { run.GameDir = dir.path(); }

  // Opens the Game Options tab, types `keys`, and leaves with Escape.
  void OnTheTab(const std::string& keys) {
    rig.console.Type("66");
    rig.console.Type(keys);
    rig.console.Key(key::kEscape);
    shell::RunMainLoop(rig.ui, run);
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << rig.console.Dump();
  }
  // The visible text of Game Options item n (box at column 20).
  std::string ItemText(int n) const { return Trimmed(rig.Row(3 + n).substr(23, 40)); }

  void Edit(int item, const std::string& keys) {
    rig.console.Type(keys);
    shell::EditGameOption(rig.ui, run, item);
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << item;
  }
};

// What the tab shows right after a right border: the text before " " + "│".
std::string Shown(const OptionsRig& o, int n) {
  std::string text = o.ItemText(n);
  return Trimmed(text.substr(0, text.find('\xB3')));
}

TEST(GameOptionsTab, TheDefaultRecordShowsItsValues) {
  OptionsRig o;
  o.OnTheTab("");
  EXPECT_EQ(Shown(o, 1), "Deletion Grace Period     : 15");
  EXPECT_EQ(Shown(o, 2), "Multinode Support         : On.");
  EXPECT_EQ(Shown(o, 3), "Forest Fights per day     : 15");
  EXPECT_EQ(Shown(o, 4), "Human fights per day      : 3");
  EXPECT_EQ(Shown(o, 5), "Clean mode                : Off.");
  EXPECT_EQ(Shown(o, 6), "Transfering gold is       : On.");
  EXPECT_EQ(Shown(o, 7), "Max transfer amount       : 100000");
  EXPECT_EQ(Shown(o, 8), "Max transfer per day      : 3");
  EXPECT_EQ(Shown(o, 9), "NPC chatter               : On.");
  EXPECT_EQ(Shown(o, 10), "Deeds needed to win game  : 10");
  EXPECT_EQ(Shown(o, 11), "Player resurrection limit : No limit");
  // The hot-key letters in white, wherever they sit in the text.
  EXPECT_EQ(o.rig.AttrAt(24, 4), 0x0F);        // D
  EXPECT_EQ(o.rig.AttrAt(24 + 13, 10), 0x0F);  // the a of "amount"
  EXPECT_EQ(o.rig.AttrAt(24 + 1, 14), 0x0F);   // the l of "Player"
  EXPECT_EQ(o.rig.AttrAt(24, 14), 0x07);
}

TEST(GameOptionsTab, ZeroShowsAsNoLimitAndValuesShowAfterTheirPrompt) {
  OptionsRig o;
  o.OnTheTab("d0\rp0\rw0\rl5\ra2000000000\rf32000\rmf");
  EXPECT_EQ(Shown(o, 1), "Deletion Grace Period     : No limit");
  EXPECT_EQ(Shown(o, 2), "Multinode Support         : Off.");
  EXPECT_EQ(Shown(o, 3), "Forest Fights per day     : 32000");
  EXPECT_EQ(Shown(o, 7), "Max transfer amount       : 2000000000");
  EXPECT_EQ(Shown(o, 8), "Max transfer per day      : No limit");
  EXPECT_EQ(Shown(o, 10), "Deeds needed to win game  : No limit");
  EXPECT_EQ(Shown(o, 11), "Player resurrection limit : 5");
  // The last item chosen stays selected.
  EXPECT_EQ(o.rig.Row(5).substr(20, 2), "=>");
}

TEST(GameOptionsTab, CleanModeAlwaysAsksFromOnAndStoresFiveOrZero) {
  OptionsRig o;
  o.Edit(5, "f");  // already off: still stored as 0, and counted as a change
  EXPECT_EQ(o.run.Settings.CleanMode, 0);
  EXPECT_TRUE(o.run.SettingsChanged);
  o.Edit(5, "\r");
  EXPECT_EQ(o.run.Settings.CleanMode, 5);
  EXPECT_NE(o.rig.Row(14).find("-On -"), std::string::npos);
  o.Edit(5, "\r");  // starts on On even when clean mode is on
  EXPECT_EQ(o.run.Settings.CleanMode, 5);
  o.rig.console.Extended(key::kRight);
  o.Edit(5, "\r");
  EXPECT_EQ(o.run.Settings.CleanMode, 0);
  o.run.Settings.CleanMode = 0;
  o.Edit(5, "n");
  EXPECT_EQ(o.run.Settings.CleanMode, 5);
  EXPECT_NE(o.rig.Row(12).find("Clean mode?"), std::string::npos);
}

TEST(GameOptionsTab, SwitchQuestionsStartAtTheCurrentValue) {
  struct Switch {
    int item;
    const char* prompt;
    bool shell::RunState::*run_flag;
    bool shell::SettingsRecord::*settings_flag;
  };
  const Switch switches[] = {
      {2, "Multinode support?", nullptr, &shell::SettingsRecord::Multinode},
      {6, "Transfering funds is", nullptr, &shell::SettingsRecord::TransferAllowed},
      {9, "NPC Chatter is..", &shell::RunState::NpcChatter, nullptr},
  };
  for (const Switch& s : switches) {
    OptionsRig o;
    auto value = [&]() -> bool& {
      return s.run_flag != nullptr ? o.run.*s.run_flag : o.run.Settings.*s.settings_flag;
    };
    o.Edit(s.item, "\r");
    EXPECT_TRUE(value()) << s.item;
    EXPECT_NE(o.rig.Row(12).find("\xBA " + std::string(s.prompt) + " \xBA"), std::string::npos)
        << s.item;
    o.Edit(s.item, "f");
    EXPECT_FALSE(value()) << s.item;
    o.Edit(s.item, "\r");  // now it starts at Off
    EXPECT_FALSE(value()) << s.item;
    EXPECT_NE(o.rig.Row(14).find("-Off-"), std::string::npos) << s.item;
    o.Edit(s.item, "N");
    EXPECT_TRUE(value()) << s.item;
  }
}

struct NumberItem {
  int item;
  std::string title;
  int32_t max;
};

const NumberItem kNumberItems[] = {
    {1, "Grace Period", 180},
    {3, "Number of forest fights per day", 32000},
    {4, "Number of player fights per day", 1000},
    {7, "The limit on bank transfers", 2000000000},
    {8, "Max times per day a player can transfer gold", 100},
    {10, "Number of times dragon must die to win", 100},
    {11, "Number of times player can be resurrected ", 100},
};

int32_t NumberValue(const shell::RunState& run, int item) {
  const shell::SettingsRecord& s = run.Settings;
  switch (item) {
    case 1:
      return s.GracePeriodDays;
    case 3:
      return s.ForestFights;
    case 4:
      return s.HumanFights;
    case 7:
      return s.MaxTransferGold;
    case 8:
      return s.MaxTransfersPerDay;
    case 10:
      return run.DeedsToWin;
    default:
      return s.ResurrectionLimit;
  }
}

TEST(GameOptionsTab, NumberPromptsHaveTheirTitleAndRange) {
  for (const NumberItem& n : kNumberItems) {
    OptionsRig o;
    int32_t before = NumberValue(o.run, n.item);
    std::string max = std::to_string(n.max);
    std::string above = std::to_string(int64_t{n.max} + 1);
    // Above the maximum starts the field again with the value it had.
    o.Edit(n.item, above + "\r\r");
    EXPECT_EQ(NumberValue(o.run, n.item), before) << n.item;
    o.Edit(n.item, max + "\r");
    EXPECT_EQ(NumberValue(o.run, n.item), n.max) << n.item;
    o.Edit(n.item, "0\r");
    EXPECT_EQ(NumberValue(o.run, n.item), 0) << n.item;

    EXPECT_NE(o.rig.Row(10).find(n.title), std::string::npos) << n.item;
    EXPECT_NE(o.rig.Row(12).find(" 0 to " + max + " "), std::string::npos) << n.item;
  }
}

TEST(GameOptionsTab, TheResurrectionTitleKeepsItsTrailingBlank) {
  OptionsRig o;
  o.Edit(11, "\r");
  // The 42-character title sets the width: the frame runs from column 19
  // to column 64.
  EXPECT_EQ(o.rig.Row(9).substr(18, 46), "\xC9" + std::string(44, '\xCD') + "\xBB");
  EXPECT_EQ(o.rig.Row(10).substr(18, 46), "\xBA Number of times player can be resurrected  \xBA");
}

TEST(GameOptionsTab, OnlyNpcChatterAndDeedsLeaveTheSettingsUnchangedFlag) {
  for (int item = 1; item <= 11; ++item) {
    OptionsRig o;
    o.Edit(item, "\r");  // keeps the value (or the selected answer)
    bool expected = item != 9 && item != 10;
    EXPECT_EQ(o.run.SettingsChanged, expected) << item;
  }
  OptionsRig o;
  o.Edit(9, "f");
  o.Edit(10, "3\r");
  EXPECT_FALSE(o.run.NpcChatter);
  EXPECT_EQ(o.run.DeedsToWin, 3);
  EXPECT_FALSE(o.run.SettingsChanged);
  EXPECT_EQ(o.run.Settings.raw, shell::DefaultSettings().raw);
}

std::string SettingsBytes(const shell::SettingsRecord& record) {
  return std::string(record.raw.begin(), record.raw.end());
}

TEST(GameOptionsTab, EditsReachTheirPlacesInTheFileAndNothingElseChanges) {
  OptionsRig o;
  std::vector<uint8_t> bytes = testsupport::RandomBytes(629, 21);
  bytes[366] = 0;  // clean mode off
  o.dir.Write("KELD.DAT", bytes);
  shell::LoadSettings(o.rig.ui, o.run);
  o.Edit(1, "42\r");
  o.Edit(2, "f");
  o.Edit(3, "321\r");
  o.Edit(4, "17\r");
  o.Edit(5, "n");
  o.Edit(6, "n");
  o.Edit(7, "123456789\r");
  o.Edit(8, "99\r");
  o.Edit(11, "7\r");
  shell::SaveSettings(o.run);
  std::string saved = o.dir.Read("KELD.DAT");
  ASSERT_EQ(saved.size(), 629u);
  std::vector<uint8_t> expected = bytes;
  auto put32 = [&](size_t at, int32_t v) {
    platform::PutLE<int32_t>(std::span<uint8_t>(expected), at, v);
  };
  put32(179, 42);
  expected[161] = 0;
  put32(367, 321);
  put32(171, 17);
  expected[366] = 5;
  if (expected[166] == 0) expected[166] = 1;  // a true byte other than 1 stays
  put32(167, 123456789);
  expected[627] = 99;
  expected[628] = 7;
  EXPECT_EQ(saved, std::string(expected.begin(), expected.end()));
}

TEST(SettingsFile, AFileOfAWholeRecordOrMoreLoadsWithoutTheErrorScreen) {
  for (size_t size : {629u, 630u, 2000u}) {
    OptionsRig o;
    shell::SettingsRecord record = shell::DefaultSettings();
    record.ForestFights = 77;
    platform::EncodeFields(record);
    std::string bytes = SettingsBytes(record) + std::string(size - 629, '\x09');
    o.dir.Write("KELD.DAT", bytes);
    o.rig.console.Type("a");  // would be taken by an error screen
    shell::LoadSettings(o.rig.ui, o.run);
    EXPECT_EQ(o.rig.console.PendingKeys(), 1u) << size;
    EXPECT_FALSE(o.rig.ScreenHas("ERROR READING")) << size;
    EXPECT_EQ(o.run.Settings.ForestFights, 77) << size;
    EXPECT_EQ(o.dir.Read("KELD.DAT"), bytes) << size;  // loading writes nothing
  }
}

TEST(SettingsFile, AShortOrMissingFileShowsTheErrorScreen) {
  for (int size : {-1, 0, 1, 628}) {
    OptionsRig o;
    if (size >= 0) o.dir.Write("KELD.DAT", std::string(static_cast<size_t>(size), '\x03'));
    o.rig.console.Type("bA");
    shell::LoadSettings(o.rig.ui, o.run);
    EXPECT_EQ(o.rig.console.PendingKeys(), 0u) << size;
    EXPECT_TRUE(o.rig.ScreenHas("** ERROR READING THE KELD.DAT FILE **")) << size;
    EXPECT_EQ(o.dir.Read("KELD.DAT"), SettingsBytes(shell::DefaultSettings())) << size;
    EXPECT_EQ(o.run.Settings.raw, shell::DefaultSettings().raw) << size;
  }
}

TEST(SettingsFile, TheErrorScreenTextAndTheNextStart) {
  OptionsRig o;
  o.rig.console.Type("a");
  shell::LoadSettings(o.rig.ui, o.run);
  const char* rows[] = {
      "  ** ERROR READING THE KELD.DAT FILE **",
      "",
      "  This is either because you still have old data files, and haven't",
      "  run the update program, or you really have a corrupted KELD.DAT file.",
      "",
      "  (If this is simply the first time you've run KELD, hit A!)",
      "",
      "  Here are your choices:",
      "",
      "  (A) Create a NEW KELD.DAT file with defaults",
      "  (C) Drop to Dos, and forget the whole thing",
  };
  for (int i = 0; i < 11; ++i) EXPECT_EQ(Trimmed(o.rig.Row(3 + i)), rows[i]) << 3 + i;
  EXPECT_EQ(o.rig.AttrAt(3, 3), 0x0F);
  EXPECT_EQ(o.rig.AttrAt(3, 5), 0x0A);
  EXPECT_EQ(o.rig.AttrAt(3, 8), 0x02);
  EXPECT_EQ(o.rig.AttrAt(4, 12), 0x0A);
  EXPECT_EQ(o.rig.AttrAt(7, 12), 0x0F);
  EXPECT_EQ(o.rig.console.screen().WhereY(), 15);
  EXPECT_EQ(o.rig.console.screen().WhereX(), 1);

  // The file written by choice A starts the next run quietly.
  Rig next;
  shell::RunState run;
  run.GameDir = o.dir.path();
  shell::LoadSettings(next.ui, run);
  EXPECT_FALSE(next.ScreenHas("ERROR READING"));
  EXPECT_EQ(run.Settings.GracePeriodDays, 15);
}

// The whole program, started for local use in `dir` with a default
// KELD.DAT; `keys` follow the local login.
void RunProgram(Rig& rig, const TempDir& dir, const std::string& keys) {
  dir.Write("KELD.DAT", SettingsBytes(shell::DefaultSettings()));
  rig.console.Key(key::kEnter);  // the local login
  rig.console.Type(keys);
  shell::RunKeldCfg(rig.ui, door::CommandLine{dir.File("keldcfg"), {"-L"}});
  EXPECT_EQ(rig.console.PendingKeys(), 0u) << rig.console.Dump();
}

TEST(GameOptionsProgram, ChatterAndDeedsReachTheirFilesWithoutASaveQuestion) {
  TempDir dir;
  Rig rig;
  RunProgram(rig, dir, "66nfw5\r\x1b");
  EXPECT_FALSE(rig.ScreenHas("Save changes?"));
  EXPECT_TRUE(dir.Exists("NOCHAT.DAT"));
  EXPECT_EQ(dir.Read("WINGAME.DAT"), "5\r\n");
  EXPECT_EQ(dir.Read("KELD.DAT"), SettingsBytes(shell::DefaultSettings()));
}

TEST(GameOptionsProgram, AnEditedSettingIsSavedOnYes) {
  TempDir dir;
  Rig rig;
  RunProgram(rig, dir, "66d30\r\x1by ");
  shell::SettingsRecord expected = shell::DefaultSettings();
  expected.GracePeriodDays = 30;
  platform::EncodeFields(expected);
  EXPECT_EQ(dir.Read("KELD.DAT"), SettingsBytes(expected));
}

}  // namespace
