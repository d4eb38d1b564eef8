// The tournament editor: the kind of tournament and its values, changed in
// the in-memory record that the program writes at exit.
#pragma once

#include "editors/tournament_record.h"
#include "ui/ui.h"

namespace editors {

// Returns on "Q". Keys come through the door console, so a remote
// operator can use it too.
void TournamentEditor(ui::Ui& ui, TournamentRecord& tour);

}  // namespace editors
