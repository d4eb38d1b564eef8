#include "ui/menus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/keys.h"
#include "support/capture_port.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using testsupport::Rig;
namespace key = platform::key;

constexpr uint8_t kBarAttr = 0x1F;  // white on blue
constexpr int kMenuCol = 10, kMenuRow = 5;

struct Entry {
  std::string text;
  char hotkey;
  bool hidden = false;
};

ui::MenuDef Menu(const std::vector<Entry>& entries, bool show_hotkeys = true) {
  ui::MenuDef menu;
  menu.Count = static_cast<int16_t>(entries.size());
  menu.ShowHotkeys = show_hotkeys;
  for (size_t i = 0; i < entries.size(); ++i) {
    menu.Items[i].Text = entries[i].text;
    menu.Items[i].Hotkey = entries[i].hotkey;
    menu.Items[i].Hidden = entries[i].hidden;
  }
  return menu;
}

// Runs the lightbar at column 10, row 5, starting on `start`.
int16_t RunLightbar(Rig& rig, ui::MenuDef& menu, int16_t start) {
  rig.ui.MenuPos = start;
  rig.door.DGotoRowCol(kMenuRow, kMenuCol);
  return ui::LightbarMenu(rig.ui, menu);
}

ui::MenuDef Greek() {
  return Menu({{"Alpha", 'A'}, {"Beta", 'B'}, {"Gamma", 'G'}, {"Delta", 'D', true}});
}

TEST(LightbarMenu, DrawsHotKeysTextsAndTheMarkerAtTheCursor) {
  Rig rig;
  ui::MenuDef menu = Greek();
  rig.console.Type("\r");
  EXPECT_EQ(RunLightbar(rig, menu, -1), 1);  // -1 starts on item 1
  EXPECT_EQ(rig.ui.MenuPos, 1);
  EXPECT_EQ(rig.Row(5).substr(8, 13), "=> (A) Alpha ");
  EXPECT_EQ(rig.Row(6).substr(8, 13), "   (B) Beta  ");
  EXPECT_EQ(rig.Row(7).substr(8, 13), "   (G) Gamma ");
  EXPECT_EQ(rig.Row(8), std::string(80, ' '));  // a hidden item's row stays empty
  EXPECT_EQ(rig.AttrAt(13, 6), 0x0F);           // the hot key in white
  EXPECT_EQ(rig.AttrAt(12, 6), 0x0C);           // its brackets in the high accent
  EXPECT_EQ(rig.AttrAt(16, 6), 0x07);           // the text in light grey
  // The visible texts are widened to the longest one; the hidden is left.
  EXPECT_EQ(menu.Item(2).Text, "Beta ");
  EXPECT_EQ(menu.Item(3).Text, "Gamma");
  EXPECT_EQ(menu.Item(4).Text, "Delta");
}

TEST(LightbarMenu, WithoutHotKeysTheTextsStartAtTheCursorAndLettersDoNothing) {
  Rig rig;
  ui::MenuDef menu = Menu({{"Alpha", 'A'}, {"Beta", 'B'}}, false);
  rig.console.Type("b2\r");
  EXPECT_EQ(RunLightbar(rig, menu, 1), 2);
  EXPECT_EQ(rig.Row(5).substr(8, 8), "  Alpha ");
  EXPECT_EQ(rig.Row(6).substr(8, 8), "=>Beta  ");
}

TEST(LightbarMenu, UpAndDownWrapAndSkipHiddenItems) {
  Rig rig;
  ui::MenuDef menu = Menu({{"One", '1'}, {"Two", 'W'}, {"Three", 'T', true}, {"Four", 'F'}});
  rig.console.Extended(key::kDown);
  rig.console.Extended(key::kDown);  // 2 -> 4 over the hidden 3
  rig.console.Key(key::kEnter);
  EXPECT_EQ(RunLightbar(rig, menu, 1), 4);
  EXPECT_EQ(rig.Row(5).substr(8, 2), "  ");  // the old markers are erased
  EXPECT_EQ(rig.Row(6).substr(8, 2), "  ");
  EXPECT_EQ(rig.Row(8).substr(8, 2), "=>");

  rig.console.Type("8\r");  // 4 -> 2 over the hidden 3
  EXPECT_EQ(RunLightbar(rig, menu, 4), 2);
  rig.console.Type("2\r");  // from the last item to the first
  EXPECT_EQ(RunLightbar(rig, menu, 4), 1);
  rig.console.Extended(key::kUp);  // from the first item to the last
  rig.console.Key(key::kEnter);
  EXPECT_EQ(RunLightbar(rig, menu, 1), 4);
}

