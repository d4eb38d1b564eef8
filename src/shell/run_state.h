// Everything the configuration program holds in memory for the whole run:
// loaded at start-up, edited through the menus, written back at exit.
#pragma once

#include <cstdint>
#include <string>

#include "editors/extras_record.h"
#include "editors/tournament_record.h"
#include "nodes/node_screen.h"
#include "shell/settings_record.h"

namespace shell {

inline constexpr const char* kNoDownloadPath = "NONE **SET THIS**";
inline constexpr const char* kDownloadsDisabled = "DISABLED!";
inline constexpr uint16_t kDefaultDeedsToWin = 10;

struct RunState {
  std::string GameDir;      // ends with the path separator
  std::string ProgramDir;   // ends with the path separator
  std::string ProgramFile;  // the executable as started

  SettingsRecord Settings = DefaultSettings();
  bool SettingsChanged = false;
  editors::ExtrasRecord Extras;
  editors::TournamentRecord Tournament = editors::DefaultTournament();

  std::string DownloadPath = kNoDownloadPath;
  uint16_t DeedsToWin = kDefaultDeedsToWin;
  bool NpcChatter = true;
  bool IntroAnsi = true;
  bool FancyMore = true;

  nodes::NodeNumbers Nodes;  // the node being configured and the one before
  uint8_t HiBack = 4;        // background of the open tab's title

  // A file of the game: in the game directory, whatever its letter case.
  std::string GamePath(const char* name) const;
};

}  // namespace shell
