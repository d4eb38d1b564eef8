// The menu of the player screens: up to 30 items placed anywhere on the
// screen, each marked by a "=>" pointer three columns to its left.
#pragma once

#include <array>
#include <cstdint>

#include "ui/menus.h"
#include "ui/ui.h"

namespace editors {

inline constexpr int kMaxPlayerMenuItems = 30;

struct PlayerMenuDef {
  int16_t Count = 0;
  std::array<ui::PickItem, kMaxPlayerMenuItems> Items{};
  bool ShowHotkeys = true;

  ui::PickItem& Item(int n) { return Items[static_cast<size_t>(n - 1)]; }
  const ui::PickItem& Item(int n) const { return Items[static_cast<size_t>(n - 1)]; }
};

// Starts on ui.MenuPos (-1: item 1). Returns the chosen item (Count on
// Escape) or -1 to -10 for F1 to F10, and leaves it in ui.MenuPos.
int16_t PlayerMenu(ui::Ui& ui, const PlayerMenuDef& menu);

}  // namespace editors