TEST(LightbarMenu, UpFromTheFirstItemGoesToTheLastEvenWhenItIsHidden) {
  Rig rig;
  ui::MenuDef menu = Greek();
  rig.console.Extended(key::kUp);
  rig.console.Key(key::kEnter);
  EXPECT_EQ(RunLightbar(rig, menu, 1), 4);
  EXPECT_EQ(rig.Row(8).substr(8, 2), "=>");
  // From there, Up finds the nearest visible item above.
  rig.console.Extended(key::kUp);
  rig.console.Extended(key::kUp);
  rig.console.Key(key::kEnter);
  EXPECT_EQ(RunLightbar(rig, menu, 1), 3);
}

TEST(LightbarMenu, EscapeReturnsTheCountWhateverIsCurrent) {
  Rig rig;
  ui::MenuDef menu = Greek();
  for (int16_t start : {1, 2, 3}) {
    rig.console.Key(key::kEscape);
    EXPECT_EQ(RunLightbar(rig, menu, start), 4);
    EXPECT_EQ(rig.ui.MenuPos, 4);
  }
}

TEST(LightbarMenu, FunctionKeysReturnMinusOneToMinusTen) {
  Rig rig;
  ui::MenuDef menu = Greek();
  rig.console.Extended(key::kF3);
  EXPECT_EQ(RunLightbar(rig, menu, 2), -3);
  EXPECT_EQ(rig.ui.MenuPos, -3);
  rig.console.Extended(key::kF1);
  EXPECT_EQ(RunLightbar(rig, menu, 2), -1);
  rig.console.Extended(key::kF10);
  EXPECT_EQ(RunLightbar(rig, menu, 2), -10);
  // F7 and F9 keep their meaning though their scan codes are "A" and "C".
  ui::MenuDef letters = Menu({{"Add", 'A'}, {"Copy", 'C'}});
  rig.console.Extended(key::kF7);
  EXPECT_EQ(RunLightbar(rig, letters, 2), -7);
  rig.console.Extended(key::kF9);
  EXPECT_EQ(RunLightbar(rig, letters, 1), -9);
}

TEST(LightbarMenu, AStartLeftByAFunctionKeyOrBeyondTheCountStaysInTheMenu) {
  Rig rig;
  ui::MenuDef menu = Greek();
  rig.console.Type("\r");
  EXPECT_EQ(RunLightbar(rig, menu, -3), 1);
  rig.console.Type("8\r");
  EXPECT_EQ(RunLightbar(rig, menu, 30), 3);  // started on the last item, 4
  EXPECT_EQ(rig.Row(8), std::string(80, ' '));
}

TEST(LightbarMenu, HotKeysChooseAtOnceAndWinOverDigitsAndLetterScanCodes) {
  Rig rig;
  ui::MenuDef menu = Greek();
  rig.console.Type("g");
  EXPECT_EQ(RunLightbar(rig, menu, 1), 3);
  EXPECT_EQ(rig.ui.MenuPos, 3);
  rig.console.Type("dx\r");  // a hidden item's key and unknown keys do nothing
  EXPECT_EQ(RunLightbar(rig, menu, 2), 2);

  ui::MenuDef digits = Menu({{"Up", '8'}, {"Down", '2'}, {"Quit", 'Q'}, {"Rest", 'R'}});
  rig.console.Type("2");
  EXPECT_EQ(RunLightbar(rig, digits, 3), 2);
  rig.console.Type("8");
  EXPECT_EQ(RunLightbar(rig, digits, 4), 1);
  rig.console.Extended(key::kPgDn);  // scan code "Q"
  EXPECT_EQ(RunLightbar(rig, digits, 1), 3);
  rig.console.Extended(key::kIns);  // scan code "R"
  EXPECT_EQ(RunLightbar(rig, digits, 1), 4);
}

