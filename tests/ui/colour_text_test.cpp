#include <gtest/gtest.h>

#include "support/capture_port.h"
#include "support/rig.h"
#include "ui/ui.h"

namespace {

using testsupport::Rig;

// Plain characters stay local while the colour changes, literal backquotes
// and line ends reach the caller too.
TEST(ColourText, WhatReachesTheScreenAndWhatTheCaller) {
  Rig rig;
  auto& remote = testsupport::MakeRemote(rig.door);
  rig.ui.CWrite("`7Hi `%there");
  EXPECT_EQ(rig.Row(1).substr(0, 8), "Hi there");
  EXPECT_EQ(remote.sent, "\x1b[0;37m\x1b[40m\x1b[1;37m");

  remote.sent.clear();
  rig.ui.CWriteLn("");
  rig.ui.CWrite("a``b`xc");  // unknown codes are shown as they are
  rig.ui.CWrite("");
  EXPECT_EQ(rig.Row(2).substr(0, 6), "a`b`xc");
  EXPECT_EQ(remote.sent, "\r\n``");

  // The clear code clears locally only and moves down two lines.
  remote.sent.clear();
  rig.ui.CWrite("`cTop");
  EXPECT_EQ(rig.Row(1).substr(0, 4), "    ");
  EXPECT_EQ(rig.Row(3).substr(0, 3), "Top");
  EXPECT_EQ(remote.sent, "");
}

TEST(ColourText, EveryCodeSelectsItsColourAndTheRuleIsRed) {
  Rig rig;
  rig.ui.DrawRule(2);  // columns 1 to 78, leaving red on
  EXPECT_EQ(rig.Row(2), std::string(78, '\xC4') + "  ");
  EXPECT_EQ(rig.AttrAt(1, 2), 0x04);
  EXPECT_EQ(rig.console.screen().TextAttr() & 0x0F, 4);
  rig.console.screen().GotoXY(1, 1);
  rig.ui.CWrite("`^0`11`22`33`44`55`66`77`88`99`00`!1`@2`#3`$4`%5");
  for (int colour = 0; colour < 16; ++colour)
    EXPECT_EQ(rig.AttrAt(colour + 1, 1) & 0x0F, colour) << rig.Row(1).substr(0, 16);
  rig.console.screen().GotoXY(1, 1);
  // The background code takes its digit; `r9 leaves the background alone.
  rig.ui.CWrite("`r2A`r9abc");  // (a 9 taken as a colour would be blue)
  EXPECT_EQ(rig.Row(1).substr(0, 4), "Aabc");
  EXPECT_EQ(rig.AttrAt(1, 1) >> 4, 2);
  EXPECT_EQ(rig.AttrAt(2, 1) >> 4, 2);
  // The blink flag never reaches the colour.
  rig.ui.CWrite("`b`4X`b`4Y");
  EXPECT_EQ(rig.AttrAt(5, 1), rig.AttrAt(6, 1));
  EXPECT_EQ(rig.AttrAt(5, 1) & 0x0F, 4);
  EXPECT_EQ(rig.ui.Blink, 0);
}

}  // namespace
