#include <gtest/gtest.h>

#include <string>

#include "platform/keys.h"
#include "support/rig.h"
#include "ui/prompts.h"

namespace {

using testsupport::Rig;
namespace key = platform::key;

constexpr uint8_t kFieldAttr = 0x1F;  // white on blue

int Background(const Rig& rig, int col, int row) {
  return rig.AttrAt(col, row) >> 4;
}

int32_t AskGrace(Rig& rig, const std::string& keys) {
  rig.console.Type(keys);
  return ui::NumberPrompt(rig.ui, "Grace Period", 15, 180, 0);
}

TEST(NumberPrompt, DrawsTitleRangeAndAFieldOneCellWiderThanTheMaximum) {
  Rig rig;
  EXPECT_EQ(AskGrace(rig, "\r"), 15);  // Enter alone keeps the value
  // w = 12 (the title), x = 34.
  EXPECT_EQ(rig.Row(9).substr(33, 16), "\xC9" + std::string(14, '\xCD') + "\xBB");
  EXPECT_EQ(rig.Row(10).substr(33, 16), "\xBA Grace Period \xBA");
  EXPECT_EQ(rig.Row(11).substr(33, 16), "\xBA" + std::string(14, ' ') + "\xBA");
  EXPECT_EQ(rig.Row(12).substr(33, 16), "\xBA   0 to 180   \xBA");
  EXPECT_EQ(rig.Row(15).substr(33, 16), "\xC8" + std::string(14, '\xCD') + "\xBC");
  // The field: four cells from column (80 - 3) div 2 + 1 = 39 on row 14.
  EXPECT_EQ(rig.Row(14).substr(33, 16), "\xBA    15        \xBA");
  for (int col = 39; col <= 42; ++col) EXPECT_EQ(rig.AttrAt(col, 14), kFieldAttr) << col;
  EXPECT_EQ(Background(rig, 38, 14), 0);
  EXPECT_EQ(Background(rig, 43, 14), 0);
  EXPECT_EQ(rig.AttrAt(40, 12), 0x07);  // the range in light grey
  EXPECT_EQ(rig.AttrAt(36, 10), 0x0F);  // the title in white
}

TEST(NumberPrompt, OutOfRangeRestartsWithTheOldValue) {
  Rig rig;
  EXPECT_EQ(AskGrace(rig, "200\r\r"), 15);
  EXPECT_EQ(rig.Row(14).substr(38, 4), "15  ");  // the old value is shown again
  EXPECT_EQ(AskGrace(rig, "200\r30\r"), 30);
  EXPECT_EQ(AskGrace(rig, "180\r"), 180);
  EXPECT_EQ(AskGrace(rig, "0\r"), 0);
  // At most three digits fit: the fourth is ignored.
  EXPECT_EQ(AskGrace(rig, "1759\r"), 175);
  EXPECT_EQ(rig.console.PendingKeys(), 0u);
}

TEST(NumberPrompt, RangeTextAndFieldColumnFollowMinAndMax) {
  Rig rig;
  rig.console.Type("\r");
  EXPECT_EQ(ui::NumberPrompt(rig.ui, "Limit", 5, 2000000000, 0), 5);
  // " 0 to 2000000000 " is 17 wide: w = 17, x = 31; the field starts at
  // column 36 and is eleven cells wide.
  EXPECT_EQ(rig.Row(12).substr(30, 21), "\xBA  0 to 2000000000  \xBA");
  EXPECT_EQ(rig.Row(10).substr(30, 21), "\xBA       Limit       \xBA");
  EXPECT_EQ(rig.AttrAt(36, 14), kFieldAttr);
  EXPECT_EQ(rig.AttrAt(46, 14), kFieldAttr);
  EXPECT_EQ(Background(rig, 47, 14), 0);
  rig.console.Type("2000000001\r2000000000\r");
  EXPECT_EQ(ui::NumberPrompt(rig.ui, "Limit", 5, 2000000000, 0), 2000000000);

  Rig negative;
  negative.console.Type("\r");
  ui::NumberPrompt(negative.ui, "Level", 0, 10, -10);
  EXPECT_NE(negative.Row(12).find(" -10 to 10 "), std::string::npos);
}

int32_t Field(Rig& rig, const std::string& keys, int32_t value = 3) {
  rig.console.Type(keys);
  return ui::NumberField(rig.ui, 5, 3, -10, 10, value);
}

TEST(NumberField, LeadingMinusOnlyAndDigitsUpToTheWidthOfTheMaximum) {
  Rig rig;
  EXPECT_EQ(Field(rig, "-5\r"), -5);
  EXPECT_EQ(rig.Row(3).substr(4, 4), "-5  ");
  EXPECT_EQ(Field(rig, "5-\r"), 5);  // a minus after a digit is ignored
  EXPECT_EQ(rig.Row(3).substr(4, 3), "5  ");
  EXPECT_EQ(Field(rig, "--7\r"), -7);  // and so is a second minus
  EXPECT_EQ(Field(rig, "-50\r"), -5);  // two characters in all for max 10
  EXPECT_EQ(Field(rig, "10\r"), 10);
  EXPECT_EQ(Field(rig, "-9\r"), -9);
  EXPECT_EQ(rig.console.PendingKeys(), 0u);
}

TEST(NumberField, EnterOnAnUntouchedFieldKeepsTheValueEvenOutsideTheRange) {
  Rig rig;
  EXPECT_EQ(Field(rig, "\r", 50), 50);
  EXPECT_EQ(Field(rig, "15\r\r", 50), 50);  // 15 is refused, the field starts over
  EXPECT_EQ(rig.Row(3).substr(4, 3), "50 ");
}

TEST(NumberField, OtherKeysAreIgnored) {
  Rig rig;
  rig.console.Type("1a");
  rig.console.Key(key::kBackspace);  // there is no Backspace
  rig.console.Key(key::kEscape);     // nor Escape
  rig.console.Extended(key::kLeft);
  rig.console.Extended(key::kDel);
  EXPECT_EQ(Field(rig, "\r"), 1);
}

TEST(NumberField, ZeroColumnAndRowMeanTheCursor) {
  Rig rig;
  rig.door.DGotoRowCol(7, 12);
  rig.console.Type("4\r");
  EXPECT_EQ(ui::NumberField(rig.ui, 0, 0, 0, 99, 8), 4);
  EXPECT_EQ(rig.Row(7).substr(11, 3), "4  ");
  EXPECT_EQ(rig.AttrAt(12, 7), kFieldAttr);
  EXPECT_EQ(rig.AttrAt(14, 7), kFieldAttr);
  EXPECT_EQ(Background(rig, 15, 7), 0);
}

// The line editor on "Hello" in a ten-character field at column 5, row 3.
std::string EditHello(Rig& rig) {
  return ui::LineEdit(rig.ui, 5, 3, 10, 1, 15, "Hello");
}

TEST(LineEdit, TheFirstTypedKeyReplacesTheValue) {
  Rig rig;
  rig.console.Type("X\r");
  EXPECT_EQ(EditHello(rig), "X");
  EXPECT_EQ(rig.Row(3).substr(4, 12), "X           ");
  rig.console.Type("Jelly\r");
  EXPECT_EQ(EditHello(rig), "Jelly");
  // An extended key first leaves the value: the keys then edit it.
  rig.console.Extended(key::kRight);
  rig.console.Type("X\r");
  EXPECT_EQ(EditHello(rig), "HXllo");
  rig.console.Key(key::kEnter);
  EXPECT_EQ(EditHello(rig), "Hello");
  EXPECT_EQ(rig.console.PendingKeys(), 0u);
}

TEST(LineEdit, EscapeGivesBackTheValuePassedIn) {
  Rig rig;
  rig.console.Type("Xyz");
  rig.console.Extended(key::kHome);
  rig.console.Type("Q");
  rig.console.Key(key::kEscape);
  EXPECT_EQ(EditHello(rig), "Hello");
  EXPECT_EQ(rig.Row(3).substr(4, 12), "Hello       ");
  // Even a value longer than the field comes back whole, less its
  // trailing blanks; Enter keeps only what the field held.
  rig.console.Key(key::kEscape);
  EXPECT_EQ(ui::LineEdit(rig.ui, 5, 3, 5, 1, 15, "Hello World  "), "Hello World");
  rig.console.Key(key::kEnter);
  EXPECT_EQ(ui::LineEdit(rig.ui, 5, 3, 5, 1, 15, "Hello World"), "Hello");
}

TEST(LineEdit, OverwriteModeReplacesAndAppends) {
  Rig rig;
  // End, then a character appends; Home, then one replaces the first.
  rig.console.Extended(key::kEnd);
  rig.console.Type("!");
  rig.console.Extended(key::kHome);
  rig.console.Type("J\r");
  EXPECT_EQ(EditHello(rig), "Jello!");
  // PgDn and PgUp do the same as End and Home.
  rig.console.Extended(key::kPgDn);
  rig.console.Type("?");
  rig.console.Extended(key::kPgUp);
  rig.console.Type("C\r");
  EXPECT_EQ(EditHello(rig), "Cello?");
  // Left stops at the first column, Right at the end of the value.
  rig.console.Extended(key::kLeft);
  rig.console.Type("Y");
  rig.console.Extended(key::kLeft);
  rig.console.Extended(key::kLeft);
  rig.console.Type("Z");
  for (int i = 0; i < 8; ++i) rig.console.Extended(key::kRight);
  rig.console.Type("s\r");
  EXPECT_EQ(EditHello(rig), "Zellos");
  // After the first key control characters are typed like any other.
  rig.console.Extended(key::kEnd);
  rig.console.Type("\t\x01\r");
  EXPECT_EQ(EditHello(rig), "Hello\t\x01");
  EXPECT_EQ(rig.Row(3).substr(4, 7), "Hello\t\x01");
}

TEST(LineEdit, InsertModeShiftsTheRestAndCutsAtTheFieldLength) {
  Rig rig;
  rig.console.Extended(key::kRight);
  rig.console.Extended(key::kRight);
  rig.console.Extended(key::kIns);
  rig.console.Type("XY\r");
  EXPECT_EQ(EditHello(rig), "HeXYllo");
  EXPECT_EQ(rig.Row(3).substr(4, 12), "HeXYllo     ");
  // Ins again returns to overwriting.
  rig.console.Extended(key::kIns);
  rig.console.Type("A");
  rig.console.Extended(key::kIns);
  rig.console.Type("B\r");
  EXPECT_EQ(EditHello(rig), "ABello");
  // In a full field the cursor steps back from the last cell first and
  // the character pushed out at the end is lost.
  rig.console.Extended(key::kEnd);
  rig.console.Extended(key::kIns);
  rig.console.Type("A\r");
  EXPECT_EQ(ui::LineEdit(rig.ui, 5, 3, 10, 1, 15, "0123456789"), "012345678A");
  rig.console.Extended(key::kHome);
  rig.console.Extended(key::kIns);
  rig.console.Type("AB\r");
  EXPECT_EQ(ui::LineEdit(rig.ui, 5, 3, 10, 1, 15, "0123456789"), "AB01234567");
}

TEST(LineEdit, OverwritingAFullFieldKeepsReplacingItsLastCharacter) {
  Rig rig;
  rig.console.Extended(key::kEnd);
  rig.console.Type("XY\r");
  EXPECT_EQ(ui::LineEdit(rig.ui, 5, 3, 10, 1, 15, "0123456789"), "012345678Y");
}

TEST(LineEdit, DelAndBackspace) {
  Rig rig;
  rig.console.Extended(key::kDel);  // under the cursor, the cursor staying
  rig.console.Extended(key::kDel);
  rig.console.Type("J\r");
  EXPECT_EQ(EditHello(rig), "Jlo");
  EXPECT_EQ(rig.Row(3).substr(4, 6), "Jlo   ");

  rig.console.Extended(key::kEnd);
  rig.console.Key(key::kBackspace);
  rig.console.Key(key::kBackspace);
  rig.console.Type("p\r");
  EXPECT_EQ(EditHello(rig), "Help");

  rig.console.Extended(key::kRight);
  rig.console.Key(key::kBackspace);  // deletes the H
  rig.console.Key(key::kBackspace);  // at the first column: nothing
  rig.console.Type("C\r");
  EXPECT_EQ(EditHello(rig), "Cllo");

  rig.console.Extended(key::kEnd);
  rig.console.Extended(key::kDel);  // past the end: nothing to delete
  rig.console.Type("!\r");
  EXPECT_EQ(EditHello(rig), "Hello!");

  // Emptied and given one blank, the value is that blank: only longer
  // values lose their trailing blanks.
  rig.console.Extended(key::kEnd);
  for (int i = 0; i < 5; ++i) rig.console.Key(key::kBackspace);
  rig.console.Type(" \r");
  EXPECT_EQ(EditHello(rig), " ");
}

TEST(LineEdit, TheFieldIsMaxLenPlusOneCellsAndEndsClearedOfItsColour) {
  Rig rig;
  rig.console.screen().PutText(1, 3, std::string(30, 'x'), 0x07);
  rig.console.Type("Hi\r");
  EXPECT_EQ(EditHello(rig), "Hi");
  EXPECT_EQ(rig.Row(3).substr(0, 20), "xxxxHi         xxxxx");
  for (int col = 5; col <= 15; ++col) EXPECT_EQ(Background(rig, col, 3), 0) << col;
}

TEST(LineEdit, ZeroColumnOrRowEditsAtTheCursor) {
  Rig rig;
  rig.door.DGotoRowCol(8, 20);
  rig.console.Type("Ok\r");
  EXPECT_EQ(ui::LineEdit(rig.ui, 0, 3, 6, 1, 15, "Hello"), "Ok");
  EXPECT_EQ(rig.Row(8).substr(19, 7), "Ok     ");
  EXPECT_EQ(rig.Row(3), std::string(80, ' '));
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
  EXPECT_EQ(rig.Row(11).substr(28, 26), "\xBA" + std::string(24, ' ') + "\xBA");
  EXPECT_EQ(rig.Row(12).substr(28, 26), "\xBA Al ice" + std::string(17, ' ') + "\xBA");
  EXPECT_EQ(rig.Row(13).substr(28, 26), "\xC8" + std::string(24, '\xCD') + "\xBC");
  EXPECT_EQ(rig.AttrAt(36, 10), 0x0F);

  rig.console.Extended(key::kEnd);
  rig.console.Type("   \r");
  EXPECT_EQ(ui::TextPrompt(rig.ui, "Your name", "Bob", 20, 0), "Bob");
  rig.console.Key(key::kEscape);
  EXPECT_EQ(ui::TextPrompt(rig.ui, "Your name", "Bob  ", 20, 0), "Bob");
}

TEST(TextPrompt, ALongTitleSetsTheWidth) {
  Rig rig;
  rig.console.Key(key::kEnter);
  const std::string title = "Enter the name of the new score file path";  // 41
  EXPECT_EQ(ui::TextPrompt(rig.ui, title, "", 10, 0), "");
  // w = 41, x = 19.
  EXPECT_EQ(rig.Row(10).substr(18, 45), "\xBA " + title + " \xBA");
  EXPECT_EQ(rig.Row(13).substr(18, 45), "\xC8" + std::string(43, '\xCD') + "\xBC");
}

}  // namespace
