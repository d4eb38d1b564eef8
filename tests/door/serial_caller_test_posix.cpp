// A caller on a serial line, end to end: the real program started as a
// board starts a door, on a pseudo-terminal standing in for the serial
// line (handed over open, or named as the drop file's port), with the test
// on the other end as the caller's modem. The operator's terminal is
// another pseudo-terminal the test owns.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <string>

#include "support/demo_game.h"
#include "support/program_under_pty.h"
#include "support/pseudo_terminal.h"
#include "support/sockets.h"

namespace {

using testsupport::ProgramUnderPty;

struct Session {
  testsupport::DemoGame game;
  testsupport::PseudoTerminal line = testsupport::OpenPseudoTerminal();

  ~Session() {
    if (line.master >= 0) testsupport::CloseEnd(line.master);
  }
};

// From the first byte the caller receives to the hang-up; `inherit` is the
// line handed over open, or -1.
void CallerSession(Session& session, const std::vector<std::string>& args, int inherit) {
  std::string before = session.game.Snapshot();
  ProgramUnderPty program(session.game.File("keldcfg"), args, session.game.path(), inherit);
  if (inherit >= 0) testsupport::CloseEnd(inherit);  // the program holds it now
  program.WatchSocket(session.line.master);
  auto received = [&](const std::string& bytes) {
    return program.WaitUntil([&] { return program.received().find(bytes) != std::string::npos; },
                             10000);
  };

  // No telnet offer on a serial line: the door console's first clear.
  ASSERT_TRUE(program.WaitForScreen("onfigure Nodes"));
  EXPECT_EQ(program.received().substr(0, 10), "\x1b[2J\x1b[1;1f");

  // The tournament editor reads its keys through the door console.
  program.Type("\x1b[C");
  ASSERT_TRUE(program.WaitForScreen("et tournament's ending"));
  program.Type("s");
  EXPECT_TRUE(
      received("\x1b[5;1f"
               "   First, pick what kind of tournament to run. With the first option, you\r\n"
               "   set how many days the tourny will run, and the stat to score off of.\r\n"
               "   With the second option, the game runs until someone meets the specified\r\n"
               "   criteria.\r\n"
               "\r\n"
               "   So, what will it be?\r\n"));
  ASSERT_TRUE(testsupport::WriteFully(session.line.master, "1"));
  EXPECT_TRUE(received("     Note that players are ranked first by the stat you\r\n"));

  // The caller hangs up while the editor waits for a key.
  auto hang_up = std::chrono::steady_clock::now();
  testsupport::CloseEnd(session.line.master);
  session.line.master = -1;
  program.WatchSocket(platform::kNoSocket);
  EXPECT_TRUE(program.WaitForScreen("Caller Dropped Carrier.  Returning To BBS..."));
  EXPECT_EQ(program.WaitForExit(10000), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - hang_up, std::chrono::milliseconds(3000));
  EXPECT_TRUE(session.game.Snapshot() == before) << "the program wrote files";
}

TEST(SerialCallerEndToEnd, LineHandedOverOnTheCommandLine) {
  Session session;
  int line = testsupport::OpenSlave(session.line);
  CallerSession(session, {"-H" + std::to_string(line), "-N1"}, line);
}

TEST(SerialCallerEndToEnd, PortNamedByDoorSys) {
  Session session;
  std::vector<std::string> lines(52, "");
  lines[0] = "COM1:";
  lines[3] = "1";
  lines[9] = "Remote Caller";
  lines[17] = "3600";
  lines[19] = "GR";
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  session.game.Write("DOOR.SYS", text);
  ::setenv("KELD_COM1", session.line.slave_path.c_str(), 1);
  CallerSession(session, {"-D" + session.game.File("DOOR.SYS")}, -1);
  ::unsetenv("KELD_COM1");
}

}  // namespace