TEST(LightbarMenu, UpAndDownArrowsKeepTheirMeaningOverTheirScanCodeLetters) {
  Rig rig;
  ui::MenuDef menu = Menu({{"Print", 'P'}, {"Help", 'H'}, {"Save", 'S'}});
  rig.console.Extended(key::kDown);  // scan code "P"
  rig.console.Extended(key::kDown);
  rig.console.Extended(key::kUp);  // scan code "H"
  rig.console.Key(key::kEnter);
  EXPECT_EQ(RunLightbar(rig, menu, 1), 2);
  EXPECT_EQ(rig.console.PendingKeys(), 0u);
  rig.console.Type("h");
  EXPECT_EQ(RunLightbar(rig, menu, 3), 2);
  // Digits and Enter count by value, also as the scan code of an
  // extended key.
  rig.console.Extended('2');
  rig.console.Extended(key::kEnter);
  EXPECT_EQ(RunLightbar(rig, menu, 1), 2);
}

// A two-column picker of 25 items: odd items on the left, even on the
// right, rows 3 to 15.
ui::PickDef TwoColumns(bool show_hotkeys = true) {
  ui::PickDef pick;
  pick.Count = 25;
  pick.ShowHotkeys = show_hotkeys;
  pick.EscapeItem = 25;
  for (int n = 1; n <= 25; ++n) {
    ui::PickItem& item = pick.Item(n);
    item.Text = "Item " + std::to_string(n);
    item.Hotkey = static_cast<char>('A' + n - 1);
    item.Col = static_cast<uint8_t>(n % 2 == 1 ? 2 : 40);
    item.Row = static_cast<uint8_t>(3 + (n - 1) / 2);
  }
  return pick;
}

int16_t RunPicker(Rig& rig, ui::PickDef& pick, int16_t start) {
  rig.ui.MenuPos = start;
  return ui::ListPicker(rig.ui, pick);
}

TEST(ListPicker, DrawsItemsWhereTheySayAndHighlightsTheCurrentOne) {
  Rig rig;
  ui::PickDef pick = TwoColumns();
  rig.console.Extended(key::kRight);
  rig.console.Key(key::kEnter);
  EXPECT_EQ(RunPicker(rig, pick, -1), 2);
  EXPECT_EQ(rig.Row(3).substr(1, 10), "(A) Item 1");
  EXPECT_EQ(rig.Row(3).substr(39, 10), "(B) Item 2");
  EXPECT_EQ(rig.Row(15).substr(1, 11), "(Y) Item 25");
  EXPECT_EQ(rig.AttrAt(3, 3), 0x0F);  // the hot key in white
  EXPECT_EQ(rig.AttrAt(2, 3), 0x0C);  // its brackets in the high accent
  EXPECT_EQ(rig.AttrAt(6, 3), 0x07);  // item 1 drawn plain again
  EXPECT_EQ(rig.AttrAt(44, 3), kBarAttr);
  EXPECT_EQ(rig.AttrAt(49, 3), kBarAttr);
  // Two columns: the texts keep their own lengths.
  EXPECT_EQ(pick.Item(1).Text, "Item 1");
}

TEST(ListPicker, TwoColumnStepsAndTheirSpecialRows) {
  Rig rig;
  ui::PickDef pick = TwoColumns();
  auto step = [&](int16_t from, char scan) {
    rig.console.Extended(scan);
    rig.console.Key(key::kEnter);
    return RunPicker(rig, pick, from);
  };
  EXPECT_EQ(step(5, key::kDown), 7);
  EXPECT_EQ(step(22, key::kDown), 24);
  EXPECT_EQ(step(23, key::kDown), 1);
  EXPECT_EQ(step(24, key::kDown), 1);
  EXPECT_EQ(step(25, key::kDown), 1);
  EXPECT_EQ(step(7, key::kUp), 5);
  EXPECT_EQ(step(25, key::kUp), 22);
  EXPECT_EQ(step(24, key::kUp), 22);
  EXPECT_EQ(step(1, key::kUp), 25);  // below 1 wraps to the count
  EXPECT_EQ(step(2, key::kUp), 25);
  EXPECT_EQ(step(1, key::kLeft), 25);
  EXPECT_EQ(step(25, key::kRight), 1);
  EXPECT_EQ(step(12, key::kLeft), 11);
  pick.Item(22).Hidden = true;
  EXPECT_EQ(step(25, key::kUp), 23);  // the jump to 22 needs it visible
  // The digits move as the arrows do.
  rig.console.Type("2\r");
  EXPECT_EQ(RunPicker(rig, pick, 5), 7);
  rig.console.Type("8\r");
  EXPECT_EQ(RunPicker(rig, pick, 5), 3);
  rig.console.Type("4\r");
  EXPECT_EQ(RunPicker(rig, pick, 5), 4);
  rig.console.Type("6\r");
  EXPECT_EQ(RunPicker(rig, pick, 5), 6);
}

