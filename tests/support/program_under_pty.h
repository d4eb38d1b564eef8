// The real program started under a pseudo-terminal that the test owns: the
// terminal is the program's local console (the test types the operator's
// keys and reads what it shows), and one descriptor (a socket's end, a
// serial line) can be handed to it as a board hands over a caller. Or
// started with no terminal at all, its standard input and output
// descriptors the test chose, as a board puts a caller there. Every wait
// also drains the terminal and the watched descriptor, so the program
// never stalls on output nobody reads.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/socket.h"

namespace testsupport {

struct StartOptions {
  // Set in the program's environment, beside the test's own ("LC_ALL=C").
  std::vector<std::string> env;
  // Given, these become the program's standard input and output instead of
  // an 80x25 terminal (standard error stays the test's).
  platform::Socket in = platform::kNoSocket, out = platform::kNoSocket;
};

class ProgramUnderPty {
 public:
  // Starts `program` with `args` in directory `dir` as the options say;
  // `inherit` stays open in the program under its own number.
  ProgramUnderPty(const std::string& program, const std::vector<std::string>& args,
                  const std::string& dir, platform::Socket inherit,
                  const StartOptions& options = {});
  // Kills a program still running.
  ~ProgramUnderPty();
  ProgramUnderPty(const ProgramUnderPty&) = delete;
  ProgramUnderPty& operator=(const ProgramUnderPty&) = delete;

  // What arrives on this descriptor (a socket, a pipe, a pseudo-terminal's
  // master) is collected in received().
  void WatchSocket(platform::Socket socket) { watched_ = socket; }
  void Type(const std::string& keys);

  // Waits until `done` holds, reading meanwhile; false after timeout_ms.
  bool WaitUntil(const std::function<bool()>& done, int timeout_ms);
  // Waits for text that the terminal shows after the last text waited for.
  bool WaitForScreen(const std::string& text, int timeout_ms = 10000);
  // Waits for the program to end; its exit code, or -1 after timeout_ms.
  int WaitForExit(int timeout_ms);

  // CPU time the program has used so far, in seconds (for bench/).
  double CpuSeconds() const;
  const std::string& shown() const { return shown_; }
  const std::string& received() const { return received_; }

 private:
  void ReadAvailable(int timeout_ms);

  int master_ = -1;
  int pid_ = -1;
  int exit_code_ = -1;
  platform::Socket watched_ = platform::kNoSocket;
  std::string shown_;
  size_t shown_mark_ = 0;
  std::string received_;
};

}  // namespace testsupport
