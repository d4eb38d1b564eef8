#include "editors/item_editor.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "editors/editor_files.h"
#include "editors/item_record.h"
#include "support/key_names.h"

namespace {

using editors::kItemRecordSize;
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

// A reset file holds exactly the 15 default items; `names` are some of
// their names, by item number.
void ExpectDefaults(const std::string& file, const int32_t (&strength)[15],
                    const std::map<size_t, std::string>& names) {
  ASSERT_EQ(file.size(), 15 * kItemRecordSize);
  for (size_t i = 0; i < 15; ++i) {
    std::span<const uint8_t> raw = editors_test::RecordAt(file, i, kItemRecordSize);
    EXPECT_EQ(platform::GetLE<int32_t>(raw, 256), kPrices[i]) << "item " << i + 1;
    EXPECT_EQ(platform::GetLE<int32_t>(raw, 260), strength[i]) << "item " << i + 1;
  }
  for (const auto& [n, name] : names)
    EXPECT_EQ(platform::GetString(editors_test::RecordAt(file, n - 1, kItemRecordSize), 0, 255),
              name);
}

TEST(WeaponEditor, MissingFileIsResetOnYesAndLeftAloneOnNo) {
  EditorRig t;
  editors_test::ExpectResetOnlyOnYes(editors::WeaponEditor, "WEAPONS.DAT", "weapon", t);
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

TEST(WeaponEditorDeathTest, FileOfFewerThanFifteenRecordsEndsWithTheIoErrorReport) {
  editors_test::ExpectShortFileEndsTheProgram(editors::WeaponEditor, "WEAPONS.DAT",
                                              RandomFile(14, kItemRecordSize, 5));
}

}  // namespace
