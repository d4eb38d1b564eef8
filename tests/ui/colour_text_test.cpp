#include <gtest/gtest.h>

#include "support/capture_port.h"
#include "support/rig.h"
#include "ui/ui.h"

namespace {

using testsupport::Rig;

TEST(ColourText, PlainCharactersStayLocalWhileCodesReachBothSides) {
  Rig rig;
  auto& remote = testsupport::MakeRemote(rig.door);
  rig.ui.CWrite("`7Hi `%there");
  EXPECT_EQ(rig.Row(1).substr(0, 8), "Hi there");
  EXPECT_EQ(rig.AttrAt(1, 1), 0x07);
  EXPECT_EQ(rig.AttrAt(4, 1), 0x0F);
  // The caller gets the colour changes only.
  EXPECT_EQ(remote.sent, "\x1b[0;37m\x1b[40m\x1b[1;37m");
}

TEST(ColourText, EveryColourCodeSelectsItsForeground) {
  const std::string codes = "^123456789!@#$%";
  const int expected[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15};
  for (size_t i = 0; i < codes.size(); ++i) {
    Rig rig;
    rig.ui.CWrite(std::string("`") + codes[i] + "X");
    EXPECT_EQ(rig.AttrAt(1, 1) & 0x0F, expected[i]) << "code " << codes[i];
  }
  Rig rig;
  rig.ui.CWrite("`0X");
  EXPECT_EQ(rig.AttrAt(1, 1) & 0x0F, 10);
}

TEST(ColourText, BackquotesAndUnknownCodes) {
  Rig rig;
  auto& remote = testsupport::MakeRemote(rig.door);
  rig.ui.CWrite("a``b`xc");
  EXPECT_EQ(rig.Row(1).substr(0, 6), "a`b`xc");
  EXPECT_EQ(remote.sent, "``");  // both literal backquotes reach the caller
  rig.ui.CWrite("");             // an empty text writes nothing
  EXPECT_EQ(remote.sent, "``");
}

TEST(ColourText, BackgroundCodeConsumesItsDigit) {
  Rig rig;
  rig.ui.CWrite("`r1A`r9abc");
  EXPECT_EQ(rig.Row(1).substr(0, 4), "Aabc");
  EXPECT_EQ(rig.AttrAt(1, 1) >> 4, 1);
  EXPECT_EQ(rig.AttrAt(2, 1) >> 4, 1);  // `r9 left the background as it was
}

TEST(ColourText, BlinkFlagNeverReachesTheColour) {
  Rig rig;
  rig.ui.CWrite("`b`4X`b`4Y");
  EXPECT_EQ(rig.AttrAt(1, 1), rig.AttrAt(2, 1));
  EXPECT_EQ(rig.AttrAt(1, 1) & 0x0F, 4);
  EXPECT_EQ(rig.ui.Blink, 0);
}

TEST(ColourText, ClearCodeClearsLocallyAndMovesDownTwoLines) {
  Rig rig;
  auto& remote = testsupport::MakeRemote(rig.door);
  rig.ui.CWrite("junk");
  rig.ui.CWrite("`cTop");
  EXPECT_EQ(rig.Row(1).substr(0, 4), "    ");
  EXPECT_EQ(rig.Row(3).substr(0, 3), "Top");
  EXPECT_EQ(remote.sent, "");
}

TEST(ColourText, CWriteLnEndsTheLineOnBothSides) {
  Rig rig;
  auto& remote = testsupport::MakeRemote(rig.door);
  rig.ui.CWriteLn("one");
  rig.ui.CWrite("two");
  EXPECT_EQ(rig.Row(2).substr(0, 3), "two");
  EXPECT_EQ(remote.sent, "\r\n");
}

TEST(ColourText, DrawRuleCoversColumnsOneTo78InRed) {
  Rig rig;
  rig.ui.DrawRule(2);
  EXPECT_EQ(rig.Row(2), std::string(78, '\xC4') + "  ");
  EXPECT_EQ(rig.AttrAt(1, 2), 0x04);
  EXPECT_EQ(rig.console.screen().TextAttr() & 0x0F, 4);
}

TEST(TextLayout, StripCentrePadAndCommas) {
  EXPECT_EQ(ui::StripCodes("`@Hi`r1!"), "Hi1!");
  EXPECT_EQ(ui::Centre("`%AB", 10), "    `%AB    ");
  EXPECT_EQ(ui::Centre("much too wide", 5), "much too wide");
  EXPECT_EQ(ui::PadRight("ab", 4), "ab  ");
  EXPECT_EQ(ui::PadRight("abcdef", 4), "abcdef");
  EXPECT_EQ(ui::CommaNumber(1234567), "1,234,567");
  EXPECT_EQ(ui::CommaNumber(999), "999");
  EXPECT_EQ(ui::CommaNumber(1000), "1,000");
  EXPECT_EQ(ui::CommaNumber(-1234), "-1,234");
  EXPECT_EQ(ui::CommaNumber(400000000), "400,000,000");
}

}  // namespace
