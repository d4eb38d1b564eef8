// The prompts behind the eleven items of the Game Options tab.
#pragma once

#include "shell/run_state.h"
#include "ui/ui.h"

namespace shell {

void EditGameOption(ui::Ui& ui, RunState& run, int item);

}  // namespace shell
