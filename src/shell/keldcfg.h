// The configuration program from start to end.
#pragma once

#include <string>
#include <vector>

#include "door/door_start.h"
#include "shell/run_state.h"
#include "ui/ui.h"

namespace shell {

// Loads the run state, runs the main loop and the exit dialogue, and
// writes the state back. Returns when the program is to end normally.
void RunKeldCfg(ui::Ui& ui, const door::CommandLine& command_line);

// The parts, for the tests.
void LoadRunState(ui::Ui& ui, RunState& run, const door::CommandLine& command_line);
void RunExitDialogue(ui::Ui& ui, RunState& run);
void WriteBack(door::Door& door, RunState& run);

}  // namespace shell
