// The monster editor over LENEMY.DAT (two levels a page) and the dragon
// editor over DRAGON.DAT, sharing one edit screen.
#pragma once

#include <string>

#include "ui/ui.h"

namespace editors {

// Both take the game directory (ending with a separator).
void MonsterEditor(ui::Ui& ui, const std::string& game_dir);
void DragonEditor(ui::Ui& ui, const std::string& game_dir);

}  // namespace editors
