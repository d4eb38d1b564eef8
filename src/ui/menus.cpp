#include "ui/menus.h"

#include <algorithm>

#include "platform/keys.h"
#include "platform/letter_case.h"
#include "ui/menu_items.h"
#include "ui/prompts.h"

namespace ui {

namespace key = platform::key;

namespace {

// A starting item inside the definition, whatever an earlier call left.
template <typename Def>
int StartItem(const Def& def, int16_t menu_pos) {
  if (menu_pos < 1) return 1;
  return std::min<int>(menu_pos, std::max<int>(def.Count, 1));
}

// Digits, Enter and Escape are compared by value, so they count whether
// they came as a plain key or as the scan code of an extended one; the
// arrows count only as extended keys.
bool IsKey(char k, bool extended, char scan, char plain) {
  return (extended && k == scan) || k == plain;
}

}  // namespace

int16_t FunctionKeyResult(char scan) {
  if (scan >= key::kF1 && scan <= key::kF10) return static_cast<int16_t>(-(scan - key::kF1 + 1));
  return 0;
}

char ReadMenuKey(door::Door& door, bool& extended) {
  char k = ReadLocalKey(door, extended);
  return extended ? k : platform::UpperCase(k);
}

int16_t LightbarMenu(Ui& ui, MenuDef& menu) {
  door::Door& door = ui.door;
  int left = door.screen().WhereX();
  int top = door.screen().WhereY();
  door.DSetBack(0);
  size_t longest = 0;
  for (int n = 1; n <= menu.Count; ++n) {
    LightbarItem& item = menu.Item(n);
    if (item.Hidden) continue;
    door.DGotoRowCol(top + n - 1, left);
    if (menu.ShowHotkeys) ui.CWrite(ui.HiCode + "  (`%" + item.Hotkey + ui.HiCode + ")");
    ui.CWrite(" `7" + item.Text);
    longest = std::max(longest, item.Text.size());
  }
  for (int n = 1; n <= menu.Count; ++n)
    if (!menu.Item(n).Hidden) menu.Item(n).Text = PadRight(menu.Item(n).Text, longest);

  int pos = StartItem(menu, ui.MenuPos);
  int previous = 0;
  for (;;) {
    ui.MenuPos = static_cast<int16_t>(pos);
    if (previous != 0) {
      door.DGotoRowCol(top + previous - 1, left - 1);
      door.DWrite("  ");
    }
    door.DGotoRowCol(top + pos - 1, left - 1);
    ui.CWrite("`%=>");
    previous = pos;

    // Keys outside the accepted set are dropped without drawing anything.
    int next = 0;
    while (next == 0) {
      bool extended = false;
      char k = ReadMenuKey(door, extended);
      if (extended && FunctionKeyResult(k) != 0) return ui.MenuPos = FunctionKeyResult(k);
      // A hot key wins over the digit keys and over extended keys whose scan
      // code is its letter; only the Up and Down arrows keep their meaning.
      bool arrow = extended && (k == key::kUp || k == key::kDown);
      if (menu.ShowHotkeys && !arrow) {
        if (int n = HotkeyItem(menu, k)) return ui.MenuPos = static_cast<int16_t>(n);
      }
      if (IsKey(k, extended, key::kUp, '8')) {
        next = ItemAbove(menu, pos);
      } else if (IsKey(k, extended, key::kDown, '2')) {
        next = ItemBelow(menu, pos);
      } else if (k == key::kEnter) {
        return ui.MenuPos = static_cast<int16_t>(pos);
      } else if (k == key::kEscape) {
        return ui.MenuPos = menu.Count;
      }
    }
    pos = next;
  }
}

namespace {

// Moves through the picker by `step` items, wrapping at either end and
// stepping on over hidden items.
int Step(const PickDef& pick, int pos, int step) {
  for (int tries = 0; tries <= 2 * kMaxMenuItems; ++tries) {
    pos += step;
    if (pos < 1) pos = pick.Count;
    if (pos > pick.Count) pos = 1;
    if (!pick.Item(pos).Hidden) return pos;
  }
  return pos;
}

void MoveLocalCursor(door::Door& door, int col, int row) {
  door.screen().GotoXY(col, row);
}

}  // namespace

int16_t ListPicker(Ui& ui, PickDef& pick) {
  door::Door& door = ui.door;
  door.screen().SetTextAttr(door.screen().TextAttr() & 0x8F);
  size_t longest = 0;
  for (int n = 1; n <= pick.Count; ++n) {
    PickItem& item = pick.Item(n);
    if (item.Hidden) continue;
    MoveLocalCursor(door, item.Col, item.Row);
    if (pick.ShowHotkeys) ui.CWrite(ui.HiCode + "(`%" + item.Hotkey + ui.HiCode + ")");
    ui.CWrite(" `7" + item.Text);
    longest = std::max(longest, item.Text.size());
  }
  if (ui.PickUpStep == 1 && ui.PickDownStep == 1) {
    for (int n = 1; n <= pick.Count; ++n)
      if (!pick.Item(n).Hidden) pick.Item(n).Text = PadRight(pick.Item(n).Text, longest);
  }

  int pos = StartItem(pick, ui.MenuPos);
  for (int tries = 0; tries < kMaxMenuItems && pos <= pick.Count && pick.Item(pos).Hidden; ++tries)
    pos = pos < pick.Count ? pos + 1 : 1;
  int previous = 0;
  for (;;) {
    ui.MenuPos = static_cast<int16_t>(pos);
    if (previous != 0) {
      const PickItem& old = pick.Item(previous);
      MoveLocalCursor(door, old.Col + 4, old.Row);
      ui.CWrite("`r0`7" + old.Text);
    }
    const PickItem& current = pick.Item(pos);
    MoveLocalCursor(door, current.Col + 4, current.Row);
    ui.CWrite("`%`r1" + current.Text);
    previous = pos;

    // Keys outside the accepted set are dropped without drawing anything.
    int next = 0;
    while (next == 0) {
      bool extended = false;
      char k = ReadMenuKey(door, extended);
      if (extended && FunctionKeyResult(k) != 0) return ui.MenuPos = FunctionKeyResult(k);
      if (!extended && pick.ShowHotkeys) {
        if (int n = HotkeyItem(pick, k)) return ui.MenuPos = static_cast<int16_t>(n);
      }
      if (IsKey(k, extended, key::kLeft, '4')) {
        next = Step(pick, pos, -1);
      } else if (IsKey(k, extended, key::kRight, '6')) {
        next = Step(pick, pos, +1);
      } else if (IsKey(k, extended, key::kUp, '8')) {
        next = pos == 25 && Visible(pick, 22) ? 22 : Step(pick, pos, -ui.PickUpStep);
      } else if (IsKey(k, extended, key::kDown, '2')) {
        next = pos >= 23 && pos <= 25 ? (pick.Item(1).Hidden ? Step(pick, 1, ui.PickDownStep) : 1)
                                      : Step(pick, pos, ui.PickDownStep);
      } else if (k == key::kEnter) {
        return ui.MenuPos = static_cast<int16_t>(pos);
      } else if (k == key::kEscape) {
        return ui.MenuPos = pick.EscapeItem;
      }
    }
    pos = next;
  }
}

}  // namespace ui
