// The trainer editor over TRAINERS.DAT: the eleven masters, edited one at
// a time with the choice to save or not.
#pragma once

#include <string>

#include "ui/ui.h"

namespace editors {

// Takes the game directory (ending with a separator); returns when "Exit"
// is chosen or the file cannot be opened.
void TrainerEditor(ui::Ui& ui, const std::string& game_dir);

}  // namespace editors
