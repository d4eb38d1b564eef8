#include "editors/player_menu.h"

#include "platform/keys.h"
#include "platform/letter_case.h"
#include "ui/menu_items.h"
#include "ui/prompts.h"

namespace editors {

namespace key = platform::key;

namespace {

void DrawItems(ui::Ui& ui, const PlayerMenuDef& menu) {
  for (int n = 1; n <= menu.Count; ++n) {
    const ui::PickItem& item = menu.Item(n);
    if (item.Hidden) continue;
    ui.door.DGotoRowCol(item.Row, item.Col);
    if (menu.ShowHotkeys) ui.CWrite(ui.HiCode + "(`%" + item.Hotkey + ui.HiCode + ") ");
    ui.CWrite("`7" + item.Text);
  }
}

void DrawPointer(ui::Ui& ui, const PlayerMenuDef& menu, int previous, int pos) {
  if (previous != 0) {
    ui.door.DGotoRowCol(menu.Item(previous).Row, menu.Item(previous).Col - 3);
    ui.door.DWrite("  ");
  }
  ui.door.DGotoRowCol(menu.Item(pos).Row, menu.Item(pos).Col - 3);
  ui.CWrite("`%=>");
}

}  // namespace

int16_t PlayerMenu(ui::Ui& ui, const PlayerMenuDef& menu) {
  if (menu.Count < 1) return ui.MenuPos = 0;
  DrawItems(ui, menu);
  // A function key leaves a negative position behind; start over on item 1.
  int pos = ui::Visible(menu, ui.MenuPos) ? ui.MenuPos : 1;
  int previous = 0;
  for (;;) {
    ui.MenuPos = static_cast<int16_t>(pos);
    DrawPointer(ui, menu, previous, pos);
    previous = pos;

    bool extended = false;
    char k = ui::ReadLocalKey(ui.door, extended);
    if (!extended) k = platform::UpperCase(k);
    if (k == key::kEnter) return ui.MenuPos = static_cast<int16_t>(pos);
    if (k == key::kEscape) return ui.MenuPos = menu.Count;
    if (extended && ui::FunctionKeyResult(k) != 0) return ui.MenuPos = ui::FunctionKeyResult(k);
    if ((extended && k == key::kUp) || k == '8') {
      pos = ui::ItemAbove(menu, pos);
    } else if ((extended && k == key::kDown) || k == '2') {
      pos = ui::ItemBelow(menu, pos);
    } else if (extended && (k == key::kLeft || k == key::kRight)) {
      continue;
    } else if (menu.ShowHotkeys) {
      if (int n = ui::HotkeyItem(menu, k)) return ui.MenuPos = static_cast<int16_t>(n);
    }
  }
}

}  // namespace editors
