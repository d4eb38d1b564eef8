// KeldCfg: the operator's configuration program for the KELD door game.
// It lives in the game's directory and edits the files found there.
#include <memory>
#include <string>
#include <vector>

#include "door/door.h"
#include "door/door_start.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/program_end.h"
#include "platform/terminal.h"
#include "shell/keldcfg.h"
#include "ui/ui.h"

int main(int argc, char** argv) {
  door::CommandLine command_line;
  command_line.program = platform::ExecutablePath(argc > 0 ? argv[0] : nullptr);
  for (int i = 1; i < argc; ++i) command_line.args.emplace_back(argv[i]);

  // Whom the program serves decides its local console: the operator's
  // terminal, the terminal beside a remote caller if there is one, or none.
  std::unique_ptr<platform::Console> console =
      platform::OpenLocalConsole(door::TerminalUseOf(command_line));
  door::Door door(*console, platform::SystemClock());
  ui::Ui ui(door);

  shell::RunKeldCfg(ui, command_line);
  platform::EndProgram();
}
