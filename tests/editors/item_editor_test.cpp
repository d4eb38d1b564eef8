#include "editors/item_editor.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editors/editor_files.h"
#include "editors/item_record.h"
#include "support/key_names.h"

namespace {

using editors::kItemRecordSize;
using editors_test::Difference;
using editors_test::EditorRig;
using editors_test::RandomFile;
using namespace testsupport::keys;

// The shop's default tables: prices (the same for weapons and armour) and
// strengths, item 1 first.
constexpr int32_t kPrices[15] = {200,     1000,     3000,     10000,     30000,
                                 100000,  150000,   200000,   400000,    1000000,
                                 4000000, 10000000, 40000000, 100000000, 400000000};
constexpr int32_t kAttack[15] = {5,   10,  20,  30,  40,  60,   80,  120,
                                 180, 250, 350, 500, 800, 1200, 1800};
constexpr int32_t kDefense[15] = {1, 3, 10, 15, 25, 35, 50, 75, 100, 150, 225, 300, 400, 600, 1000};

// A reset file holds exactly the 15 default items; every item has a name,
// and the names that are known must be those.
void ExpectDefaults(const std::string& file, const int32_t (&strength)[15],
                    const std::map<int, std::string>& names) {
  ASSERT_EQ(file.size(), 15 * kItemRecordSize);
  for (size_t i = 0; i < 15; ++i) {
    std::span<const uint8_t> raw = editors_test::RecordAt(file, i, kItemRecordSize);
    EXPECT_EQ(platform::GetLE<int32_t>(raw, 256), kPrices[i]) << "item " << i + 1;
    EXPECT_EQ(platform::GetLE<int32_t>(raw, 260), strength[i]) << "item " << i + 1;
    std::string name = platform::GetString(raw, 0, 255);
    EXPECT_FALSE(name.empty()) << "item " << i + 1;
    if (auto known = names.find(static_cast<int>(i) + 1); known != names.end()) {
      EXPECT_EQ(name, known->second);
    }
  }
}

TEST(WeaponEditor, MissingFileIsResetOnYesAndLeftAloneOnNo) {
  EditorRig t;
  editors_test::ExpectResetOnlyOnYes(editors::WeaponEditor, "WEAPONS.DAT", "weapon", t);
  EXPECT_EQ(t.ui.PickDownStep, 2);
  const std::string defaults = t.dir.Read("WEAPONS.DAT");
  ExpectDefaults(defaults, kAttack,
                 {{1, "Stick"}, {2, "Dagger"}, {9, "Vosk's Sword"}, {15, "Death Sword"}});

  // Entering again shows the defaults; weapon 15 costs 400,000,000.
  t.Run(editors::WeaponEditor, "o" + kEsc + "q");
  EXPECT_TRUE(t.Showed("(O) Death Sword"));
  EXPECT_TRUE(t.Showed("Price: 400,000,000"));
  EXPECT_TRUE(t.Showed("Attack Strength: 1,800"));
  EXPECT_EQ(t.dir.Read("WEAPONS.DAT"), defaults);
}

TEST(ArmourEditor, ResetFromTheListTruncatesToTheDefaults) {
  EditorRig t;
  t.dir.Write("ARMOR.DAT", RandomFile(20, kItemRecordSize, 9));
  t.Run(editors::ArmourEditor, "ry q");  // reset all, a key for the confirmation
  EXPECT_TRUE(t.Showed("Reset the armors to their default values?"));
  EXPECT_TRUE(t.Showed("Armor data reset. "));
  EXPECT_NE(t.Row(18).find("Armour Of Lore"), std::string::npos);
  ExpectDefaults(t.dir.Read("ARMOR.DAT"), kDefense,
                 {{1, "Coat"}, {2, "Heavy Coat"}, {9, "Vosk's Armour"}, {15, "Armour Of Lore"}});
}

TEST(ArmourEditor, NameIsCutAtTwentyAndMayBeEmpty) {
  EditorRig t;
  const std::string before = RandomFile(15, kItemRecordSize, 3);
  t.dir.Write("ARMOR.DAT", before);
  // Item 1, its name: 20 characters fit; item 2's name emptied.
  t.Run(editors::ArmourEditor,
        "aaa" + std::string(25, 'x') + "\r" + kEsc + "baa" + kBs + "\r" + kEsc + "q");
  std::string expected = editors_test::WithString(before, 0, 255, "a" + std::string(19, 'x'));
  expected = editors_test::WithString(expected, kItemRecordSize, 255, "");
  EXPECT_EQ(Difference(t.dir.Read("ARMOR.DAT"), expected), "");
}

TEST(WeaponEditorDeathTest, FileOfFewerThanFifteenRecordsEndsWithTheIoErrorReport) {
  editors_test::ExpectShortFileEndsTheProgram(editors::WeaponEditor, "WEAPONS.DAT",
                                              RandomFile(14, kItemRecordSize, 5));
}

}  // namespace
