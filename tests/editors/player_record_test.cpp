#include "editors/player_record.h"

#include <gtest/gtest.h>

#include "editors/player_rig.h"

namespace {

using players_test::Bytes;

TEST(PlayerRecord, RandomBytesSurviveADecodeAndEncode) {
  for (uint32_t seed = 1; seed <= 50; ++seed) {
    editors::PlayerRecord p;
    Bytes bytes = testsupport::RandomBytes(editors::kPlayerRecordSize, seed);
    std::copy(bytes.begin(), bytes.end(), p.raw.begin());
    platform::DecodeFields(p);
    platform::EncodeFields(p);
    ASSERT_EQ(Bytes(p.raw.begin(), p.raw.end()), bytes) << "seed " << seed;
  }
}

TEST(PlayerRecord, FieldsSitAtTheirOffsetsAndChangeOnlyTheirBytes) {
  Bytes bytes = testsupport::RandomBytes(editors::kPlayerRecordSize, 7);
  editors::PlayerRecord p;
  std::copy(bytes.begin(), bytes.end(), p.raw.begin());
  platform::DecodeFields(p);
  EXPECT_EQ(p.Gold, platform::GetLE<int32_t>(bytes, 109));
  EXPECT_EQ(p.MarriedTo, platform::GetLE<int16_t>(bytes, 221));
  EXPECT_EQ(p.ThievingUses, static_cast<int8_t>(bytes[219]));

  p.Gold = 0x01020304;
  p.MarriedTo = -1;
  p.Class = 2;
  p.OnNow = !p.OnNow;
  platform::EncodeFields(p);
  Bytes expected = bytes;
  expected[109] = 4, expected[110] = 3, expected[111] = 2, expected[112] = 1;
  expected[221] = expected[222] = 0xFF;
  expected[179] = 2;
  expected[170] = p.OnNow ? 1 : 0;
  EXPECT_EQ(Bytes(p.raw.begin(), p.raw.end()), expected);
}

TEST(PlayerRecord, BuiltInNamesDifferOnlyWhereTheGameSpellsThemDifferently) {
  EXPECT_EQ(editors::WeaponName(1), "Stick");
  EXPECT_EQ(editors::WeaponName(10), "Wan's Weapon");
  EXPECT_EQ(editors::WeaponPickName(10), "Wans Weapon");
  EXPECT_EQ(editors::ArmourName(8), "Armour of Death");
  EXPECT_EQ(editors::ArmourPickName(15), "Armour Of Lore");
  int differences = 0;
  for (int i = 1; i <= editors::kItemCount; ++i) {
    differences += editors::WeaponName(i) != editors::WeaponPickName(i);
    differences += editors::ArmourName(i) != editors::ArmourPickName(i);
    EXPECT_FALSE(editors::WeaponName(i).empty());
  }
  EXPECT_EQ(differences, 3);
  EXPECT_EQ(editors::WeaponName(0), "");
  EXPECT_EQ(editors::ArmourName(16), "");
}

}  // namespace