TEST(ListPicker, HiddenItemsAreSkippedInEveryDirection) {
  Rig rig;
  ui::PickDef pick = TwoColumns();
  for (int n : {1, 7, 9, 24}) pick.Item(n).Hidden = true;
  auto step = [&](int16_t from, char scan) {
    rig.console.Extended(scan);
    rig.console.Key(key::kEnter);
    return RunPicker(rig, pick, from);
  };
  EXPECT_EQ(step(5, key::kDown), 11);
  EXPECT_EQ(step(11, key::kUp), 5);
  EXPECT_EQ(step(8, key::kLeft), 6);
  EXPECT_EQ(step(6, key::kRight), 8);
  EXPECT_EQ(step(25, key::kRight), 2);  // wraps to 1, which is hidden
  EXPECT_EQ(step(2, key::kLeft), 25);
  EXPECT_EQ(step(23, key::kDown), 3);  // to 1, hidden, then one step on
  EXPECT_EQ(step(3, key::kUp), 25);    // below 1 to 25
  EXPECT_EQ(step(22, key::kDown), 3);  // 24 hidden, past the count to 1, hidden
}

TEST(ListPicker, StartsOnTheFirstVisibleItemFromMenuPos) {
  Rig rig;
  ui::PickDef pick = TwoColumns();
  pick.Item(1).Hidden = pick.Item(2).Hidden = pick.Item(5).Hidden = true;
  rig.console.Type("\r");
  EXPECT_EQ(RunPicker(rig, pick, -1), 3);
  rig.console.Type("\r");
  EXPECT_EQ(RunPicker(rig, pick, 5), 6);
  // Starts left by a function key or beyond the count stay in the list.
  rig.console.Type("\r");
  EXPECT_EQ(RunPicker(rig, pick, -4), 3);
  rig.console.Type("\r");
  EXPECT_EQ(RunPicker(rig, pick, 40), 25);
}

TEST(ListPicker, EscapeFunctionKeysAndHotKeys) {
  Rig rig;
  ui::PickDef pick = TwoColumns();
  pick.EscapeItem = 9;
  rig.console.Key(key::kEscape);
  EXPECT_EQ(RunPicker(rig, pick, 3), 9);
  EXPECT_EQ(rig.ui.MenuPos, 9);
  rig.console.Extended(key::kF3);
  EXPECT_EQ(RunPicker(rig, pick, 3), -3);
  EXPECT_EQ(rig.ui.MenuPos, -3);
  rig.console.Extended(key::kF10);
  EXPECT_EQ(RunPicker(rig, pick, 3), -10);
  rig.console.Type("e");
  EXPECT_EQ(RunPicker(rig, pick, 1), 5);
  EXPECT_EQ(rig.ui.MenuPos, 5);
  // Hot keys come from ordinary keys only: PgDn (scan code "Q") and Ins
  // ("R") choose nothing here.
  rig.console.Extended(key::kPgDn);
  rig.console.Extended(key::kIns);
  rig.console.Key(key::kEnter);
  EXPECT_EQ(RunPicker(rig, pick, 1), 1);
  pick.Item(5).Hidden = true;
  rig.console.Type("e\r");  // a hidden item's key does nothing
  EXPECT_EQ(RunPicker(rig, pick, 1), 1);
}

TEST(ListPicker, AHotKeyThatIsADigitChoosesItsItem) {
  Rig rig;
  ui::PickDef pick = TwoColumns();
  pick.Item(12).Hotkey = '2';
  pick.Item(14).Hotkey = '6';
  rig.console.Type("2");
  EXPECT_EQ(RunPicker(rig, pick, 1), 12);
  rig.console.Type("6");
  EXPECT_EQ(RunPicker(rig, pick, 1), 14);
  rig.console.Type("4\r");  // no item has 4: it moves left
  EXPECT_EQ(RunPicker(rig, pick, 3), 2);
}

