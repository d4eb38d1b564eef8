// Ending the program. Every way out, normal or forced, goes through
// EndProgram so that the exit procedures run once, in reverse order of
// installation: the door console's farewell, released locks, and last the
// terminal restored to the state the program found it in.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

using ExitProc = std::function<void()>;

// Installs an exit procedure; returns its id.
int AddExitProc(ExitProc proc);
// Removes an exit procedure that is no longer needed (for example a lock
// that has been released).
void RemoveExitProc(int id);
// Runs the installed exit procedures, newest first, each at most once.
void RunExitProcs();

// Runs the exit procedures and ends the program with exit code 0.
[[noreturn]] void EndProgram();

// Says on standard error why the program cannot go on ("keldcfg: " and the
// reason): where it has no terminal, the place an operator, or a board's
// log, may read it.
void ReportEnd(std::string_view why);

// What the run-time I/O error report tells the operator beside the
// operation and the file: what was expected and found there, and what to
// do about it.
struct IoErrorAdvice {
  std::string found;   // e.g. "PLAYEXT.DAT is 0 bytes; its record is 1361 bytes"
  std::string remedy;  // e.g. "Restore it from a backup."
};

// The run-time I/O error report: restores the terminal, names the
// operation, the file and what went wrong, says what to do, and ends with
// exit code 0.
[[noreturn]] void EndWithIoError(std::string_view operation, const std::string& path, int error,
                                 const IoErrorAdvice& advice);
// The same with the system's reason and the usual advice for the operation.
[[noreturn]] void EndWithIoError(std::string_view operation, const std::string& path, int error);

// What EndProgram finally calls, after the exit procedures (default: exit
// with code 0). The tests replace it to catch an unexpected end.
using EndHandler = void (*)();
void SetEndHandler(EndHandler handler);

}  // namespace platform
