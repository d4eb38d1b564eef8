#include "shell/tab_menu.h"

#include <algorithm>

#include "platform/keys.h"
#include "platform/letter_case.h"
#include "ui/prompts.h"

namespace shell {

namespace key = platform::key;

namespace {

constexpr int kWhite = 15;
constexpr int kLightGrey = 7;

std::string Repeat(char c, int n) {
  return std::string(static_cast<size_t>(std::max(n, 0)), c);
}

int BoxWidth(const TabMenu& tab) {
  int w = 0;
  for (int n = 1; n <= tab.Count; ++n)
    if (!tab.Item(n).Separator)
      w = std::max(w, static_cast<int>(ui::StripCodes(tab.Item(n).Text).size()));
  return w;
}

// Every row shows w characters once the "~" marks are hidden.
std::string PaddedText(const std::string& text, int w) {
  std::string padded = ui::PadRight(text, static_cast<size_t>(w));
  padded.append(static_cast<size_t>(std::count(text.begin(), text.end(), '~')), ' ');
  return padded;
}

void WriteItemText(door::Door& door, const std::string& text) {
  door.DSetFore(kLightGrey);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '~' && i + 1 < text.size()) {
      door.DSetFore(kWhite);
      door.DWrite(text.substr(++i, 1));
      door.DSetFore(kLightGrey);
    } else if (text[i] != '~') {
      door.DWrite(text.substr(i, 1));
    }
  }
}

void DrawBox(ui::Ui& ui, const TabMenu& tab, int x, int w, uint8_t hi_back) {
  door::Door& door = ui.door;
  door.DGotoRowCol(tab.TitleRow, tab.TitleCol - 1);
  door.DSetFore(kWhite);
  door.DSetBack(hi_back);
  door.DWrite(" " + tab.Title + " ");
  door.DSetBack(0);

  door.DGotoRowCol(tab.BoxRow + 2, x);
  ui.CWrite(ui.HiCode + "\xD5" + Repeat('\xCD', w + 4) + "\xB8");
  for (int n = 1; n <= tab.Count; ++n) {
    const TabItem& item = tab.Item(n);
    door.DGotoRowCol(tab.BoxRow + 2 + n, x);
    ui.CWrite(ui.HiCode + "\xB3   ");
    if (item.Separator)
      door.DWrite(Repeat(' ', w));
    else
      WriteItemText(door, PaddedText(item.Text, w));
    door.DWrite(" ");
    ui.CWrite(ui.HiCode + "\xB3");
  }
  door.DGotoRowCol(tab.BoxRow + 3 + tab.Count, x);
  ui.CWrite(ui.HiCode + "\xD4" + Repeat('\xCD', w + 4) + "\xBE");
}

int FirstSelectable(const TabMenu& tab, int sel) {
  if (sel == -1 || sel < 1) sel = 1;
  if (sel > tab.Count) sel = tab.Count;
  while (sel > 1 && tab.Item(sel).Separator) --sel;
  return sel;
}

int MoveUp(const TabMenu& tab, int sel) {
  if (sel == 1) return tab.Count;
  do --sel;
  while (sel > 1 && tab.Item(sel).Separator);
  return sel;
}

int MoveDown(const TabMenu& tab, int sel) {
  if (sel == tab.Count) return 1;
  do ++sel;
  while (sel < tab.Count && tab.Item(sel).Separator);
  return sel;
}

void ShowSelection(ui::Ui& ui, const TabMenu& tab, int x, int sel, int& shown) {
  door::Door& door = ui.door;
  door.DSetBack(0);
  if (shown != 0) {
    door.DGotoRowCol(tab.BoxRow + 2 + shown, x + 1);
    door.DWrite("  ");
  }
  door.DSetFore(kWhite);
  door.DGotoRowCol(24, 1);
  door.DWrite(ui::Centre(tab.Item(sel).Description, 79));
  door.DGotoRowCol(tab.BoxRow + 2 + sel, x + 1);
  door.DWrite("=>");
  shown = sel;
}

}  // namespace

int16_t RunTabMenu(ui::Ui& ui, TabMenu& tab, uint8_t hi_back, int& current_tab, int16_t exit_item) {
  int w = BoxWidth(tab);
  int x = tab.BoxCol;
  if (x + w + 5 >= 80) x = 75 - w;
  DrawBox(ui, tab, x, w, hi_back);

  int sel = FirstSelectable(tab, ui.MenuPos);
  int shown = 0;
  for (;;) {
    ui.MenuPos = static_cast<int16_t>(sel);
    ShowSelection(ui, tab, x, sel, shown);
    bool extended = false;
    char k = ui::ReadLocalKey(ui.door, extended);
    if (!extended) {
      k = platform::UpperCase(k);
      for (int n = 1; n <= tab.Count; ++n) {
        if (!tab.Item(n).Separator && tab.Item(n).Hotkey == k)
          return ui.MenuPos = static_cast<int16_t>(n);
      }
    }
    if (extended ? k == key::kUp : k == '8') {
      sel = MoveUp(tab, sel);
    } else if (extended ? k == key::kDown : k == '2') {
      sel = MoveDown(tab, sel);
    } else if (extended ? k == key::kLeft : k == '4') {
      ui.MenuPos = -1;
      return kTabLeft;
    } else if (extended ? k == key::kRight : k == '6') {
      ui.MenuPos = -1;
      return kTabRight;
    } else if (!extended && k == key::kEnter) {
      return static_cast<int16_t>(sel);
    } else if (!extended && k == key::kEscape) {
      current_tab = 1;
      return exit_item;
    }
  }
}

}  // namespace shell
