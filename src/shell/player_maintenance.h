// The two Misc-tab actions that rewrite one field of every player record.
#pragma once

#include "shell/run_state.h"
#include "ui/ui.h"

namespace shell {

// Sets the on-now flag of every player to off.
void ClearOnNow(ui::Ui& ui, const RunState& run);
// After a warning and a Y, unmarries every player and deletes the game's
// two marriage files.
void FixMarriages(ui::Ui& ui, const RunState& run);

}  // namespace shell
