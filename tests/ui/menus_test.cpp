#include "ui/menus.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "platform/keys.h"
#include "support/key_names.h"
#include "support/rig.h"

namespace {

using testsupport::Rig;
using namespace testsupport::keys;

constexpr uint8_t kBarAttr = 0x1F;  // white on blue
constexpr int kMenuCol = 10, kMenuRow = 5;

// Each entry is its hot key followed by its text; a leading "-" hides it.
ui::MenuDef Menu(std::initializer_list<std::string_view> entries) {
  ui::MenuDef menu;
  for (std::string_view entry : entries) {
    bool hidden = entry[0] == '-';
    menu.Add(std::string(entry.substr(hidden ? 2 : 1)), entry[hidden ? 1 : 0]).Hidden = hidden;
  }
  return menu;
}

int16_t RunLightbar(Rig& rig, ui::MenuDef& menu, int16_t start, const std::string& keys) {
  rig.console.Type(keys);
  rig.ui.MenuPos = start;
  rig.door.DGotoRowCol(kMenuRow, kMenuCol);
  return ui::LightbarMenu(rig.ui, menu);
}

const ui::MenuDef kGreek = Menu({"AAlpha", "BBeta", "GGamma", "-DDelta"});

TEST(LightbarMenu, DrawsHotKeysTextsAndTheMarkerAtTheCursor) {
  Rig rig;
  ui::MenuDef menu = kGreek;
  EXPECT_EQ(RunLightbar(rig, menu, -1, "\r"), 1);  // -1 starts on item 1
  EXPECT_EQ(rig.Row(5).substr(8, 13), "=> (A) Alpha ");
  EXPECT_EQ(rig.Row(8), std::string(80, ' '));  // a hidden item's row stays empty
  EXPECT_EQ(rig.AttrAt(13, 6), 0x0F);           // the hot key in white
  EXPECT_EQ(rig.AttrAt(12, 6), 0x0C);           // its brackets in the high accent
  // The visible texts are widened to the longest one; the hidden is left.
  EXPECT_EQ(menu.Item(2).Text, "Beta ");
  EXPECT_EQ(menu.Item(4).Text, "Delta");

  // A move erases the old marker; a letter that is no hot key, Left (its
  // scan code is "K") and "6" do nothing.
  EXPECT_EQ(RunLightbar(rig, menu, 1, "x" + kLeft + "6" + kDown + kDown + "\r"), 3);
  EXPECT_EQ(rig.Row(5).substr(8, 2), "  ");
  EXPECT_EQ(rig.Row(7).substr(8, 2), "=>");
}

TEST(LightbarMenu, KeysMoveWrapSkipHiddenItemsAndChoose) {
  ui::MenuDef greek = kGreek;
  ui::MenuDef four = Menu({"1One", "WTwo", "-TThree", "FFour"});
  ui::MenuDef digits = Menu({"8Up", "2Down", "QQuit", "RRest"});
  ui::MenuDef arrows = Menu({"PPrint", "HHelp", "SSave"});
  const std::tuple<ui::MenuDef*, int16_t, std::string, int16_t> cases[] = {
      {&four, 1, kDown + kDown + "\r", 4},  // over the hidden 3
      {&four, 4, "2\r", 1},                 // from the last item to the first
      {&greek, 1, kUp + "\r", 4},           // to the last even when it is hidden
      {&greek, 2, kEsc, 4},                 // Escape: the count whatever is current
      {&greek, 2, kF3, -3},                 // function keys: -1 to -10
      {&greek, 2, Extended(platform::key::kF10), -10},
      // F7 keeps its meaning though its scan code is "A", a hot key here.
      {&greek, 2, Extended(platform::key::kF7), -7},
      {&greek, -3, "\r", 1},   // a start left by a function key
      {&greek, 30, "8\r", 3},  // a start beyond the count: the last item
      {&greek, 1, "g", 3},     // hot keys choose at once
      {&greek, 2, "dx\r", 2},  // a hidden item's key and unknown keys do nothing
      {&digits, 3, "2", 2},    // hot keys win over the digits
      {&digits, 1, kPgDn, 3},  // and over the scan codes: "Q"
      {&arrows, 1, kDown + kDown + kUp + "\r", 2},  // the arrows over "P" and "H"
      // Digits and Enter count by value, also as the scan code of an
      // extended key.
      {&arrows, 1, Extended('2') + Extended(platform::key::kEnter), 2},
  };
  for (const auto& [menu, start, keys, want] : cases) {
    Rig rig;
    EXPECT_EQ(RunLightbar(rig, *menu, start, keys), want) << keys;
    EXPECT_EQ(rig.ui.MenuPos, want) << keys;
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << keys;
  }
}

// A two-column picker of 25 items: odd items on the left, even on the
// right, rows 3 to 15; Escape gives item 9.
ui::PickDef TwoColumns() {
  ui::PickDef pick;
  pick.EscapeItem = 9;
  for (int n = 1; n <= 25; ++n)
    pick.Add("Item " + std::to_string(n), static_cast<char>('A' + n - 1), n % 2 == 1 ? 2 : 40,
             3 + (n - 1) / 2);
  return pick;
}

int16_t RunPicker(Rig& rig, ui::PickDef& pick, int16_t start) {
  rig.ui.MenuPos = start;
  return ui::ListPicker(rig.ui, pick);
}

TEST(ListPicker, DrawsItemsWhereTheySayAndHighlightsTheCurrentOne) {
  Rig rig;
  ui::PickDef pick = TwoColumns();
  rig.console.Type(kRight + "\r");
  EXPECT_EQ(RunPicker(rig, pick, -1), 2);
  EXPECT_EQ(rig.Row(3).substr(1, 10), "(A) Item 1");
  EXPECT_EQ(rig.Row(15).substr(1, 11), "(Y) Item 25");
  EXPECT_EQ(rig.AttrAt(3, 3), 0x0F);  // the hot key in white
  EXPECT_EQ(rig.AttrAt(2, 3), 0x0C);  // its brackets in the high accent
  EXPECT_EQ(rig.AttrAt(6, 3), 0x07);  // item 1 drawn plain again
  EXPECT_EQ(rig.AttrAt(49, 3), kBarAttr);
  // Two columns: the texts keep their own lengths.
  EXPECT_EQ(pick.Item(1).Text, "Item 1");

  // A single-column list (steps 1) widens the texts to the longest, so that
  // the bar has one width: item 2's bar runs from column 44 to 50.
  Rig single;
  single.ui.PickUpStep = single.ui.PickDownStep = 1;
  ui::PickDef list = TwoColumns();
  single.console.Type(kDown + kDown + kUp + "\r");  // 1 -> 2 -> 3 -> 2
  EXPECT_EQ(RunPicker(single, list, 1), 2);
  EXPECT_EQ(list.Item(2).Text, "Item 2 ");
  EXPECT_EQ(single.AttrAt(50, 3), kBarAttr);
  EXPECT_NE(single.AttrAt(51, 3), kBarAttr);
}

TEST(ListPicker, KeysMoveWrapSkipHiddenItemsAndChoose) {
  // Hidden items, keys (then Enter), and starts with the items they lead to.
  using Starts = std::vector<std::pair<int16_t, int16_t>>;
  const std::vector<int> none, some = {1, 7, 9, 24};
  const std::tuple<std::vector<int>, std::string, Starts> steps[] = {
      {none, kDown, {{5, 7}, {23, 1}, {24, 1}}},
      {none, kUp, {{7, 5}, {25, 22}, {2, 25}}},  // below 1 wraps to the count
      {none, kLeft, {{1, 25}, {12, 11}}},
      {{22}, kUp, {{25, 23}}},                     // the jump to 22 needs it visible
      {none, "2", {{5, 7}}},                       // the digits move as the arrows do
      {some, kDown, {{5, 11}, {23, 3}, {22, 3}}},  // on past hidden items, 1 among them
      {some, kLeft, {{8, 6}, {2, 25}}},
      // From any start, also one left by a function key or beyond the
      // count, the first visible item.
      {{1, 2, 5}, "", {{-1, 3}, {5, 6}, {-4, 3}, {40, 25}}},
      // Hot keys come from ordinary keys only: PgDn (scan code "Q") and Ins
      // ("R") choose nothing here, nor does a hidden item's key.
      {none, kPgDn + kIns, {{1, 1}}},
      {{5}, "e", {{1, 1}}},
      // Escape, function keys and hot keys choose at once.
      {none, kEsc, {{3, 9}}},
      {none, Extended(platform::key::kF10), {{3, -10}}},
      {none, "e" + kDown, {{3, 5}}},
  };
  for (const auto& [hidden, keys, starts] : steps) {
    for (auto [from, to] : starts) {
      Rig rig;
      ui::PickDef pick = TwoColumns();
      for (int n : hidden) pick.Item(n).Hidden = true;
      rig.console.Type(keys + "\r");
      EXPECT_EQ(RunPicker(rig, pick, from), to) << from << " " << keys;
      EXPECT_EQ(rig.ui.MenuPos, to);
    }
  }
}

}  // namespace
