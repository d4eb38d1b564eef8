// The player editor: a paged two-column list of PLAYER.DAT, a main and an
// extended edit screen per player, and the weapon and armour pick lists.
#pragma once

#include "shell/run_state.h"
#include "ui/ui.h"

namespace editors {

// Runs until the operator leaves the list. Whether the list shows game
// names instead of own names is kept between visits during one run.
void PlayerEditor(ui::Ui& ui, shell::RunState& run);
// The same with the list mode held by the caller.
void PlayerEditor(ui::Ui& ui, shell::RunState& run, bool& list_game_names);

}  // namespace editors
