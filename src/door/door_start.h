// Starting the door kit from the command line.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "door/door.h"
#include "platform/terminal.h"

namespace door {

struct CommandLine {
  std::string program;            // the executable's path as started
  std::vector<std::string> args;  // the arguments after it
};

// What the switches on the command line ask for.
struct Switches {
  std::string drop_file;
  int32_t handle = -1;
  int32_t node = 0;
  bool local = false;
  bool telnet = false;
  bool winserver = false;
};

// Reads the switches; a switch the kit does not know goes to OnExtraParam
// when the program set it.
Switches ParseSwitches(const std::vector<std::string>& args, const DoorHooks& hooks);

// What the start the command line asks for needs of a terminal, worked out
// from the switches and the drop file before anything is shown (no hook
// runs): the operator's local use needs one; a remote caller is served
// with or without one, but never on a caller's own standard input and
// output (a serial line or telnet with the handle 0 or -1).
platform::TerminalUse TerminalUseOf(const CommandLine& command_line);

// Reads the command line, fills the door state, asks for a name in local
// mode, opens the transport for a remote caller and prepares the console
// (timer, cleared screen, window rows 1-24). May end the program.
void DoorStart(Door& door, const CommandLine& command_line);

// The start-up's own hooks, installed unless the program set others.
void DefaultLocalLogin(Door& door);
void DefaultUsage(Door& door, const std::string& program_name);

// The size of the user-information record the WINServer host fills, and
// how the door state takes the logged-in user from it.
inline constexpr size_t kWinServerRecordSize = 4096;
void ReadWinServerUser(std::span<const uint8_t> record, int32_t node, DoorState& state);

}  // namespace door
