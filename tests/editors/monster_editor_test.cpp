#include "editors/monster_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/editor_files.h"
#include "editors/monster_record.h"
#include "support/key_names.h"

namespace {

using editors::kMonsterRecordSize;
using editors_test::Difference;
using editors_test::EditorRig;
using editors_test::RandomFile;
using namespace testsupport::keys;

// A monster file whose records are random but carry readable names.
std::string NamedMonsters(int records, uint32_t seed) {
  std::string bytes = RandomFile(static_cast<size_t>(records), kMonsterRecordSize, seed);
  for (int r = 0; r < records; ++r) {
    bytes = editors_test::WithString(bytes, static_cast<size_t>(r) * kMonsterRecordSize, 60,
                                     "Beast " + std::to_string(r));
  }
  return bytes;
}

TEST(MonsterEditor, EditsOnlyTheMonstersChosenAndPagesTwoLevelsAtATime) {
  EditorRig t;
  const std::string before = NamedMonsters(140, 21);
  t.dir.Write("LENEMY.DAT", before);
  // Level 1, monster 1: its name trimmed, then its death string empty, of
  // two characters, of three. Right column, fifth row: level 2, monster 5;
  // its name emptied and given one blank is stored as that one blank.
  t.Run(editors::MonsterEditor, "aaRenamed   \rda" + kBs + "\rab\rabc\rq" + "jaRenamed  \ra" +
                                    kEnd + Repeat(kBs, 7) + " \r" + kEsc + "x");
  EXPECT_TRUE(t.Showed("Too short, try again"));
  EXPECT_TRUE(t.Showed("(A) Name         : Renamed\n"));
  std::string expected = editors_test::WithString(before, 138, 100, "abc");
  expected = editors_test::WithString(expected, 0, 60, "Renamed");
  expected = editors_test::WithString(expected, 15 * kMonsterRecordSize, 60, " ");
  EXPECT_EQ(Difference(t.dir.Read("LENEMY.DAT"), expected), "");
  // The list keeps the names it read until the page is filled again.
  EXPECT_NE(t.Row(6).find("Beast 0"), std::string::npos);
  EXPECT_NE(t.Row(10).find("Beast 15"), std::string::npos);

  t.Run(editors::MonsterEditor, "++++++-x");  // to levels 11 and 12, no further, back one
  EXPECT_TRUE(t.Showed("    Level 11                                    Level 12\n"));
  EXPECT_FALSE(t.Showed("Level 13"));
  EXPECT_EQ(t.Row(4).substr(0, 60), "    Level 9                                     Level 10    ");

  EditorRig short_file;
  short_file.dir.Write("LENEMY.DAT", NamedMonsters(15, 22));
  short_file.Run(editors::MonsterEditor, "x");
  EXPECT_NE(short_file.Row(16).find("Beast 10"), std::string::npos);  // level 1 complete
  EXPECT_NE(short_file.Row(9).find("Beast 14"), std::string::npos);   // four of level 2
  EXPECT_EQ(short_file.Row(16).substr(44), std::string(36, ' '));     // the rest hidden

  EditorRig none;
  none.Run(editors::MonsterEditor, " ");
  EXPECT_TRUE(none.Showed("LENEMY.DAT not found! Are you sure youre in your Keld directory?"));
  EXPECT_EQ(none.dir.Snapshot(), "");
}

TEST(DragonEditor, AMissingFileGetsTheDefaultDragon) {
  EditorRig t;
  t.Run(editors::DragonEditor, " q");  // the message, then leave the edit screen
  EXPECT_TRUE(t.Showed("DRAGON.DAT not found! Reseting the dragon!"));
  EXPECT_TRUE(t.Showed("(H) Hit points   : 15000\n"));
  const std::string dragon = t.dir.Read("DRAGON.DAT");
  ASSERT_EQ(dragon.size(), kMonsterRecordSize);
  std::span<const uint8_t> raw = editors_test::RecordAt(dragon, 0, kMonsterRecordSize);
  EXPECT_EQ(platform::GetString(raw, 0, 60), "`4The Ash Wyvern`2");
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 61), 2000);  // strength
  EXPECT_EQ(platform::GetString(raw, 69, 60), "`)Scorching Flame`2");
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 130), 1000);  // experience
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 134), 15000);
  EXPECT_EQ(platform::GetString(raw, 138, 100), "  The earth shakes as the mighty beast falls.");
}

}  // namespace
