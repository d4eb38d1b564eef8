#include "editors/item_editor.h"

#include <array>

#include "editors/item_record.h"
#include "editors/record_editor.h"
#include "ui/menus.h"

namespace editors {

namespace {

struct ItemTexts {
  const char* title;
  const char* name_label;
  const char* name_prompt;
  const char* price_prompt;
  const char* strength_label;
  const char* strength_prompt;
  ItemTable (*defaults)();
};

constexpr ItemTexts kWeaponTexts = {"** `%KELD 4.07 Weapon Editor ",
                                    "Weapon Name: ",
                                    "Weapon's Name",
                                    "Weapon's Price",
                                    "Attack Strength: ",
                                    "Weapon's Attack Strength",
                                    DefaultWeapons};
constexpr ItemTexts kArmourTexts = {"** `%KELD 4.07 Armor Editor ",
                                    "Armor Name: ",
                                    "Armor's Name",
                                    "Armor's Price",
                                    "Defense Strength: ",
                                    "Armor's Defense Strength",
                                    DefaultArmour};

constexpr int kMaxPrice = 2000000000;
enum EditItem { kName = 1, kPrice, kStrength, kUnused, kExit };

std::array<Field<ItemRecord>, 3> ItemFields(const ItemTexts& t) {
  return {TextEntry<ItemRecord>(t.name_label, 'A', &ItemRecord::Name, 20, t.name_prompt),
          NumberEntry<ItemRecord>("Price: ", 'B', &ItemRecord::Price, 1, kMaxPrice, t.price_prompt),
          NumberEntry<ItemRecord>(t.strength_label, 'C', &ItemRecord::Strength, 1, kMaxPrice,
                                  t.strength_prompt)};
}

ui::PickDef EditPick(const std::array<Field<ItemRecord>, 3>& fields, const ItemRecord& item) {
  ui::PickDef pick;
  for (int i = 0; i < 3; ++i) {
    const Field<ItemRecord>& f = fields[static_cast<size_t>(i)];
    pick.Add(f.Label + f.Value(item, true), f.Hotkey, 5, 4 + i);
  }
  pick.Add("", 0, 5, 7).Hidden = true;
  pick.Add("Exit", 'Q', 5, 8);
  pick.ShowHotkeys = true;
  pick.EscapeItem = kExit;
  return pick;
}

void EditItemRecord(ui::Ui& ui, DataFile& file, int n, const ItemTexts& t) {
  const auto fields = ItemFields(t);
  ItemRecord item;
  file.Read(n, item);
  ui.MenuPos = 1;
  for (;;) {
    EditorFrame(ui, EditorTitle(ui, t.title, "** "), 79, 24);
    ui::PickDef pick = EditPick(fields, item);
    int16_t chosen = ui::ListPicker(ui, pick);
    if (chosen == kExit) break;
    if (chosen >= kName && chosen <= kStrength) {
      EditInPrompt(ui, fields[static_cast<size_t>(chosen - 1)], item);
    }
    if (chosen < 1) ui.MenuPos = 1;
  }
  file.Write(n, item);
}

void ResetItems(DataFile& file, ItemTable (*defaults)()) {
  ItemTable table = defaults();
  file.Rewrite(table);
}

ListEditorDef ItemEditorDef(const ItemTexts& t) {
  ListEditorDef def;
  def.RecordSize = kItemRecordSize;
  def.Count = kItemCount;
  def.TitleText = t.title;
  def.ResetCol = 5;
  def.ResetRow = 20;
  def.ExitCol = 5;
  def.ExitRow = 21;
  def.ResetAll = [defaults = t.defaults](DataFile& file) { ResetItems(file, defaults); };
  def.NameOf = [](DataFile& file, int n) {
    ItemRecord item;
    file.Read(n, item);
    return item.Name;
  };
  def.Edit = [&t](ui::Ui& ui, DataFile& file, int n) { EditItemRecord(ui, file, n, t); };
  return def;
}

}  // namespace

void WeaponEditor(ui::Ui& ui, const std::string& game_dir) {
  ListEditorDef def = ItemEditorDef(kWeaponTexts);
  def.FileName = "WEAPONS.DAT";
  def.OpenErrorQuestion = "Error opening WEAPONS.DAT. Should I reset them?";
  def.CannotOpenMessage = "Can't open WEAPONS.DAT - Exiting weapon editor.";
  def.ResetItem = "Reset all weapons";
  def.ResetQuestion = "Reset the weapons to their default values?";
  def.ResetConfirmation = "Weapon data reset. ";
  RunListEditor(ui, game_dir, def);
}

void ArmourEditor(ui::Ui& ui, const std::string& game_dir) {
  ListEditorDef def = ItemEditorDef(kArmourTexts);
  def.FileName = "ARMOR.DAT";
  def.OpenErrorQuestion = "Error opening ARMOR.DAT. Should I reset them?";
  def.CannotOpenMessage = "Can't open ARMOR.DAT - Exiting armor editor.";
  def.ResetItem = "Reset all armor";
  def.ResetQuestion = "Reset the armors to their default values?";
  def.ResetConfirmation = "Armor data reset. ";
  RunListEditor(ui, game_dir, def);
}

}  // namespace editors
