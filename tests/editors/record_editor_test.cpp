// The monster and dragon, trainer, weapon and armour editors: one data
// file of fixed records each, opened, listed, edited and reset alike.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "editors/editor_files.h"
#include "editors/item_editor.h"
#include "editors/item_record.h"
#include "editors/monster_editor.h"
#include "editors/monster_record.h"
#include "editors/trainer_editor.h"
#include "editors/trainer_record.h"
#include "support/key_names.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using editors::kItemRecordSize;
using editors::kMonsterRecordSize;
using editors::kTrainerRecordSize;
using editors_test::Difference;
using namespace testsupport::keys;

// Files of random bytes, so that every byte an editor should leave alone
// is hard to mistake for a default.
std::string RandomFile(size_t records, size_t record_size, uint32_t seed) {
  std::vector<uint8_t> bytes = testsupport::RandomBytes(records * record_size, seed);
  return std::string(bytes.begin(), bytes.end());
}

// Record n of `size` bytes of a file's content, for field checks; the
// callers have checked the file's size.
std::span<const uint8_t> RecordAt(const std::string& file, size_t n, size_t size) {
  return {reinterpret_cast<const uint8_t*>(file.data()) + n * size, size};
}

using Editor = void (*)(ui::Ui&, const std::string&);

// An editor on the virtual console with its own game directory.
struct EditorRig : testsupport::SnoopRig {
  testsupport::TempDir dir;

  // Runs `editor` on `keys`, each of which it must read.
  void Run(Editor editor, const std::string& keys) {
    console.Type(keys);
    editor(ui, dir.path());
    EXPECT_EQ(console.PendingKeys(), 0u) << console.Dump();
  }
};

// Runs `editor` on a game directory without `name`, the file of its
// `things`: answered No it writes nothing; answered Yes, on `yes`, it
// writes the defaults.
void ExpectResetOnlyOnYes(Editor editor, const std::string& name, const std::string& things,
                          EditorRig& yes) {
  EditorRig no;
  no.Run(editor, "n ");
  EXPECT_TRUE(no.Showed("Can't open " + name + " - Exiting " + things + " editor."));
  EXPECT_EQ(no.dir.Snapshot(), "");
  yes.Run(editor, "y");
  EXPECT_TRUE(yes.Showed("Error opening " + name + ". Should I reset them?"));
}

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
  EXPECT_EQ(t.Row(4).substr(0, 60), "    Level 9                                     Level 10    ");

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
  std::span<const uint8_t> raw = RecordAt(dragon, 0, kMonsterRecordSize);
  EXPECT_EQ(platform::GetString(raw, 0, 60), "`4The Ash Wyvern`2");
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 61), 2000);  // strength
  EXPECT_EQ(platform::GetString(raw, 69, 60), "`)Scorching Flame`2");
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 130), 1000);  // experience
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 134), 15000);
  EXPECT_EQ(platform::GetString(raw, 138, 100), "  The earth shakes as the mighty beast falls.");
}

// The default masters, level 1 first: strength, hit points, hit points,
// strength and defense the player gains, experience needed.
constexpr int32_t kDefaults[11][6] = {{15, 30, 10, 5, 2, 100},
                                      {17, 40, 15, 7, 3, 400},
                                      {35, 70, 20, 10, 5, 1000},
                                      {70, 120, 30, 12, 10, 4000},
                                      {100, 200, 50, 20, 15, 10000},
                                      {150, 400, 75, 35, 22, 40000},
                                      {250, 600, 125, 50, 35, 100000},
                                      {350, 800, 185, 75, 60, 400000},
                                      {500, 1200, 250, 110, 80, 1000000},
                                      {800, 1800, 350, 150, 120, 4000000},
                                      {1200, 2500, 550, 200, 150, 10000000}};

// Record n of the file holds the default numbers of level index n, and
// levels 1, 2 and 11 the texts known of them.
void ExpectDefaultTrainer(const std::string& file, int n) {
  std::span<const uint8_t> raw = RecordAt(file, n, kTrainerRecordSize);
  for (size_t k = 0; k < 5; ++k)
    EXPECT_EQ(platform::GetLE<int16_t>(raw, 205 + 2 * k), kDefaults[n][k]) << "level " << n + 1;
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 215), kDefaults[n][5]) << "level " << n + 1;
  auto text = [&](size_t at, size_t capacity) { return platform::GetString(raw, at, capacity); };
  std::string texts = text(0, 30) + "|" + text(31, 20) + "|" + text(103, 50) + "|" + text(154, 50);
  // Barak's remark is one character longer than its first line: 50 kept.
  const char* known[11] = {
      "Halder|Short Sword|Gee, your muscles are getting bigger than mine...|",
      "Barak|Battle Axe|You know, you are actually getting pretty good wit|that thing...\""};
  EXPECT_EQ(texts, known[n] ? known[n] : texts) << "level " << n + 1;
  EXPECT_EQ(n == 10 ? text(0, 30) : "Turgon", "Turgon");
  EXPECT_EQ(n == 0 ? text(52, 50) : "", n == 0 ? "Belar!!! You are truly a great warrior!" : "");
}

