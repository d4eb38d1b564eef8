// The random event editor behind "Events" on the Editors tab: the event
// list ten to a page, the edit screen of one event with its code lines and
// target, import of an add-on script, saving and uninstalling.
#pragma once

#include "shell/run_state.h"
#include "ui/ui.h"

namespace editors {

// Runs the editor until the operator chooses "Exit" (or declines to
// recreate a missing EVENTS.DAT).
void EventList(ui::Ui& ui, shell::RunState& run);

}  // namespace editors
