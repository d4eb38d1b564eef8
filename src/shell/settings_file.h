// Loading KELD.DAT at start-up (with its error screen) and saving it.
#pragma once

#include "shell/run_state.h"
#include "ui/ui.h"

namespace shell {

// Reads the settings record. When KELD.DAT is missing or too short, shows
// the error screen: A writes a new default file and goes on, C ends the
// program without writing anything.
void LoadSettings(ui::Ui& ui, RunState& run);
void SaveSettings(RunState& run);

}  // namespace shell