void ExpectAllDefaults(const std::string& file) {
  ASSERT_EQ(file.size(), 11 * kTrainerRecordSize);
  for (int n = 0; n < 11; ++n) ExpectDefaultTrainer(file, n);
}

// Level 2 reset, an edit, exit without saving: only level 2 changed, to
// its defaults. Then reset all on a file too long: eleven defaults.
TEST(TrainerEditor, ResetThisTrainerWritesAtOnceAndResetAllWritesElevenDefaults) {
  EditorRig t;
  const std::string before = RandomFile(14, kTrainerRecordSize, 12);
  t.dir.Write("TRAINERS.DAT", before);
  t.Run(editors::TrainerEditor, "brc99\rxq");
  EXPECT_EQ(t.ui.PickUpStep, 2);
  EXPECT_TRUE(t.Showed(" (K) XP Needed           : 400\n     to challenge\n"));
  std::string after = t.dir.Read("TRAINERS.DAT");
  ASSERT_EQ(after.size(), before.size());
  ExpectDefaultTrainer(after, 1);
  EXPECT_EQ(after.erase(kTrainerRecordSize, kTrainerRecordSize),
            std::string(before).erase(kTrainerRecordSize, kTrainerRecordSize));

  t.Run(editors::TrainerEditor, "ry q");
  EXPECT_TRUE(t.Showed("Reset the trainers to their default values?"));
  EXPECT_TRUE(t.Showed("Trainer data reset. "));
  ExpectAllDefaults(t.dir.Read("TRAINERS.DAT"));

  EditorRig yes;
  ExpectResetOnlyOnYes(editors::TrainerEditor, "TRAINERS.DAT", "trainer", yes);
  EXPECT_FALSE(yes.Showed("Trainer Editor"));  // the editor is not entered
  ExpectAllDefaults(yes.dir.Read("TRAINERS.DAT"));
}

// The shop's default tables: prices (the same for weapons and armour) and
// strengths, item 1 first.
constexpr int32_t kPrices[15] = {200,     1000,     3000,     10000,     30000,
                                 100000,  150000,   200000,   400000,    1000000,
                                 4000000, 10000000, 40000000, 100000000, 400000000};
constexpr int32_t kAttack[15] = {5,   10,  20,  30,  40,  60,   80,  120,
                                 180, 250, 350, 500, 800, 1200, 1800};
constexpr int32_t kDefense[15] = {1, 3, 10, 15, 25, 35, 50, 75, 100, 150, 225, 300, 400, 600, 1000};

// A reset file holds exactly the 15 default items; `names` are some of
// their names, by item number.
void ExpectDefaults(const std::string& file, const int32_t (&strength)[15],
                    const std::map<size_t, std::string>& names) {
  ASSERT_EQ(file.size(), 15 * kItemRecordSize);
  for (size_t i = 0; i < 15; ++i) {
    std::span<const uint8_t> raw = RecordAt(file, i, kItemRecordSize);
    EXPECT_EQ(platform::GetLE<int32_t>(raw, 256), kPrices[i]) << "item " << i + 1;
    EXPECT_EQ(platform::GetLE<int32_t>(raw, 260), strength[i]) << "item " << i + 1;
  }
  for (const auto& [n, name] : names)
    EXPECT_EQ(platform::GetString(RecordAt(file, n - 1, kItemRecordSize), 0, 255), name);
}

TEST(WeaponEditor, MissingFileIsResetOnYesAndLeftAloneOnNo) {
  EditorRig t;
  ExpectResetOnlyOnYes(editors::WeaponEditor, "WEAPONS.DAT", "weapon", t);
  EXPECT_EQ(t.ui.PickDownStep, 2);
  ExpectDefaults(t.dir.Read("WEAPONS.DAT"), kAttack,
                 {{1, "Stick"}, {2, "Dagger"}, {9, "Vosk's Sword"}, {15, "Death Sword"}});
  t.Run(editors::WeaponEditor, "o" + kEsc + "q");
  EXPECT_TRUE(t.Showed("Attack Strength: 1,800"));
}

// Reset all on a file too long: the 15 defaults. Then item 3's name: 20
// characters fit; item 4's name emptied.
TEST(ArmourEditor, ResetFromTheListTruncatesToTheDefaultsAndNamesAreCutAtTwenty) {
  EditorRig t;
  t.dir.Write("ARMOR.DAT", RandomFile(20, kItemRecordSize, 9));
  t.Run(editors::ArmourEditor,
        "ry caa" + std::string(25, 'x') + "\r" + kEsc + "daa" + kBs + "\r" + kEsc + "q");
  EXPECT_TRUE(t.Showed("Reset the armors to their default values?"));
  EXPECT_TRUE(t.Showed("Armor data reset. "));
  EXPECT_NE(t.Row(18).find("Armour Of Lore"), std::string::npos);
  ExpectDefaults(t.dir.Read("ARMOR.DAT"), kDefense,
                 {{1, "Coat"},
                  {2, "Heavy Coat"},
                  {3, "a" + std::string(19, 'x')},
                  {4, ""},
                  {9, "Vosk's Armour"},
                  {15, "Armour Of Lore"}});
}

}  // namespace
