// The main loop: runs until the operator leaves.
#pragma once

#include "shell/run_state.h"
#include "ui/ui.h"

namespace shell {

void RunMainLoop(ui::Ui& ui, RunState& run);

}  // namespace shell
