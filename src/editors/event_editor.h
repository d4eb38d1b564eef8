// The random event editor behind "Events" on the Editors tab: the event
// list ten to a page, the edit screen of one event with its code lines and
// target, import of an add-on script, saving and uninstalling.
#pragma once

#include <string>

#include "ui/ui.h"

namespace editors {

// Runs the editor on the game directory (ending with a separator) until
// the operator chooses "Exit" (or declines to recreate a missing
// EVENTS.DAT). An uninstall never deletes program_file, the running
// program itself.
void EventList(ui::Ui& ui, const std::string& game_dir, const std::string& program_file);

}  // namespace editors
