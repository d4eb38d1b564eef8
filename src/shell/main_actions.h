// The Main-tab screens of the shell itself: resetting the whole game, the
// two score file paths and the download program path.
#pragma once

#include <string>

#include "shell/run_state.h"
#include "ui/ui.h"

namespace shell {

// After a warning and a Y, deletes the game's play files and starts the
// extras files afresh.
void ResetEverything(ui::Ui& ui, RunState& run);
void ScoreFilePaths(ui::Ui& ui, RunState& run);
void DownloadProgramPath(ui::Ui& ui, RunState& run);

// Whether the game could write the named file: shows a warning and waits
// for a key when it could not. An existing file of that name is only
// opened and closed again, never emptied or removed.
bool TestPath(ui::Ui& ui, const std::string& path);

}  // namespace shell
