// The local terminal as the locale and the terminal type say, end to end:
// the real program started for local use on a pseudo-terminal, the bytes
// it sends there read as they come.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/demo_game.h"
#include "support/program_under_pty.h"

namespace {

// A session through the main menu to a framed prompt; what the terminal
// received.
std::string LocalSession(const std::vector<std::string>& env) {
  testsupport::DemoGame game;
  testsupport::StartOptions options;
  options.env = env;
  testsupport::ProgramUnderPty program(game.File("keldcfg"), {"-L"}, game.path(),
                                       platform::kNoSocket, options);
  EXPECT_TRUE(program.WaitForScreen("Enter your name"));
  program.Type("\r");
  EXPECT_TRUE(program.WaitForScreen("onfigure Nodes"));
  program.Type("\x1b[C\x1b[C");  // Game Options
  EXPECT_TRUE(program.WaitForScreen("eletion Grace Period"));
  program.Type("d");
  EXPECT_TRUE(program.WaitForScreen("0 to 180"));
  return program.shown();  // the smoke tests see the program end
}

// Outside UTF-8 the box characters are single bytes; on an "ansi-bbs"
// terminal the renderer keeps to what ANSI.SYS knew (its own tests check
// what that leaves out), so the cursor is never hidden or shown.
TEST(LocalTerminal, AnAnsiBbsTerminalOutsideUtf8GetsCodePage437AndNoPrivateModes) {
  std::string bytes = LocalSession({"LC_ALL=C", "TERM=ansi-bbs"});
  EXPECT_NE(bytes.find("\xD5\xCD\xCD\xCD"), std::string::npos);  // ╒═══ of the menu
  EXPECT_NE(bytes.find("\xC9\xCD\xCD\xCD"), std::string::npos);  // ╔═══ of the prompts
  // Every box character of UTF-8 begins with 0xE2, which nothing here sends.
  EXPECT_EQ(bytes.find('\xE2'), std::string::npos);
  EXPECT_EQ(bytes.find("\x1b[?"), std::string::npos);
}

}  // namespace
