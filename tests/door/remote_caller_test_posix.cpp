// Remote callers, end to end: the real program started as a board starts a
// door, the operator's terminal a pseudo-terminal the test owns (or none),
// the test the caller's terminal at the far end of each kind of line.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <functional>
#include <string>

#include "support/demo_game.h"
#include "support/host_board.h"
#include "support/program_under_pty.h"
#include "support/pseudo_terminal.h"
#include "support/sockets.h"

namespace {

using testsupport::ProgramUnderPty;

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

bool Received(ProgramUnderPty& program, const std::string& bytes) {
  return program.WaitUntil([&] { return program.received().find(bytes) != std::string::npos; },
                           10000);
}

// Whether the caller's first bytes, once that many came, are `bytes`.
bool FirstReceived(ProgramUnderPty& program, const std::string& bytes) {
  program.WaitUntil([&] { return program.received().size() >= bytes.size(); }, 10000);
  return program.received().substr(0, bytes.size()) == bytes;
}

// The caller hangs up: the program ends at once, with exit code 0 and no
// file written. (The carrier is checked once a second; a message shows 1.5 s.)
void ExpectHangUpEnds(ProgramUnderPty& program, const testsupport::TempDir& game,
                      const std::string& before, const std::function<void()>& hang_up) {
  auto hung_up = std::chrono::steady_clock::now();
  program.WatchSocket(platform::kNoSocket);
  hang_up();
  EXPECT_EQ(program.WaitForExit(10000), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - hung_up, std::chrono::milliseconds(3000));
  EXPECT_TRUE(game.Snapshot() == before) << "the program wrote files";
}

// The caller's end of a line, and what is particular to its kind.
struct CallerLine {
  platform::Socket caller;
  std::string key_255;  // how the caller's line carries a key of 255
  std::function<void()> hang_up;
};

// The program started as a board starts a door, handed the line `inherit`
// (or none: -1); `connect` looks at what comes before the first screen and
// gives the caller's line. Then what the caller sees from the first screen
// that reads its keys to the end of the session when the caller hangs up.
void CallerSession(testsupport::DemoGame& game, const std::vector<std::string>& args, int inherit,
                   const std::function<CallerLine(ProgramUnderPty&)>& connect) {
  std::string before = game.Snapshot();
  ProgramUnderPty program(game.File("keldcfg"), args, game.path(), inherit);
  if (inherit >= 0) testsupport::CloseEnd(inherit);  // the program holds it now
  CallerLine line = connect(program);
  program.WatchSocket(line.caller);
  auto asked = [&] { return Count(program.received(), "So, what will it be?"); };
  // Menu items show their hot key in a colour of its own, so the waits
  // look for what follows it.
  ASSERT_TRUE(program.WaitForScreen("onfigure Nodes"));
  program.Type("\x1b[C");
  ASSERT_TRUE(program.WaitForScreen("et tournament's ending"));
  // The tournament editor takes the caller's keys and redraws once per
  // key: a 255 is one key. Its title rule reaches the caller as code page
  // 437 bytes, its lines with their own line ends.
  program.Type("s");
  EXPECT_TRUE(Received(program, std::string(78, '\xC4')));
  EXPECT_TRUE(
      Received(program, "\x1b[5;1f   First, pick what kind of tournament to run. With the first"));
  EXPECT_TRUE(Received(program, "   criteria.\r\n\r\n   So, what will it be?\r\n"));
  ASSERT_TRUE(testsupport::SendFully(line.caller, line.key_255 + "1"));
  EXPECT_TRUE(Received(program, "     Note that players are ranked first by the stat you\r\n"));
  EXPECT_EQ(asked(), 2u);
  ASSERT_TRUE(testsupport::SendFully(line.caller, "r"));
  ASSERT_TRUE(program.WaitUntil([&] { return asked() == 3; }, 10000));

  // The caller hangs up while the editor waits for a key; the local screen
  // says so (its leading blanks go out as blanks in another colour).
  ExpectHangUpEnds(program, game, before, line.hang_up);
  EXPECT_NE(program.shown().find("Caller Dropped Carrier.  Returning To BBS..."),
            std::string::npos);
}

std::string Door32Sys(const std::string& comm_type, const std::string& handle) {
  return comm_type + "\n" + handle + "\n38400\nTest BBS\n1\nRemote Caller\nCaller\n100\n60\n1\n1\n";
}

const std::string kOpening("\xff\xfb\x01\xff\xfb\x00", 6);  // IAC WILL ECHO, IAC WILL BINARY

// Handed over on the command line, or named by a DOOR32.SYS of comm type 2.
TEST(TelnetCallerEndToEnd, HandleOnTheCommandLineOrFromDoor32Sys) {
  for (bool from_drop_file : {false, true}) {
    testsupport::DemoGame game;
    testsupport::Connection line = testsupport::ConnectLoopback();
    std::string handle = std::to_string(line.door);
    game.Write("DOOR32.SYS", Door32Sys("2", handle));
    std::vector<std::string> args = {"-H" + handle, "-N1", "-T"};
    if (from_drop_file) args = {"-D" + game.File("DOOR32.SYS")};
    CallerSession(game, args, line.door, [&](ProgramUnderPty& program) -> CallerLine {
      program.WatchSocket(line.caller);
      EXPECT_TRUE(FirstReceived(program, kOpening));
      EXPECT_TRUE(testsupport::SendFully(line.caller, "\xff\xfd\x18"));  // IAC DO 24
      EXPECT_TRUE(Received(program, "\xff\xfc\x18"));
      return {line.caller, "\xff\xff", [&] { testsupport::CloseEnd(line.caller); }};
    });
  }
}

// The caller's modem on the master of a pseudo-terminal whose slave is the
// serial line, handed over open on the command line or named as DOOR.SYS's
// port.
TEST(SerialCallerEndToEnd, LineHandedOverOrPortNamedByDoorSys) {
  for (bool named : {false, true}) {
    testsupport::DemoGame game;
    testsupport::PseudoTerminal line = testsupport::OpenPseudoTerminal();
    int slave = named ? -1 : testsupport::OpenSlave(line);
    std::vector<std::string> args = {"-H" + std::to_string(slave), "-N1"};
    if (named) {
      // Port, node (line 4), seconds (line 18) and graphics (line 20).
      game.Write("DOOR.SYS", "COM1:\n\n\n1\n" + std::string(13, '\n') + "3600\n\nGR\n");
      ::setenv("KELD_COM1", line.slave_path.c_str(), 1);
      args = {"-D" + game.File("DOOR.SYS")};
    }
    CallerSession(game, args, slave, [&](ProgramUnderPty& program) -> CallerLine {
      // No telnet offer on a serial line: the door console's first clear.
      program.WatchSocket(line.master);
      EXPECT_TRUE(FirstReceived(program, "\x1b[2J\x1b[1;1f"));
      return {line.master, "\xff", [&] { testsupport::CloseEnd(line.master); }};
    });
    ::unsetenv("KELD_COM1");
  }
}

// The board's host libraries, named by a DOOR32.SYS of comm type 3: the
// DOOR32 one in the game directory carries the caller, the WINServer one,
// where the dynamic loader looks for libraries, names the user (comm type
// 3 always asks it). (winserver_start_test.cpp starts with -W.)
TEST(Door32CallerEndToEnd, Door32SysOfCommType3) {
  testsupport::DemoGame game;
  testsupport::InstallHostLibrary(game.path(), "DOOR32");
  game.Write("DOOR32.SYS", Door32Sys("3", "1"));
  ::setenv("LD_LIBRARY_PATH", testsupport::HostLibraryDirectory().c_str(), 1);
  testsupport::HostBoard board;
  testsupport::WinServerLogin login("Wanda Winserver", 60, 0, 1);
  CallerSession(game, {"-D" + game.File("DOOR32.SYS")}, -1, [&](ProgramUnderPty&) -> CallerLine {
    EXPECT_TRUE(board.Accept(10000));
    return {board.caller(), "\xff", [&] { board.GoOffline(); }};
  });
  ::unsetenv("LD_LIBRARY_PATH");
}

// The caller on the program's standard input and output, which is no
// terminal: `in` and `out` are the program's ends, `caller` the test's
// end that it reads. The main menu waits for a key nobody can type, and a
// hang-up there still ends the program.
void CallerOnStandardStreams(const std::string& comm_type, const std::string& handle,
                             platform::Socket in, platform::Socket out, platform::Socket caller,
                             const std::function<void()>& hang_up) {
  testsupport::DemoGame game;
  game.Write("DOOR32.SYS", Door32Sys(comm_type, handle));
  std::string before = game.Snapshot();
  ProgramUnderPty program(game.File("keldcfg"), {"-D" + game.File("DOOR32.SYS")}, game.path(),
                          platform::kNoSocket, {{}, in, out});
  testsupport::CloseEnd(in);
  if (out != in) testsupport::CloseEnd(out);
  program.WatchSocket(caller);
  // The menu's description line and its marker go to the caller, after
  // the telnet offer or, raw, with no telnet at all.
  EXPECT_TRUE(Received(program, "Configure node information for Keld"));
  EXPECT_TRUE(Received(program, "=>"));
  if (comm_type == "2") {
    EXPECT_TRUE(FirstReceived(program, kOpening));
  } else {
    EXPECT_TRUE(FirstReceived(program, "\x1b[2J"));
    EXPECT_EQ(program.received().find('\xff'), std::string::npos);
  }
  ExpectHangUpEnds(program, game, before, hang_up);
}

TEST(StandardStreamsCaller, TelnetOnASocketPairWithTheHandle0OrMinus1OrRawOnPipes) {
  for (const char* handle : {"0", "-1"}) {
    SCOPED_TRACE(handle);
    testsupport::Connection line = testsupport::SocketPair();
    CallerOnStandardStreams("2", handle, line.door, line.door, line.caller, [&] {
      // The caller's terminal asks something first: telnet is spoken.
      ASSERT_TRUE(testsupport::SendFully(line.caller, "\xff\xfd\x18"));  // IAC DO 24
      EXPECT_EQ(testsupport::ReceiveUpTo(line.caller, 3, 10000).substr(0, 3), "\xff\xfc\x18");
      testsupport::CloseEnd(line.caller);
    });
  }
  testsupport::PipeLine pipes = testsupport::PipePair();
  CallerOnStandardStreams("1", "0", pipes.door_in, pipes.door_out, pipes.caller_in, [&] {
    testsupport::CloseEnd(pipes.caller_out);
    testsupport::CloseEnd(pipes.caller_in);
  });
}

}  // namespace
