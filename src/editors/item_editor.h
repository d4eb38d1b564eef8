// The weapon and armour editors: twins over WEAPONS.DAT and ARMOR.DAT.
#pragma once

#include <string>

#include "ui/ui.h"

namespace editors {

// Both take the game directory (ending with a separator) and return to
// the caller when "Exit" is chosen or the file cannot be opened.
void WeaponEditor(ui::Ui& ui, const std::string& game_dir);
void ArmourEditor(ui::Ui& ui, const std::string& game_dir);

}  // namespace editors
