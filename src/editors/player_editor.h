// The player editor: a paged two-column list of PLAYER.DAT, a main and an
// extended edit screen per player, and the weapon and armour pick lists.
#pragma once

#include <string>

#include "editors/extras_record.h"
#include "ui/ui.h"

namespace editors {

// Runs on PLAYER.DAT of the game directory (ending with a separator) until
// the operator leaves the list; leaving a player stamps today's date into
// the extras record. Whether the list shows game names instead of own
// names is kept between visits during one run.
void PlayerEditor(ui::Ui& ui, const std::string& game_dir, ExtrasRecord& extras);
// The same with the list mode held by the caller.
void PlayerEditor(ui::Ui& ui, const std::string& game_dir, ExtrasRecord& extras,
                  bool& list_game_names);

}  // namespace editors
