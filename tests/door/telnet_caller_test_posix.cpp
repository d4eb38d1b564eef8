// A remote caller, end to end: the real program started as a board starts
// a door, with the test as the caller's terminal at the far end of the
// line. The line is a loopback TCP connection the program inherits
// (telnet), or the test DOOR32 host library the program loads from its
// game directory. The operator's terminal is a pseudo-terminal the test
// owns.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "support/host_board.h"
#include "support/program_under_pty.h"
#include "support/rig.h"
#include "support/sockets.h"

namespace {

using testsupport::ProgramUnderPty;

const std::string kRight = "\x1b[C";

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

struct GameDir {
  testsupport::TempDir game;

  GameDir() {
    std::string make = std::string(KELD_DEMO_DATA) + " " + game.path() + " >/dev/null";
    EXPECT_EQ(std::system(make.c_str()), 0);
    std::filesystem::create_symlink(KELD_PROGRAM, game.File("keldcfg"));
  }
};

// The caller's end of a line, and what is particular to its kind.
struct CallerLine {
  platform::Socket caller;
  std::string key_255;  // how the caller's line carries a key of 255
  std::function<void()> hang_up;
};

// What the caller sees from the first screen that reads its keys to the
// end of the session when the caller hangs up.
void CallerSession(ProgramUnderPty& program, const CallerLine& line,
                   const testsupport::TempDir& game, const std::string& before) {
  auto received = [&](const std::string& bytes) {
    return program.WaitUntil([&] { return program.received().find(bytes) != std::string::npos; },
                             10000);
  };
  auto send = [&](const std::string& bytes) {
    ASSERT_TRUE(testsupport::SendFully(line.caller, bytes));
  };
  // Menu items show their hot key in a colour of its own, so the waits
  // look for what follows it.
  ASSERT_TRUE(program.WaitForScreen("onfigure Nodes"));

  // "Do it?" of Fix marriages takes the caller's key; the rule under the
  // title reaches the caller as its 78 code page 437 bytes.
  program.Type(kRight + kRight + kRight);
  ASSERT_TRUE(program.WaitForScreen("arriage problems"));
  program.Type("m");
  ASSERT_TRUE(program.WaitForScreen("Do it?"));
  EXPECT_TRUE(received(std::string(78, '\xC4')));
  send("n");
  ASSERT_TRUE(program.WaitForScreen("arriage problems"));

  // The tournament editor redraws once per key: a 255 is one key.
  program.Type("\x1b[D\x1b[D");
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
  send(line.key_255 + "1");
  EXPECT_TRUE(received("     Note that players are ranked first by the stat you\r\n"));
  EXPECT_EQ(Count(program.received(), "So, what will it be?"), 2u);
  send("r");
  ASSERT_TRUE(program.WaitUntil(
      [&] { return Count(program.received(), "So, what will it be?") == 3; }, 10000));

  // The caller hangs up while the editor waits for a key.
  auto hang_up = std::chrono::steady_clock::now();
  program.WatchSocket(platform::kNoSocket);
  line.hang_up();
  // (The line's leading blanks go out as blanks in another colour.)
  EXPECT_TRUE(program.WaitForScreen("Caller Dropped Carrier.  Returning To BBS..."));
  EXPECT_EQ(program.WaitForExit(10000), 0);
  auto took = std::chrono::steady_clock::now() - hang_up;
  // The carrier is checked once a second, and the message shows 1.5 s.
  EXPECT_LT(took, std::chrono::milliseconds(3000));
  EXPECT_TRUE(game.Snapshot() == before) << "the program wrote files";
}

const std::string kOpening("\xff\xfb\x01\xff\xfb\x00", 6);  // IAC WILL ECHO, IAC WILL BINARY

void TelnetSession(const std::function<std::vector<std::string>(GameDir&, int)>& start) {
  GameDir dir;
  testsupport::Connection connection = testsupport::ConnectLoopback();
  std::vector<std::string> args = start(dir, static_cast<int>(connection.door));
  std::string before = dir.game.Snapshot();
  ProgramUnderPty program(dir.game.File("keldcfg"), args, dir.game.path(), connection.door);
  testsupport::CloseEnd(connection.door);  // the program holds it now
  program.WatchSocket(connection.caller);

  ASSERT_TRUE(program.WaitUntil([&] { return program.received().size() >= 6; }, 10000));
  EXPECT_EQ(program.received().substr(0, 6), kOpening);
  ASSERT_TRUE(testsupport::SendFully(connection.caller, "\xff\xfd\x18"));  // IAC DO 24
  EXPECT_TRUE(program.WaitUntil(
      [&] { return program.received().find("\xff\xfc\x18") != std::string::npos; }, 10000));
  bool open = true;
  CallerSession(program,
                {connection.caller, "\xff\xff",
                 [&] {
                   testsupport::CloseEnd(connection.caller);
                   open = false;
                 }},
                dir.game, before);
  if (open) testsupport::CloseEnd(connection.caller);
}

TEST(TelnetCallerEndToEnd, HandleOnTheCommandLine) {
  TelnetSession([](GameDir&, int fd) {
    return std::vector<std::string>{"-H" + std::to_string(fd), "-N1", "-T"};
  });
}

TEST(TelnetCallerEndToEnd, HandleFromDoor32Sys) {
  TelnetSession([](GameDir& dir, int fd) {
    dir.game.Write("DOOR32.SYS",
                   "2\n" + std::to_string(fd) +
                       "\n38400\nTest BBS\n1\nRemote Caller\nCaller\n100\n60\n1\n1\n");
    return std::vector<std::string>{"-D" + dir.game.File("DOOR32.SYS")};
  });
}

// The board's host libraries: the DOOR32 one carries the caller, the
// WINServer one names the user (comm type 3 always asks it).
void HostLibrarySession(GameDir& dir, const std::vector<std::string>& args) {
  testsupport::HostBoard board;
  testsupport::WinServerLogin login("Wanda Winserver", 60, 0, 1);
  std::string before = dir.game.Snapshot();
  ProgramUnderPty program(dir.game.File("keldcfg"), args, dir.game.path(), platform::kNoSocket);
  ASSERT_TRUE(board.Accept(10000));
  program.WatchSocket(board.caller());
  CallerSession(program, {board.caller(), "\xff", [&] { board.GoOffline(); }}, dir.game, before);
}

TEST(Door32CallerEndToEnd, WinServerSwitch) {
  GameDir dir;
  testsupport::InstallHostLibrary(dir.game.path(), "DOOR32");
  testsupport::InstallHostLibrary(dir.game.path(), "WCSRV");
  HostLibrarySession(dir, {"-W"});
}

// Here the WINServer library is not in the game directory but where the
// dynamic loader looks for libraries.
TEST(Door32CallerEndToEnd, Door32SysOfCommType3) {
  GameDir dir;
  testsupport::InstallHostLibrary(dir.game.path(), "DOOR32");
  dir.game.Write("DOOR32.SYS", "3\n1\n38400\nTest BBS\n1\nRemote Caller\nCaller\n100\n60\n1\n1\n");
  ::setenv("LD_LIBRARY_PATH", testsupport::HostLibraryDirectory().c_str(), 1);
  HostLibrarySession(dir, {"-D" + dir.game.File("DOOR32.SYS")});
  ::unsetenv("LD_LIBRARY_PATH");
}

}  // namespace
