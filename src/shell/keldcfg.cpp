#include "shell/keldcfg.h"

#include <algorithm>

#include "editors/extras_file.h"
#include "platform/files.h"
#include "platform/letter_case.h"
#include "shell/game_files.h"
#include "shell/main_loop.h"
#include "shell/settings_file.h"
#include "ui/prompts.h"

namespace shell {

namespace {

// "/G" selects the green accent colours; only the whole parameter counts.
void ApplyColourScheme(ui::Ui& ui, RunState& run, const std::vector<std::string>& args) {
  bool green = std::any_of(args.begin(), args.end(), [](const std::string& arg) {
    return platform::SameIgnoringCase(arg, "/G");
  });
  if (!green) return;
  ui.HiCode = "`0";
  ui.LoCode = "`2";
  run.HiBack = 2;
}

}  // namespace

void LoadRunState(ui::Ui& ui, RunState& run, const door::CommandLine& command_line) {
  door::Door& door = ui.door;
  run.GameDir = platform::DirectoryOf(command_line.program);
  door::DoorStart(door, command_line);
  // The program directory is the one holding the executable as started,
  // which is the game directory: a node setup is copied into it.
  run.ProgramDir = run.GameDir;
  run.ProgramFile = command_line.program;
  run.Nodes.Current = 1;
  LoadSettings(ui, run);
  editors::LoadExtras(door.clock(), run.GameDir, run.Extras);
  run.SettingsChanged = false;
  LoadDownloadPath(run);
  LoadDeedsToWin(run);
  LoadSwitches(run);
  ApplyColourScheme(ui, run, command_line.args);
  LoadTournament(door, run);
}

void RunExitDialogue(ui::Ui& ui, RunState& run) {
  door::Door& door = ui.door;
  if (run.SettingsChanged && ui::ChooseTwo(ui, "Save changes? ", "Yes", "No ", 'Y', 'N', true)) {
    SaveSettings(run);
    ui::MessageBox(ui, "Changes saved.");
  }
  door.DSetFore(15);
  door.DSetBack(0);
  door.DClrScr();
  door.DWriteLn("");
  door.DWriteLn("Thanks for using our software!");
  door.DWriteLn("");
  // Shown now: writing the files back may wait on a lock for a while.
  door.console().Present();
}

void WriteBack(door::Door& door, RunState& run) {
  SaveTournament(run);
  editors::SaveExtras(door.clock(), run.GameDir, run.Extras);
  SyncFlagFiles(run);
  SaveDownloadPath(run);
  SaveDeedsToWin(run);
}

void RunKeldCfg(ui::Ui& ui, const door::CommandLine& command_line) {
  RunState run;
  LoadRunState(ui, run, command_line);
  RunMainLoop(ui, run);
  RunExitDialogue(ui, run);
  WriteBack(ui.door, run);
}

}  // namespace shell
