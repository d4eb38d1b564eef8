#include "editors/player_menu.h"

#include <optional>

#include "platform/keys.h"
#include "ui/menu_items.h"

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

// The pointer moves to an item, or the menu ends with a result.
struct Choice {
  int move_to = 0;
  std::optional<int16_t> result;
};

// Reads keys until one of them means something; the others draw nothing.
Choice ReadChoice(ui::Ui& ui, const PlayerMenuDef& menu, int pos) {
  for (;;) {
    bool extended = false;
    char k = ui::ReadMenuKey(ui.door, extended);
    if (k == key::kEnter) return {0, static_cast<int16_t>(pos)};
    if (k == key::kEscape) return {0, menu.Count};
    if (extended && ui::FunctionKeyResult(k) != 0) return {0, ui::FunctionKeyResult(k)};
    if ((extended && k == key::kUp) || k == '8') return {ui::ItemAbove(menu, pos), {}};
    if ((extended && k == key::kDown) || k == '2') return {ui::ItemBelow(menu, pos), {}};
    if (extended && (k == key::kLeft || k == key::kRight)) continue;
    if (menu.ShowHotkeys) {
      if (int n = ui::HotkeyItem(menu, k)) return {0, static_cast<int16_t>(n)};
    }
  }
}

// Hidden while the menu runs: the pointer shows where the operator is.
class HiddenCursor {
 public:
  explicit HiddenCursor(platform::Screen& screen) : screen_(screen) {
    screen_.SetCursorVisible(false);
  }
  ~HiddenCursor() { screen_.SetCursorVisible(true); }
  HiddenCursor(const HiddenCursor&) = delete;
  HiddenCursor& operator=(const HiddenCursor&) = delete;

 private:
  platform::Screen& screen_;
};

}  // namespace

int16_t PlayerMenu(ui::Ui& ui, const PlayerMenuDef& menu) {
  if (menu.Count < 1) return ui.MenuPos = 0;
  HiddenCursor hidden(ui.door.screen());
  DrawItems(ui, menu);
  // A function key leaves a negative position behind; start over on item 1.
  int pos = ui::Visible(menu, ui.MenuPos) ? ui.MenuPos : 1;
  int previous = 0;
  for (;;) {
    ui.MenuPos = static_cast<int16_t>(pos);
    DrawPointer(ui, menu, previous, pos);
    previous = pos;
    Choice choice = ReadChoice(ui, menu, pos);
    if (choice.result) return ui.MenuPos = *choice.result;
    pos = choice.move_to;
  }
}

}  // namespace editors
