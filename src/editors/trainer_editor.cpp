#include "editors/trainer_editor.h"

#include <array>

#include "editors/record_editor.h"
#include "editors/trainer_record.h"
#include "ui/menus.h"

namespace editors {

namespace {

constexpr const char* kTitle = "** `%KELD 4.07 Trainer Editor ";
constexpr int16_t kMaxSmall = 32000;
constexpr int32_t kMaxXp = 2000000000;
constexpr int kValueCol = 26, kEditCol = 28;

struct TrainerRow {
  Field<TrainerRecord> field;
  uint8_t row;
};

using T = TrainerRecord;
const std::array<TrainerRow, 11> kRows = {{
    {TextEntry<T>("Name", 'A', &T::Name, 30), 4},
    {TextEntry<T>("Weapon", 'B', &T::Weapon, 20), 5},
    {NumberEntry<T>("Hit Points", 'C', &T::HitPoints, 1, kMaxSmall), 6},
    {NumberEntry<T>("strength", 'D', &T::Strength, 1, kMaxSmall), 7},
    {TextEntry<T>("Swear", 'E', &T::BeatenLine, 50), 9},
    {TextEntry<T>("need str 1", 'F', &T::NotReady1, 50), 11},
    {TextEntry<T>("need str 2", 'G', &T::NotReady2, 50), 12},
    {NumberEntry<T>("Hit points gained", 'H', &T::HitPointsGained, 1, kMaxSmall), 14},
    {NumberEntry<T>("Strength gained", 'I', &T::StrengthGained, 1, kMaxSmall), 15},
    {NumberEntry<T>("Defense gained", 'J', &T::DefenseGained, 1, kMaxSmall), 16},
    {NumberEntry<T>("XP Needed", 'K', &T::XpNeeded, 1, kMaxXp), 18},
}};

enum EditItem { kResetThis = 12, kExitWithoutSaving, kExitAndSave };

ui::PickDef EditPick() {
  ui::PickDef pick;
  for (const TrainerRow& r : kRows) pick.Add(r.field.Label, r.field.Hotkey, 2, r.row);
  pick.Add("Reset this trainer", 'R', 2, 21);
  pick.Add("Exit without saving", 'X', 2, 22);
  pick.Add("Exit and save", 'Q', 2, 23);
  pick.ShowHotkeys = true;
  pick.EscapeItem = kExitAndSave;
  return pick;
}

void DrawEditScreen(ui::Ui& ui, const TrainerRecord& trainer) {
  EditorFrame(ui, EditorTitle(ui, kTitle, "** "), 79, 24);
  for (const TrainerRow& r : kRows) {
    ui.door.DGotoRowCol(r.row, kValueCol);
    ui.CWrite(ui.HiCode + ": `7" + r.field.Value(trainer));
  }
  ui.door.DGotoRowCol(19, 5);
  ui.CWrite("`7 to challenge");
}

void ResetOne(DataFile& file, int n, TrainerRecord& trainer) {
  trainer = DefaultTrainer(n);
  file.Write(n, trainer);
}

void EditTrainer(ui::Ui& ui, DataFile& file, int n) {
  TrainerRecord trainer;
  file.Read(n, trainer);
  ui.MenuPos = 1;
  for (;;) {
    DrawEditScreen(ui, trainer);
    ui::PickDef pick = EditPick();
    int16_t chosen = ui::ListPicker(ui, pick);
    if (chosen == kExitWithoutSaving) return;
    if (chosen == kExitAndSave) break;
    if (chosen == kResetThis) ResetOne(file, n, trainer);
    if (chosen >= 1 && chosen <= static_cast<int>(kRows.size())) {
      const TrainerRow& r = kRows[static_cast<size_t>(chosen - 1)];
      EditInPlace(ui, r.field, trainer, kEditCol, r.row);
    }
    if (chosen < 1) ui.MenuPos = 1;
  }
  file.Write(n, trainer);
}

void ResetAllTrainers(DataFile& file) {
  std::array<TrainerRecord, kTrainerCount> trainers;
  for (int i = 0; i < kTrainerCount; ++i) trainers[static_cast<size_t>(i)] = DefaultTrainer(i);
  file.Rewrite(trainers);
}

}  // namespace

void TrainerEditor(ui::Ui& ui, const std::string& game_dir) {
  ListEditorDef def;
  def.FileName = "TRAINERS.DAT";
  def.RecordSize = kTrainerRecordSize;
  def.Count = kTrainerCount;
  def.TitleText = kTitle;
  def.OpenErrorQuestion = "Error opening TRAINERS.DAT. Should I reset them?";
  def.CannotOpenMessage = "Can't open TRAINERS.DAT - Exiting trainer editor.";
  def.ResetItem = "Reset all trainers";
  def.ResetCol = 2;
  def.ResetRow = 17;
  def.ExitCol = 2;
  def.ExitRow = 19;
  def.ResetQuestion = "Reset the trainers to their default values?";
  def.ResetConfirmation = "Trainer data reset. ";
  def.ResetAll = ResetAllTrainers;
  def.NameOf = [](DataFile& file, int n) {
    TrainerRecord trainer;
    file.Read(n, trainer);
    return trainer.Name;
  };
  def.Edit = EditTrainer;
  RunListEditor(ui, game_dir, def);
}

}  // namespace editors
