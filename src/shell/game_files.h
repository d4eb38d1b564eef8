// The small files of the game directory that the run state mirrors: the
// three presence-only flag files, the download program path, the deeds
// needed to win, and the tournament record.
#pragma once

#include "door/door.h"
#include "shell/run_state.h"

namespace shell {

void LoadDownloadPath(RunState& run);
void LoadDeedsToWin(RunState& run);
void LoadSwitches(RunState& run);
// Stops the program when the file is there but its record cannot be read.
void LoadTournament(door::Door& door, RunState& run);

void SaveTournament(const RunState& run);
void SyncFlagFiles(const RunState& run);
void SaveDownloadPath(const RunState& run);
void SaveDeedsToWin(const RunState& run);

}  // namespace shell
