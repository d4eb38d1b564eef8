#include "editors/monster_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/editor_files.h"
#include "editors/monster_record.h"
#include "platform/keys.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using editors::kMonsterRecordSize;
using editors_test::Difference;
using editors_test::RandomFile;
using editors_test::WithInt;
using testsupport::SnoopRig;
using testsupport::TempDir;
namespace key = platform::key;

// A monster file whose records are random but carry readable names.
std::string NamedMonsters(int records, uint32_t seed) {
  std::string bytes = RandomFile(static_cast<size_t>(records), kMonsterRecordSize, seed);
  for (int r = 0; r < records; ++r) {
    bytes = editors_test::WithString(bytes, static_cast<size_t>(r) * kMonsterRecordSize, 60,
                                     "Beast " + std::to_string(r));
  }
  return bytes;
}

TEST(MonsterEditor, EditsMonsterFiveOfLevelTwoOnly) {
  TempDir dir;
  const std::string before = NamedMonsters(30, 21);
  dir.Write("LENEMY.DAT", before);
  SnoopRig rig;
  rig.console.Type("j");  // right column, fifth row: level 2, monster 5
  rig.console.Type("s777\r");
  rig.console.Type("aRenamed  \r");
  // Emptied and given one blank, the name is stored as that one blank.
  rig.console.Type("a");
  rig.console.Extended(key::kEnd);
  for (int i = 0; i < 7; ++i) rig.console.Key(key::kBackspace);
  rig.console.Type(" \r");
  rig.console.Key(key::kEscape);  // Quit writes the record
  rig.console.Type("x");
  editors::MonsterEditor(rig.ui, dir.path());
  EXPECT_TRUE(rig.Showed("(S) Strength     : 777\n"));
  EXPECT_TRUE(rig.Showed("(A) Name         : Renamed\n"));
  std::string expected = WithInt<int32_t>(before, 15 * kMonsterRecordSize + 61, 777);
  expected = editors_test::WithString(expected, 15 * kMonsterRecordSize, 60, " ");
  EXPECT_EQ(Difference(dir.Read("LENEMY.DAT"), expected), "");
  // The list keeps the name it read until the page is filled again.
  EXPECT_NE(rig.Row(10).find("Beast 15"), std::string::npos);
}

TEST(MonsterEditor, PagesTwoLevelsAtATimeAndHidesMissingMonsters) {
  TempDir dir;
  dir.Write("LENEMY.DAT", NamedMonsters(15, 22));
  SnoopRig short_file;
  short_file.console.Type("x");
  editors::MonsterEditor(short_file.ui, dir.path());
  EXPECT_NE(short_file.Row(16).find("Beast 10"), std::string::npos);  // level 1 complete
  EXPECT_NE(short_file.Row(9).find("Beast 14"), std::string::npos);   // four of level 2
  EXPECT_EQ(short_file.Row(10).substr(44), std::string(36, ' '));     // the rest hidden
  EXPECT_EQ(short_file.Row(16).substr(44), std::string(36, ' '));

  TempDir full;
  const std::string before = NamedMonsters(140, 23);
  full.Write("LENEMY.DAT", before);
  SnoopRig rig;
  rig.console.Type("+++++");  // to levels 11 and 12
  rig.console.Type("+-x");    // beyond them: nothing; then back one page
  editors::MonsterEditor(rig.ui, full.path());
  EXPECT_TRUE(rig.Showed("    Level 11                                    Level 12\n"));
  EXPECT_TRUE(rig.Showed("(A) Beast 110"));
  EXPECT_FALSE(rig.Showed("Level 13"));
  EXPECT_EQ(rig.Row(4).substr(0, 60),
            "    Level 9                                     Level 10    ");
  EXPECT_EQ(full.Read("LENEMY.DAT"), before);

  TempDir none;
  rig.console.Type(" ");
  editors::MonsterEditor(rig.ui, none.path());
  EXPECT_TRUE(rig.Showed("LENEMY.DAT not found! Are you sure youre in your Keld directory?"));
  EXPECT_EQ(none.Snapshot(), "");
}

TEST(MonsterEditor, NamesAreTrimmedAndShortDeathStringsAskedAgain) {
  TempDir dir;
  const std::string before = NamedMonsters(11, 24);
  dir.Write("LENEMY.DAT", before);
  SnoopRig rig;
  rig.console.Type("aaRenamed   \r");  // level 1, monster 1: its name
  rig.console.Type("da");              // its death string
  rig.console.Key(key::kBackspace);
  rig.console.Type("\rab\rabc\rqx");  // empty, two characters, three
  editors::MonsterEditor(rig.ui, dir.path());
  EXPECT_TRUE(rig.Showed("Too short, try again"));
  std::string expected = editors_test::WithString(before, 138, 100, "abc");
  EXPECT_EQ(
      Difference(dir.Read("LENEMY.DAT"), editors_test::WithString(expected, 0, 60, "Renamed")), "");
  // The list keeps the name it read until the page is filled again.
  EXPECT_NE(rig.Row(6).find("Beast 0"), std::string::npos);
}

TEST(DragonEditor, AMissingFileGetsTheDefaultDragon) {
  TempDir dir;
  SnoopRig rig;
  rig.console.Type(" q");  // the message, then leave the edit screen
  editors::DragonEditor(rig.ui, dir.path());
  EXPECT_TRUE(rig.Showed("DRAGON.DAT not found! Reseting the dragon!"));
  EXPECT_TRUE(rig.Showed("(H) Hit points   : 15000\n"));
  const std::string dragon = dir.Read("DRAGON.DAT");
  ASSERT_EQ(dragon.size(), kMonsterRecordSize);
  std::span<const uint8_t> raw = editors_test::RecordAt(dragon, 0, kMonsterRecordSize);
  EXPECT_EQ(platform::GetString(raw, 0, 60), "`4The Ash Wyvern`2");
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 61), 2000);  // strength
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 65), 1000);  // gold
  EXPECT_EQ(platform::GetString(raw, 69, 60), "`)Scorching Flame`2");
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 130), 1000);  // experience
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 134), 15000);
  EXPECT_EQ(platform::GetString(raw, 138, 100), "  The earth shakes as the mighty beast falls.");
}

}  // namespace
