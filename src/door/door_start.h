// Starting the door kit from the command line.
#pragma once

#include <string>
#include <vector>

#include "door/door.h"

namespace door {

// Reads the command line, fills the door state, asks for a name in local
// mode and prepares the console (timer, cleared screen, window rows 1-24).
// May end the program.
void DoorStart(Door& door, const std::vector<std::string>& args);

// The default hooks of the start-up.
void InstallDefaultStartHooks(Door& door);
void DefaultLocalLogin(Door& door);

}  // namespace door
