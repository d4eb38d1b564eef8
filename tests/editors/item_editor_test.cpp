#include "editors/item_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/editor_files.h"
#include "editors/item_record.h"
#include "platform/keys.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using editors::kItemRecordSize;
using editors_test::Bytes;
using editors_test::RandomFile;
using editors_test::WithInt;
using testsupport::Rig;
using testsupport::SnoopRig;
using testsupport::TempDir;
namespace key = platform::key;

std::string DefaultFile(const editors::ItemTable& table) {
  std::string bytes;
  for (const editors::ItemRecord& item : table) bytes += Bytes(item);
  return bytes;
}

TEST(WeaponEditor, EditsOnePriceAndKeepsEveryOtherByte) {
  TempDir dir;
  // One record more than the editor reads: it must survive too.
  const std::string before = RandomFile(16, kItemRecordSize, 7);
  dir.Write("weapons.dat", before);
  SnoopRig rig;
  rig.console.Type("o");          // item 15
  rig.console.Type("b123\r");     // its price
  rig.console.Key(key::kEscape);  // leaves the edit screen, which writes it
  rig.console.Type("q");
  editors::WeaponEditor(rig.ui, dir.path());
  EXPECT_TRUE(rig.Showed("(B) Price: 123\n"));
  EXPECT_EQ(editors_test::Difference(dir.Read("weapons.dat"),
                                     WithInt<int32_t>(before, 14 * kItemRecordSize + 256, 123)),
            "");
  EXPECT_EQ(rig.ui.PickUpStep, 2);
  EXPECT_EQ(rig.ui.PickDownStep, 2);
}

TEST(WeaponEditor, MissingFileIsResetOnYesAndLeftAloneOnNo) {
  TempDir no;
  SnoopRig no_rig;
  no_rig.console.Type("n");
  no_rig.console.Key(key::kEscape);  // closes the message
  editors::WeaponEditor(no_rig.ui, no.path());
  EXPECT_TRUE(no_rig.Showed("Can't open WEAPONS.DAT - Exiting weapon editor."));
  EXPECT_EQ(no.Snapshot(), "");

  TempDir yes;
  SnoopRig yes_rig;
  yes_rig.console.Type("y");
  editors::WeaponEditor(yes_rig.ui, yes.path());
  EXPECT_TRUE(yes_rig.Showed("Error opening WEAPONS.DAT. Should I reset them?"));
  const std::string defaults = DefaultFile(editors::DefaultWeapons());
  ASSERT_EQ(defaults.size(), 3960u);
  EXPECT_EQ(editors_test::Difference(yes.Read("WEAPONS.DAT"), defaults), "");
  EXPECT_EQ(yes_rig.ui.PickUpStep, 2);

  // Entering again shows the defaults; weapon 15 costs 400,000,000.
  yes_rig.console.Type("o");
  yes_rig.console.Key(key::kEscape);
  yes_rig.console.Type("q");
  editors::WeaponEditor(yes_rig.ui, yes.path());
  EXPECT_TRUE(yes_rig.Showed("Death Sword"));
  EXPECT_TRUE(yes_rig.Showed("Price: 400,000,000"));
  EXPECT_TRUE(yes_rig.Showed("Attack Strength: 1,800"));
  EXPECT_EQ(editors_test::Difference(yes.Read("WEAPONS.DAT"), defaults), "");
}

TEST(ArmourEditor, ResetFromTheListTruncatesAndShowsTheDefaults) {
  TempDir dir;
  dir.Write("ARMOR.DAT", RandomFile(20, kItemRecordSize, 9));
  SnoopRig rig;
  rig.console.Type("r");  // reset all
  rig.console.Type("y");
  rig.console.Key(' ');  // the confirmation
  rig.console.Type("q");
  editors::ArmourEditor(rig.ui, dir.path());
  EXPECT_TRUE(rig.Showed("Reset the armors to their default values?"));
  EXPECT_TRUE(rig.Showed("Armor data reset. "));
  EXPECT_NE(rig.Row(18).find("Armour Of Lore"), std::string::npos);
  EXPECT_EQ(editors_test::Difference(dir.Read("ARMOR.DAT"), DefaultFile(editors::DefaultArmour())),
            "");
}

TEST(ArmourEditor, NameIsCutAtTwentyAndMayBeEmpty) {
  TempDir dir;
  const std::string before = RandomFile(15, kItemRecordSize, 3);
  dir.Write("ARMOR.DAT", before);
  SnoopRig rig;
  rig.console.Type("aa");                               // item 1, its name
  rig.console.Type("a" + std::string(25, 'x') + "\r");  // 20 characters fit
  rig.console.Key(key::kEscape);
  rig.console.Type("ba");
  rig.console.Type("a");
  rig.console.Key(key::kBackspace);
  rig.console.Type("\r");
  rig.console.Key(key::kEscape);
  rig.console.Type("q");
  editors::ArmourEditor(rig.ui, dir.path());
  std::string expected = editors_test::WithString(before, 0, 255, "a" + std::string(19, 'x'));
  expected = editors_test::WithString(expected, kItemRecordSize, 255, "");
  EXPECT_EQ(editors_test::Difference(dir.Read("ARMOR.DAT"), expected), "");
}

TEST(WeaponEditorDeathTest, FileOfFewerThanFifteenRecordsEndsWithTheIoErrorReport) {
  editors_test::ExpectShortFileEndsTheProgram(editors::WeaponEditor, "WEAPONS.DAT",
                                              RandomFile(14, kItemRecordSize, 5));
}

}  // namespace
