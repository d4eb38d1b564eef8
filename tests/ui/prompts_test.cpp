#include "ui/prompts.h"

#include <gtest/gtest.h>

#include "platform/keys.h"
#include "support/rig.h"

namespace {

using testsupport::Rig;
namespace key = platform::key;

bool AskYesNo(Rig& rig, bool first_selected) {
  return ui::ChooseTwo(rig.ui, "Save changes? ", "Yes", "No ", 'Y', 'N', first_selected);
}

TEST(ChooseTwo, HotKeysAnswerAtOnceInAnyCase) {
  Rig rig;
  rig.console.Type("n");
  EXPECT_FALSE(AskYesNo(rig, true));
  rig.console.Type("y");
  EXPECT_TRUE(AskYesNo(rig, false));
}

TEST(ChooseTwo, ArrowsMoveAndEnterTakesTheSelection) {
  Rig rig;
  rig.console.Extended(key::kRight);
  rig.console.Key(key::kEnter);
  EXPECT_FALSE(AskYesNo(rig, true));
  rig.console.Type("6");
  rig.console.Extended(key::kLeft);
  rig.console.Type("4");
  rig.console.Key(key::kEnter);
  EXPECT_FALSE(AskYesNo(rig, true));
  // Escape and other keys change nothing.
  rig.console.Key(key::kEscape);
  rig.console.Type("q");
  rig.console.Key(key::kEnter);
  EXPECT_TRUE(AskYesNo(rig, true));
  EXPECT_EQ(rig.console.PendingKeys(), 0u);
}

TEST(ChooseTwo, DrawsTheFramedQuestionWithTheSelectionMarked) {
  Rig rig;
  rig.console.Type("y");
  AskYesNo(rig, true);
  // w = 14, x = 30: the frame spans columns 30-47.
  EXPECT_EQ(rig.Row(11).substr(29, 18), "\xC9" + std::string(16, '\xCD') + "\xBB");
  EXPECT_EQ(rig.Row(12).substr(29, 18), "\xBA Save changes?  \xBA");
  EXPECT_EQ(rig.Row(15).substr(29, 18), "\xC8" + std::string(16, '\xCD') + "\xBC");
  EXPECT_EQ(rig.Row(14).substr(29, 18), "\xBA   -Yes-  No    \xBA");
  EXPECT_EQ(rig.AttrAt(30, 11), 0x04);  // the frame in the low accent colour
  EXPECT_EQ(rig.AttrAt(34, 14), 0x0C);  // the selection marks in the high accent
  EXPECT_EQ(rig.AttrAt(35, 14), 0x0F);  // the selected answer in white
}

TEST(MessageBox, ShortTextsArePaddedAndAnyKeyCloses) {
  Rig rig;
  rig.console.Extended(key::kF1);  // an extended key is taken whole
  ui::MessageBox(rig.ui, "Hi");
  EXPECT_EQ(rig.console.PendingKeys(), 0u);
  // w = 11, x = 31.
  EXPECT_EQ(rig.Row(11).substr(30, 15), "\xC9" + std::string(13, '\xCD') + "\xBB");
  // The padded text and the key row run wider than the frame, as they
  // always have.
  EXPECT_EQ(rig.Row(12).substr(30, 17), "\xBA Hi" + std::string(12, ' ') + "\xBA");
  EXPECT_EQ(rig.Row(14).substr(30, 16), "\xBA <hit a key>  \xBA");
}

TEST(MessageBox, LongTextSetsTheWidth) {
  Rig rig;
  rig.console.Type(" ");
  ui::MessageBox(rig.ui, "Changes saved, all of them.");
  int w = 27, x = (80 - w) / 2 - 3;
  EXPECT_EQ(rig.Row(12).substr(x - 1, w + 4), "\xBA Changes saved, all of them. \xBA");
}

}  // namespace
