#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/key_names.h"
#include "support/rig.h"
#include "ui/prompts.h"

namespace {

using testsupport::Rig;
using namespace testsupport::keys;

constexpr uint8_t kFieldAttr = 0x1F;  // white on blue

int Background(const Rig& rig, int col, int row) {
  return rig.AttrAt(col, row) >> 4;
}

int32_t AskGrace(Rig& rig, const std::string& keys) {
  rig.console.Type(keys);
  return ui::NumberPrompt(rig.ui, "Grace Period", 15, 180, 0);
}

TEST(NumberPromptAndField, AFieldOneCellWiderThanTheMaximumTakesAMinusAndDigits) {
  Rig rig;
  EXPECT_EQ(AskGrace(rig, "\r"), 15);  // Enter alone keeps the value
  // w = 12 (the title), x = 34.
  EXPECT_EQ(rig.Row(10).substr(33, 16), "\xBA Grace Period \xBA");
  EXPECT_EQ(rig.Row(12).substr(33, 16), "\xBA   0 to 180   \xBA");
  EXPECT_EQ(rig.Row(15).substr(33, 16), "\xC8" + std::string(14, '\xCD') + "\xBC");
  // The field: four cells from column (80 - 3) div 2 + 1 = 39 on row 14.
  EXPECT_EQ(rig.Row(14).substr(33, 16), "\xBA    15        \xBA");
  for (int col = 39; col <= 42; ++col) EXPECT_EQ(rig.AttrAt(col, 14), kFieldAttr) << col;
  EXPECT_EQ(Background(rig, 43, 14), 0);
  EXPECT_EQ(rig.AttrAt(40, 12), 0x07);  // the range in light grey
  EXPECT_EQ(rig.AttrAt(36, 10), 0x0F);  // the title in white

  // Out of range restarts the field; a fourth digit does not fit. (The
  // shell's game options check other titles and ranges.)
  for (auto [keys, want] : {std::pair{"200\r30\r", 30}, {"0\r", 0}, {"1759\r", 175}})
    EXPECT_EQ(AskGrace(rig, keys), want) << keys;

  // The number field alone, from -10 to 10: a leading minus only, digits up
  // to the width of the maximum, Enter on an untouched field keeps even a
  // value outside the range, and keys with no meaning here are ignored.
  // Keys typed, the value passed in, the result and what the field shows;
  // "15" is refused and the field starts over.
  const std::tuple<std::string, int32_t, int32_t, const char*> cases[] = {
      {"-5\r", 3, -5, "-5  "},    {"5-\r", 3, 5, "5   "},
      {"-50\r", 3, -5, "-5  "},   {"\r", 50, 50, "50  "},
      {"15\r\r", 50, 50, "50  "}, {"1a" + kBs + kEsc + kLeft + kDel + "\r", 3, 1, "1   "}};
  for (const auto& [keys, value, want, shown] : cases) {
    Rig field;
    field.console.Type(keys);
    EXPECT_EQ(ui::NumberField(field.ui, 5, 3, -10, 10, value), want) << keys;
    EXPECT_EQ(field.Row(3).substr(4, 4), shown) << keys;
    EXPECT_EQ(field.console.PendingKeys(), 0u) << keys;
  }
}

// The line editor in a ten-character field at column 5, row 3: the keys
// typed, and what it gives back and leaves in the field.
TEST(LineEdit, KeysEditTheValueAsTheyShould) {
  const std::tuple<const char*, std::string, const char*> cases[] = {
      {"Hello", "X\r", "X"},               // the first typed key replaces the value
      {"Hello", kRight + "X\r", "HXllo"},  // an extended key first leaves it
      {"Hello", "\r", "Hello"},
      {"Hello", "Xyz" + kHome + "Q" + kEsc, "Hello"},  // Escape gives back the value
      {"Hello", kEnd + "!" + kHome + "J\r", "Jello!"},
      // Left stops at the first column, Right at the end of the value.
      {"Hello", kLeft + "Y" + kLeft + kLeft + "Z" + Repeat(kRight, 8) + "s\r", "Zellos"},
      {"Hello", kEnd + "\t\x01\r", "Hello\t\x01"},  // control characters are typed
      {"Hello", kRight + kRight + kIns + "XY" + kIns + "Z\r", "HeXYZlo"},  // Ins toggles
      // In a full field insert steps back from the last cell, and the
      // character pushed out at the end is lost; overwrite keeps replacing
      // the last character.
      {"0123456789", kEnd + kIns + "A\r", "012345678A"},
      {"0123456789", kHome + kIns + "AB\r", "AB01234567"},
      {"0123456789", kEnd + "XY\r", "012345678Y"},
      {"Hello", kDel + kDel + "J\r", "Jlo"},          // under the cursor, the cursor staying
      {"Hello", kRight + kBs + kBs + "C\r", "Cllo"},  // nothing at the first column
      {"Hello", kEnd + kDel + "!\r", "Hello!"},       // nothing past the end
      // Emptied and given one blank, the value is that blank.
      {"Hello", kEnd + Repeat(kBs, 5) + " \r", " "},
  };
  for (const auto& [value, keys, want] : cases) {
    Rig rig;
    rig.console.screen().PutText(1, 3, std::string(30, 'x'), 0x07);
    rig.console.Type(keys);
    EXPECT_EQ(ui::LineEdit(rig.ui, 5, 3, 10, 1, 15, value), want) << keys;
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << keys;
    // The field is eleven cells, left with no colour of its own.
    std::string shown = want + std::string(11 - std::string(want).size(), ' ');
    EXPECT_EQ(rig.Row(3).substr(0, 20), "xxxx" + shown + "xxxxx") << keys;
    for (int col = 5; col <= 15; ++col) EXPECT_EQ(Background(rig, col, 3), 0) << col;
  }
  // A value longer than the field: Escape gives it back whole, less its
  // trailing blanks; Enter keeps only what the field held.
  Rig rig;
  rig.console.Type(kEsc + "\r");
  EXPECT_EQ(ui::LineEdit(rig.ui, 5, 3, 5, 1, 15, "Hello World  "), "Hello World");
  EXPECT_EQ(ui::LineEdit(rig.ui, 5, 3, 5, 1, 15, "Hello World"), "Hello");
}

TEST(TextPrompt, FramesTheTitleAndReturnsTheTextWithoutTrailingBlanks) {
  Rig rig;
  rig.console.Type("Al ice   \r");
  EXPECT_EQ(ui::TextPrompt(rig.ui, "Your name", "Bob", 20, 0), "Al ice");
  // The title and value are shorter than 20, so w = 22 and x = 29; the
  // field starts at column (80 - 20) div 2 + 1 = 31 on row 12.
  EXPECT_EQ(rig.Row(9).substr(28, 26), "\xC9" + std::string(24, '\xCD') + "\xBB");
  EXPECT_EQ(rig.Row(10).substr(28, 26),
            "\xBA" + std::string(7, ' ') + "Your name" + std::string(8, ' ') + "\xBA");
  EXPECT_EQ(rig.Row(12).substr(28, 26), "\xBA Al ice" + std::string(17, ' ') + "\xBA");
  EXPECT_EQ(rig.AttrAt(36, 10), 0x0F);

  // A long title sets the width: w = 41, x = 19.
  const std::string title = "Enter the name of the new score file path";
  rig.console.Type("\r");
  EXPECT_EQ(ui::TextPrompt(rig.ui, title, "", 10, 0), "");
  EXPECT_EQ(rig.Row(10).substr(18, 45), "\xBA " + title + " \xBA");
  EXPECT_EQ(rig.Row(13).substr(18, 45), "\xC8" + std::string(43, '\xCD') + "\xBC");
}

}  // namespace
