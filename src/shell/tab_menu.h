// The tabbed main menu: five tab titles across the top and, under the open
// one, a framed drop-down box of its items.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "ui/ui.h"

namespace shell {

struct TabItem {
  bool Separator = false;
  std::string Text;  // the character after a "~" is the hot key, shown white
  char Hotkey = 0;
  std::string Description;
};

struct TabMenu {
  std::array<TabItem, 25> Items{};
  uint8_t Count = 0;
  uint8_t BoxCol = 1;
  uint8_t BoxRow = 1;  // the top border is on BoxRow + 2
  uint8_t TitleCol = 1;
  uint8_t TitleRow = 1;
  std::string Title;

  TabItem& Item(int n) { return Items[static_cast<size_t>(n - 1)]; }
  const TabItem& Item(int n) const { return Items[static_cast<size_t>(n - 1)]; }
  void Add(TabItem item) { Items[Count++] = std::move(item); }
};

inline constexpr int16_t kTabLeft = -75;
inline constexpr int16_t kTabRight = -77;

// Draws the tab and lets the operator choose. Returns the chosen item,
// kTabLeft or kTabRight; Escape makes the current tab the first and
// returns `exit_item` (the Main tab's last item).
int16_t RunTabMenu(ui::Ui& ui, TabMenu& tab, uint8_t hi_back, int& current_tab, int16_t exit_item);

}  // namespace shell
