#include "ui/prompts.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "support/key_names.h"
#include "support/rig.h"

namespace {

using testsupport::Rig;
using namespace testsupport::keys;

bool AskYesNo(Rig& rig, bool first_selected) {
  return ui::ChooseTwo(rig.ui, "Save changes? ", "Yes", "No ", 'Y', 'N', first_selected);
}

// "4" and "6" move as the arrows do, and Escape and other keys change
// nothing (the shell's switches show hot keys in any case and Right).
TEST(ChooseTwo, KeysMoveTheSelectionOrAnswer) {
  using Case = std::tuple<bool, std::string, bool>;
  for (const auto& [first_selected, keys, want] :
       {Case{false, "y", true}, Case{true, "6" + kLeft + "4\r", false},
        Case{true, kEsc + "q\r", true}}) {
    Rig rig;
    rig.console.Type(keys);
    EXPECT_EQ(AskYesNo(rig, first_selected), want) << keys;
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << keys;
  }
  Rig rig;
  rig.console.Type("y");
  AskYesNo(rig, true);
  // w = 14, x = 30: the frame spans columns 30-47.
  EXPECT_EQ(rig.Row(11).substr(29, 18), "\xC9" + std::string(16, '\xCD') + "\xBB");
  EXPECT_EQ(rig.Row(12).substr(29, 18), "\xBA Save changes?  \xBA");
  EXPECT_EQ(rig.Row(14).substr(29, 18), "\xBA   -Yes-  No    \xBA");
  EXPECT_EQ(rig.AttrAt(30, 11), 0x04);  // the frame in the low accent colour
  EXPECT_EQ(rig.AttrAt(34, 14), 0x0C);  // the selection marks in the high accent
  EXPECT_EQ(rig.AttrAt(35, 14), 0x0F);  // the selected answer in white

  // The answers sit six columns apart whatever the hot key marks.
  // "On " and "Off" with the keys N and F: the marks are case-sensitive, so
  // neither answer is marked, yet the keys still answer in any case (the
  // shell's multinode switch checks "N").
  auto ask = [](Rig& rig, bool first) {
    return ui::ChooseTwo(rig.ui, "Multinode support?", "On ", "Off", 'N', 'F', first);
  };
  rig.console.Type("f");
  EXPECT_FALSE(ask(rig, true));
  // w = 18, x = 28; the first answer is drawn from column 34, the second
  // from column 40.
  EXPECT_EQ(rig.Row(14).substr(27, 22), "\xBA     -On -  Off     \xBA");
  EXPECT_EQ(rig.AttrAt(35, 14), 0x0F);
  EXPECT_EQ(rig.AttrAt(41, 14), 0x07);
}

// Empty lines before the last text stay and the frame follows them; the
// longest line sets the width. The key row runs one column wider than the
// frame, as it always has.
TEST(MessageLinesAndBox, EmptyLinesBeforeTheLastTextStayAndTheLongestSetsTheWidth) {
  Rig rig;
  rig.console.Type(kF1);  // one key closes it, an extended one whole
  ui::MessageLines(rig.ui, {"First", "", "Third", "", ""}, false);
  EXPECT_EQ(rig.console.PendingKeys(), 0u);
  // w = 11, x = 31; three text rows, so "<hit a key>" is on row 16.
  EXPECT_EQ(rig.Row(12).substr(30, 9), "\xBA First \xBA");
  EXPECT_EQ(rig.Row(14).substr(30, 9), "\xBA Third \xBA");
  EXPECT_EQ(rig.Row(16).substr(30, 16), "\xBA <hit a key>  \xBA");
  EXPECT_EQ(rig.Row(17).substr(30, 15), "\xC8" + std::string(13, '\xCD') + "\xBC");
  EXPECT_EQ(rig.AttrAt(33, 12), 0x0F);  // the text in white

  rig.console.Type("x");
  ui::MessageLines(rig.ui, {"Short", "A much longer line here", "", "", ""}, false);
  EXPECT_EQ(rig.Row(13).substr(24, 27), "\xBA A much longer line here \xBA");  // w = 23, x = 25

  // The one-line box: short texts are padded to 13 characters in a frame of
  // width 11; longer ones set the width.
  rig.console.Type("  ");
  ui::MessageBox(rig.ui, "Hi");  // w = 11, x = 31
  EXPECT_EQ(rig.Row(12).substr(30, 17), "\xBA Hi" + std::string(12, ' ') + "\xBA");
  ui::MessageBox(rig.ui, "Changes saved, all of them.");  // w = 27, x = 23
  EXPECT_EQ(rig.Row(12).substr(22, 31), "\xBA Changes saved, all of them. \xBA");
}

}  // namespace
