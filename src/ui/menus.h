// Selection widgets: the lightbar menu (a vertical list drawn at the cursor
// with a "=>" marker) and the list picker (items anywhere on the screen,
// the current one in a highlight bar). Both read the local keyboard, take
// hot keys and F1-F10, and leave their result in Ui::MenuPos.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "ui/ui.h"

namespace ui {

inline constexpr int kMaxMenuItems = 26;

struct LightbarItem {
  bool Hidden = false;
  std::string Text;
  char Hotkey = 0;
};

struct MenuDef {
  int16_t Count = 0;
  std::array<LightbarItem, kMaxMenuItems> Items{};
  bool ShowHotkeys = true;

  // Item n, counted from 1.
  LightbarItem& Item(int n) { return Items[static_cast<size_t>(n - 1)]; }
  const LightbarItem& Item(int n) const { return Items[static_cast<size_t>(n - 1)]; }
  // Appends an item after the last one and returns it.
  LightbarItem& Add(std::string text, char hotkey) {
    LightbarItem& item = Item(++Count);
    item.Text = std::move(text);
    item.Hotkey = hotkey;
    return item;
  }
};

struct PickItem {
  bool Hidden = false;
  std::string Text;
  char Hotkey = 0;
  uint8_t Col = 1;
  uint8_t Row = 1;
};

struct PickDef {
  int16_t Count = 0;
  std::array<PickItem, kMaxMenuItems> Items{};
  bool ShowHotkeys = true;
  uint8_t EscapeItem = 1;

  PickItem& Item(int n) { return Items[static_cast<size_t>(n - 1)]; }
  const PickItem& Item(int n) const { return Items[static_cast<size_t>(n - 1)]; }
  // Appends an item after the last one and returns it.
  PickItem& Add(std::string text, char hotkey, int col, int row) {
    PickItem& item = Item(++Count);
    item.Text = std::move(text);
    item.Hotkey = hotkey;
    item.Col = static_cast<uint8_t>(col);
    item.Row = static_cast<uint8_t>(row);
    return item;
  }
};

// Returns the chosen item, Count on Escape, or -1 to -10 for F1 to F10.
// Widens the visible item texts to one length (kept in the definition).
int16_t LightbarMenu(Ui& ui, MenuDef& menu);

// Returns the chosen item, EscapeItem on Escape, or -1 to -10 for F1 to
// F10. With both steps 1, widens the visible item texts to one length.
int16_t ListPicker(Ui& ui, PickDef& pick);

// The function-key result of a key: -1 for F1 to -10 for F10, else 0.
int16_t FunctionKeyResult(char scan);
// One key for a menu from the local keyboard: an ordinary key upper-cased,
// an extended key as its scan code with `extended` set.
char ReadMenuKey(door::Door& door, bool& extended);

}  // namespace ui