TEST(ListPicker, WithoutHotKeysTheBarIsStillAtColPlusFour) {
  Rig rig;
  ui::PickDef pick = TwoColumns(false);
  rig.console.Type("a\r");  // letters choose nothing
  EXPECT_EQ(RunPicker(rig, pick, 3), 3);
  // Item 3 at column 2: its text starts at column 3, the bar at column 6.
  EXPECT_EQ(rig.Row(4).substr(1, 11), " IteItem 3 ");
  EXPECT_EQ(rig.AttrAt(6, 4), kBarAttr);
  EXPECT_EQ(rig.AttrAt(11, 4), kBarAttr);
  EXPECT_NE(rig.AttrAt(5, 4), kBarAttr);
}

TEST(ListPicker, ASingleColumnListWidensTheBarToTheLongestText) {
  Rig rig;
  rig.ui.PickUpStep = rig.ui.PickDownStep = 1;
  ui::PickDef pick;
  pick.Count = 3;
  const char* texts[] = {"Short", "A longer one", "Mid"};
  for (int n = 1; n <= 3; ++n) {
    pick.Item(n).Text = texts[n - 1];
    pick.Item(n).Hotkey = static_cast<char>('0' + n);
    pick.Item(n).Col = 5;
    pick.Item(n).Row = static_cast<uint8_t>(9 + n);
  }
  rig.console.Extended(key::kDown);
  rig.console.Extended(key::kDown);
  rig.console.Extended(key::kDown);  // 1 -> 2 -> 3 -> 1
  rig.console.Extended(key::kUp);    // 1 -> 3
  rig.console.Key(key::kEnter);
  EXPECT_EQ(RunPicker(rig, pick, 1), 3);
  EXPECT_EQ(pick.Item(3).Text, "Mid         ");
  EXPECT_EQ(rig.AttrAt(9, 12), kBarAttr);
  EXPECT_EQ(rig.AttrAt(20, 12), kBarAttr);
  EXPECT_EQ(rig.AttrAt(9, 10), 0x07);  // the others drawn plain, their full width
  EXPECT_EQ(rig.AttrAt(20, 10), 0x07);
}

// Keys outside the accepted set are read and dropped without drawing
// anything again, so a caller sees no erase-and-redraw for them.
TEST(Menus, KeysOutsideTheAcceptedSetRedrawNothing) {
  testsupport::SnoopRig rig;
  testsupport::CapturePort& caller = testsupport::MakeRemote(rig.door);
  std::vector<size_t> sent;  // bytes sent by the time each key byte is read
  rig.console.on_read = [&] { sent.push_back(caller.sent.size()); };

  // A letter that is no hot key, Left (scan code "K", no hot key either)
  // and "6" are ignored; Down moves.
  rig.console.Type("x");
  rig.console.Extended(key::kLeft);
  rig.console.Type("6");
  rig.console.Extended(key::kDown);
  rig.console.Key(key::kEnter);
  ui::MenuDef menu = Greek();
  rig.ui.MenuPos = 1;
  rig.door.DGotoRowCol(kMenuRow, kMenuCol);
  EXPECT_EQ(ui::LightbarMenu(rig.ui, menu), 2);
  ASSERT_EQ(sent.size(), 7u);
  EXPECT_EQ(sent[5], sent[0]);
  EXPECT_GT(sent[6], sent[5]);

  // In the picker a letter that is no hot key and any extended key that is
  // no arrow are ignored; "6" moves.
  sent.clear();
  rig.console.Type("z");
  rig.console.Extended(key::kPgDn);
  rig.console.Type("6\r");
  ui::PickDef pick = TwoColumns();
  rig.ui.MenuPos = 1;
  EXPECT_EQ(ui::ListPicker(rig.ui, pick), 2);
  ASSERT_EQ(sent.size(), 5u);
  EXPECT_EQ(sent[3], sent[0]);
  EXPECT_GT(sent[4], sent[3]);
}

}  // namespace
