#include "shell/settings_file.h"

#include "platform/letter_case.h"
#include "platform/record_file.h"
#include "platform/whole_file.h"
#include "ui/prompts.h"

namespace shell {

namespace {

void ShowSettingsError(ui::Ui& ui) {
  door::Door& door = ui.door;
  ui.CWriteLn("`c  `%** ERROR READING THE KELD.DAT FILE **");
  door.DWriteLn("");
  ui.CWriteLn("  `0This is either because you still have old data files, and haven't");
  ui.CWriteLn("  run the update program, or you really have a corrupted KELD.DAT file.");
  door.DWriteLn("");
  ui.CWriteLn("  `2(If this is simply the first time you've run KELD, hit A!)");
  door.DWriteLn("");
  ui.CWriteLn("  Here are your choices:");
  door.DWriteLn("");
  ui.CWriteLn("  `2(`0A`2) `%Create a NEW KELD.DAT file with defaults");
  ui.CWriteLn("  `2(`0C`2) `%Drop to Dos, and forget the whole thing");
}

char ReadChoiceAOrC(door::Door& door) {
  for (;;) {
    bool extended = false;
    char key = platform::UpperCase(ui::ReadLocalKey(door, extended));
    if (!extended && (key == 'A' || key == 'C')) return key;
  }
}

}  // namespace

void LoadSettings(ui::Ui& ui, RunState& run) {
  platform::RecordFile file(kSettingsRecordSize);
  bool loaded = file.OpenForReading(run.GamePath("KELD.DAT")) && file.Read(0, run.Settings.raw);
  file.Close();
  if (loaded) {
    platform::DecodeFields(run.Settings);
    return;
  }
  ShowSettingsError(ui);
  char choice = ReadChoiceAOrC(ui.door);
  ui.door.DGotoRowCol(15, 1);
  if (choice == 'C') ui.door.Halt();
  run.Settings = DefaultSettings();
  SaveSettings(run);
}

void SaveSettings(RunState& run) {
  platform::EncodeFields(run.Settings);
  platform::WriteWholeFileOrEnd(run.GamePath("KELD.DAT"), run.Settings.raw);
}

}  // namespace shell
