// Starting the door kit from the command line.
#pragma once

#include <string>
#include <vector>

#include "door/door.h"

namespace door {

struct CommandLine {
  std::string program;            // the executable's path as started
  std::vector<std::string> args;  // the arguments after it
};

// Reads the command line, fills the door state, asks for a name in local
// mode and prepares the console (timer, cleared screen, window rows 1-24).
// May end the program.
void DoorStart(Door& door, const CommandLine& command_line);

// The start-up's own hooks, installed unless the program set others.
void DefaultLocalLogin(Door& door);
void DefaultUsage(Door& door, const std::string& program_name);

}  // namespace door
