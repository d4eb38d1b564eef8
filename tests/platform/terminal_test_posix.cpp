// The local terminal as the locale and the terminal type say, end to end:
// the real program started for local use on a pseudo-terminal, the bytes
// it sends there read as they come.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/demo_game.h"
#include "support/program_under_pty.h"

namespace {

// A session through the main menu, a framed prompt and the exit dialogue;
// what the terminal received.
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
  program.Type("\r\x1b");  // the number as it was, then leave the menu
  EXPECT_TRUE(program.WaitForScreen("Save changes?"));
  program.Type("n");
  EXPECT_TRUE(program.WaitForScreen("Thanks for using our software!"));
  EXPECT_EQ(program.WaitForExit(10000), 0);
  return program.shown();
}

TEST(LocalTerminal, OutsideUtf8TheBoxCharactersAreSingleBytes) {
  std::string bytes = LocalSession({"LC_ALL=C"});
  EXPECT_NE(bytes.find("\xD5\xCD\xCD\xCD"), std::string::npos);  // ╒═══ of the menu
  EXPECT_NE(bytes.find("\xC9\xCD\xCD\xCD"), std::string::npos);  // ╔═══ of the prompts
  EXPECT_NE(bytes.find("\xCD\xBB"), std::string::npos);          // ═╗
  // Every box character of UTF-8 begins with 0xE2, which nothing here sends.
  EXPECT_EQ(bytes.find('\xE2'), std::string::npos);
}

TEST(LocalTerminal, AnAnsiBbsTerminalGetsOnlyWhatAnsiSysKnew) {
  std::string bytes = LocalSession({"LC_ALL=C.UTF-8", "TERM=ansi-bbs"});
  int sequences = 0;
  for (size_t at = bytes.find("\x1b["); at != std::string::npos; at = bytes.find("\x1b[", at)) {
    size_t end = bytes.find_first_not_of("0123456789;?", at + 2);
    ASSERT_NE(end, std::string::npos);
    std::string params = bytes.substr(at + 2, end - at - 2);
    char final = bytes[end];
    ++sequences;
    EXPECT_EQ(params.find('?'), std::string::npos) << "a private mode: " << params << final;
    EXPECT_NE(std::string("HfABCDJKm").find(final), std::string::npos) << params << final;
    std::stringstream list(params);
    for (std::string p; final == 'm' && std::getline(list, p, ';');) {
      int sgr = p.empty() ? 0 : std::stoi(p);
      bool known = sgr == 0 || sgr == 1 || sgr == 5 || sgr == 7 || (sgr >= 30 && sgr <= 37) ||
                   (sgr >= 40 && sgr <= 47);
      EXPECT_TRUE(known) << "SGR " << sgr;
    }
    at = end + 1;
  }
  EXPECT_GT(sequences, 100);
}

}  // namespace
