#include "editors/monster_editor.h"

#include <array>

#include "editors/monster_record.h"
#include "editors/record_editor.h"
#include "platform/files.h"
#include "ui/menus.h"
#include "ui/prompts.h"

namespace editors {

namespace {

constexpr const char* kTitle = "** `%Keld 4.07 Monster Editor ";
constexpr int kTitleWidth = 73;
constexpr int kInPlaceCol = 23;
constexpr int kDeathCol = 5, kDeathRow = 12, kDeathMaxLen = 60, kDeathMinLen = 3;

using M = MonsterRecord;
const std::array<Field<M>, 6> kFields = {
    TextEntry<M>("Name         : ", 'A', &M::Name, 30),
    TextEntry<M>("Weapon       : ", 'W', &M::Weapon, 20),
    NumberEntry<M>("Strength     : ", 'S', &M::Strength, 1, 32000),
    NumberEntry<M>("Gold         : ", 'G', &M::Gold, 1, 1000000),
    NumberEntry<M>("XP points    : ", 'E', &M::Experience, 1, 1000000),
    NumberEntry<M>("Hit points   : ", 'H', &M::HitPoints, 1, 1000000),
};
enum EditItem { kDeathString = 7, kDeathRowKeeper, kQuit };

ui::MenuDef EditMenu(const MonsterRecord& m) {
  ui::MenuDef menu;
  for (const Field<M>& f : kFields) menu.Add(f.Label + f.Value(m), f.Hotkey);
  menu.Add("Death String : ", 'D');
  menu.Add("", 0).Hidden = true;  // keeps row 12 free for the text
  menu.Add("Quit", 'Q');
  menu.ShowHotkeys = true;
  return menu;
}

void EditDeathString(ui::Ui& ui, MonsterRecord& m) {
  for (;;) {
    m.DeathString =
        ui::LineEdit(ui, kDeathCol, kDeathRow, kDeathMaxLen, kFieldBack, kFieldFore, m.DeathString);
    if (m.DeathString.size() >= kDeathMinLen) return;
    ui.door.DGotoRowCol(kDeathRow + 1, 1);
    ui.door.DWrite("Too short, try again");
  }
}

// Edits the monster in `m` until "Quit" (or Escape) is chosen.
void EditMonster(ui::Ui& ui, MonsterRecord& m) {
  ui.MenuPos = -1;
  for (;;) {
    ui.door.DSetBack(0);
    EditorFrame(ui, EditorTitle(ui, kTitle, "**"), kTitleWidth, 15);
    ui.door.DGotoRowCol(kDeathRow, kDeathCol);
    ui.CWrite("`%" + m.DeathString);
    ui::MenuDef menu = EditMenu(m);
    ui.door.screen().GotoXY(2, 5);
    int16_t chosen = ui::LightbarMenu(ui, menu);
    ui.door.DSetFore(7);
    if (chosen == kQuit) return;
    if (chosen >= 1 && chosen <= static_cast<int>(kFields.size())) {
      EditInPlace(ui, kFields[static_cast<size_t>(chosen - 1)], m, kInPlaceCol, 4 + chosen);
    } else if (chosen == kDeathString) {
      EditDeathString(ui, m);
    } else if (chosen < 1) {
      ui.MenuPos = -1;
    }
  }
}

// Record n of LENEMY.DAT: read (or an empty record when it is not there),
// edited and written back in full.
void EditMonsterRecord(ui::Ui& ui, DataFile& file, int n) {
  MonsterRecord m;
  if (!file.TryRead(n, m)) m = MonsterRecord{};
  EditMonster(ui, m);
  file.Write(n, m);
}

constexpr int kSlots = 22;
constexpr int kBack = 23, kExit = 24, kForward = 25;
constexpr int kLastPageStart = (kMonsterLevels - 2) * kMonstersPerLevel;

ui::PickDef MonsterList() {
  ui::PickDef pick;
  for (int k = 1; k <= kSlots; ++k) {
    pick.Add("", static_cast<char>(k + 64), k % 2 == 1 ? 1 : 45, 6 + (k - 1) / 2).Hidden = true;
  }
  pick.Add("Go back", '-', 16, 19);
  pick.Add("Exit to main", 'X', 31, 19);
  pick.Add("Go forward", '+', 51, 19);
  pick.ShowHotkeys = true;
  pick.EscapeItem = kExit;
  return pick;
}

// The slot of the page's i-th record (0-21): the left column holds the
// first level top to bottom, the right column the next.
int SlotOf(int i) {
  return i < kMonstersPerLevel ? 2 * i + 1 : 2 * (i - kMonstersPerLevel) + 2;
}
int RecordOfSlot(int start, int k) {
  return k % 2 == 1 ? start + (k - 1) / 2 : start + kMonstersPerLevel + (k - 2) / 2;
}

void FillPage(ui::Ui& ui, DataFile& file, ui::PickDef& pick, int start) {
  for (int k = 1; k <= kSlots; ++k) pick.Item(k).Hidden = true;
  for (int i = 0; i < kSlots; ++i) {
    MonsterRecord m;
    if (!file.TryRead(start + i, m)) continue;
    ui::PickItem& slot = pick.Item(SlotOf(i));
    slot.Text = m.Name;
    slot.Hidden = false;
  }
  if (ui.MenuPos >= 1 && ui.MenuPos <= kSlots && pick.Item(ui.MenuPos).Hidden) ui.MenuPos = kExit;
}

void DrawMonsterList(ui::Ui& ui, int left_level) {
  EditorFrame(ui, EditorTitle(ui, kTitle, "**"), kTitleWidth, 24);
  ui.door.DGotoRowCol(4, 5);
  ui.CWrite("`7Level `%" + std::to_string(left_level) + "   ");
  ui.door.DGotoRowCol(4, 49);
  ui.CWrite("`7Level `%" + std::to_string(left_level + 1) + "   ");
}

}  // namespace

void MonsterEditor(ui::Ui& ui, const std::string& game_dir) {
  DataFile file(kMonsterRecordSize, platform::FindInDirectory(game_dir, "LENEMY.DAT"));
  if (!file.OpenExisting()) {
    ui::MessageBox(ui, "LENEMY.DAT not found! Are you sure youre in your Keld directory?");
    return;
  }
  ui::PickDef pick = MonsterList();
  int start = 0;
  ui.MenuPos = 1;
  FillPage(ui, file, pick, start);
  for (;;) {
    DrawMonsterList(ui, start / kMonstersPerLevel + 1);
    int16_t shown_on = ui.MenuPos;
    int16_t chosen = ui::ListPicker(ui, pick);
    if (chosen == kExit) break;
    if (chosen < 1) {  // a function key: nothing to do
      ui.MenuPos = shown_on;
      continue;
    }
    ui.MenuPos = -1;
    if (chosen >= 1 && chosen <= kSlots) {
      EditMonsterRecord(ui, file, RecordOfSlot(start, chosen));
    } else if (chosen == kBack && start > 0) {
      start -= 2 * kMonstersPerLevel;
      FillPage(ui, file, pick, start);
    } else if (chosen == kForward && start < kLastPageStart) {
      start += 2 * kMonstersPerLevel;
      FillPage(ui, file, pick, start);
    }
    ui.MenuPos = chosen;
  }
  file.Close();
  ui.door.DGotoRowCol(24, 1);
}

void DragonEditor(ui::Ui& ui, const std::string& game_dir) {
  DataFile file(kMonsterRecordSize, platform::FindInDirectory(game_dir, "DRAGON.DAT"));
  MonsterRecord dragon;
  if (!file.OpenExisting() || !file.TryRead(0, dragon)) {
    ui::MessageBox(ui, "DRAGON.DAT not found! Reseting the dragon!");
    dragon = DefaultDragon();
    file.Rewrite(std::span(&dragon, 1));
  }
  ui.door.DClrScr();
  EditMonster(ui, dragon);
  file.Write(0, dragon);
  file.Close();
}

}  // namespace editors
