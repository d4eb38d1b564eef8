// The door console: every text the program shows goes through it. Output
// is sent unchanged to the remote caller when there is one and rendered on
// the local screen by the local ANSI interpreter; input comes from the
// local keyboard and the caller.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "door/comm/comm_facade.h"
#include "door/door_state.h"
#include "door/local_ansi.h"
#include "platform/clock.h"
#include "platform/console.h"

namespace door {

class Door {
 public:
  Door(platform::Console& console, platform::Clock& clock);
  Door(const Door&) = delete;
  Door& operator=(const Door&) = delete;
  ~Door();

  DoorState state;
  DoorHooks hooks;
  std::string StatusName = "TollDoor v3.08.30";
  comm::CommFacade comm;

  // Output. Texts are bytes of code page 437, at most 255 per call.
  void DWrite(std::string_view s);
  void DWriteLn(std::string_view s);
  void DNewLine();
  void DClrScr();
  void DClrEol();
  void DGotoRowCol(int row, int col);
  void DGotoCol(int col);
  void DSetFore(int colour);
  void DSetBack(int colour);
  void DSetAttr(int attr);

  // Sequence builders.
  std::string AnsiFore(int colour) const;
  std::string AnsiBack(int colour) const;

  // Input.
  bool DKeyAvail();
  char DReadKey();
  std::string DInputLine(std::string_view initial, std::string_view allowed, char mask, int width,
                         int max_len, uint8_t attr);
  bool DIsLocal() const { return state.CommType == 0; }

  // The once-a-second check while waiting for a key: carrier, idle limit
  // and time limit through their hooks, then the status bar. Does nothing
  // before DoorStart starts the timer, nor within a second of the last check.
  void DoorTick();

  // The local side alone: text written to the local screen only, keys from
  // the local keyboard only, a pause that first shows the screen. Without a
  // keyboard (no terminal), LocalReadKey runs the periodic check until one
  // of its hooks ends the program.
  void LocalWrite(std::string_view s);
  char LocalReadKey();
  void Delay(int ms);

  // Ends the program (exit code 0) through the exit procedures.
  [[noreturn]] void Halt();

  platform::Console& console() { return console_; }
  platform::Screen& screen() { return console_.screen(); }
  platform::Clock& clock() { return clock_; }

 private:
  std::string PipeCodes(std::string_view s) const;
  void ExitProcedure();

  platform::Console& console_;
  platform::Clock& clock_;
  LocalAnsi local_ansi_;
  int exit_proc_id_ = -1;
};

}  // namespace door
