// A caller on telnet, end to end: the real program started as a board
// starts a door, with one end of a loopback TCP connection inherited, and
// the test on the other end as the caller's terminal. The operator's
// terminal is a pseudo-terminal the test owns.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/program_under_pty.h"
#include "support/rig.h"
#include "support/sockets.h"

namespace {

using testsupport::ProgramUnderPty;

const std::string kOpening("\xff\xfb\x01\xff\xfb\x00", 6);  // IAC WILL ECHO, IAC WILL BINARY
const std::string kRight = "\x1b[C";

size_t Count(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

struct Session {
  testsupport::TempDir game;
  testsupport::Connection line = testsupport::ConnectLoopback();
  std::string door_fd = std::to_string(line.door);

  Session() {
    std::string make = std::string(KELD_DEMO_DATA) + " " + game.path() + " >/dev/null";
    EXPECT_EQ(std::system(make.c_str()), 0);
    std::filesystem::create_symlink(KELD_PROGRAM, game.File("keldcfg"));
  }
  ~Session() { testsupport::CloseEnd(line.caller); }
};

// Everything a caller should see, from the opening offer to the end of the
// session when the caller hangs up.
void CallerSession(Session& session, const std::vector<std::string>& args) {
  std::string before = session.game.Snapshot();
  ProgramUnderPty program(session.game.File("keldcfg"), args, session.game.path(),
                          session.line.door);
  testsupport::CloseEnd(session.line.door);  // the program holds it now
  program.WatchSocket(session.line.caller);
  auto received = [&](const std::string& bytes) {
    return program.WaitUntil([&] { return program.received().find(bytes) != std::string::npos; },
                             10000);
  };
  auto send = [&](const std::string& bytes) {
    ASSERT_TRUE(testsupport::SendFully(session.line.caller, bytes));
  };

  ASSERT_TRUE(program.WaitUntil([&] { return program.received().size() >= 6; }, 10000));
  EXPECT_EQ(program.received().substr(0, 6), kOpening);
  send("\xff\xfd\x18");  // IAC DO 24
  EXPECT_TRUE(received("\xff\xfc\x18"));
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

  // The tournament editor redraws once per key: a doubled 255 is one key.
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
  send(
      "\xff\xff"
      "1");
  EXPECT_TRUE(received("     Note that players are ranked first by the stat you\r\n"));
  EXPECT_EQ(Count(program.received(), "So, what will it be?"), 2u);
  send("r");
  ASSERT_TRUE(program.WaitUntil(
      [&] { return Count(program.received(), "So, what will it be?") == 3; }, 10000));

  // The caller hangs up while the editor waits for a key.
  auto hang_up = std::chrono::steady_clock::now();
  testsupport::CloseEnd(session.line.caller);
  session.line.caller = platform::kNoSocket;
  program.WatchSocket(platform::kNoSocket);
  // (The line's leading blanks go out as blanks in another colour.)
  EXPECT_TRUE(program.WaitForScreen("Caller Dropped Carrier.  Returning To BBS..."));
  EXPECT_EQ(program.WaitForExit(10000), 0);
  auto took = std::chrono::steady_clock::now() - hang_up;
  // The carrier is checked once a second, and the message shows 1.5 s.
  EXPECT_LT(took, std::chrono::milliseconds(3000));
  EXPECT_TRUE(session.game.Snapshot() == before) << "the program wrote files";
}

TEST(TelnetCallerEndToEnd, HandleOnTheCommandLine) {
  Session session;
  CallerSession(session, {"-H" + session.door_fd, "-N1", "-T"});
}

TEST(TelnetCallerEndToEnd, HandleFromDoor32Sys) {
  Session session;
  session.game.Write(
      "DOOR32.SYS",
      "2\n" + session.door_fd + "\n38400\nTest BBS\n1\nRemote Caller\nCaller\n100\n60\n1\n1\n");
  CallerSession(session, {"-D" + session.game.File("DOOR32.SYS")});
}

}  // namespace
