#include "editors/addon_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/rig.h"

namespace {

using editors::EventRecord;

struct RecordedInstall : editors::InstallActions {
  void Message(const std::string& text) override { messages.push_back(text); }
  bool MakeDirectory(const std::string& name) override {
    made.push_back(name);
    return name != "FAILS";
  }
  std::vector<std::string> messages, made;
};

struct RecordedUninstall : editors::UninstallReport {
  void CouldNotDelete(const std::string& name) override { lines.push_back("del " + name); }
  void CouldNotRemoveDirectory(const std::string& name) override {
    lines.push_back("rmdir " + name);
  }
  std::vector<std::string> lines;
};

// The install section: directives in any letter case fill the record, a
// code block fills the code, and "@REPLACE" counts only at the start of a
// line.
TEST(AddonInstall, DirectivesFillTheRecord) {
  std::string script =
      "@#WELL\r\n@writeln not in the install\r\n@#install\r\n@EVENTNAME WELL\r\n"
      "@author Ann Smith\r\n; @AUTHOR comment\r\n@AUTHID  two blanks\r\n@DISP Visit the well\r\n"
      "@target leaveinn\r\n@MAKEDIR WellDir\r\n@MAKEDIR FAILS\r\n@TARGET inn\r\n"
      "@CODEBEGIN\r\n@routine well in &FileName\r\n\r\n@writeln done @codeend here\r\n"
      "@writeln last\r\n@CodeEnd\r\n"
      "@EVENTNAME\r\nx @replace OLD-ID\r\n@#NEXT\r\n@AUTHOR No\r\n";
  auto section = editors::InstallSection(script);
  ASSERT_TRUE(section);
  EXPECT_TRUE(editors::WantsReplace(*section));  // anywhere in a line
  EventRecord event;
  editors::ResetEvent(event);
  event.EventFile = "WELL.LDY";
  event.Code[5] = "kept";
  std::string replace_id;
  RecordedInstall actions;
  editors::ApplyInstallSection(*section, event, replace_id, actions);
  // The last "@EVENTNAME" had no value; one character after the keyword goes.
  EXPECT_EQ(event.EventName + "|" + event.Author + "|" + event.UniqueId + "|" + event.DisplayText,
            "|Ann Smith| two blanks|Visit the well");
  EXPECT_EQ(event.Target, editors::kTargetLeaveInn);  // "inn" changed nothing
  EXPECT_EQ(actions.made, (std::vector<std::string>{"WellDir", "FAILS"}));
  EXPECT_EQ(actions.messages, (std::vector<std::string>{"Count not create the directory FAILS",
                                                        "Unknown @target: \"INN\""}));
  // The block's lines, the empty one closed up, and the line that only
  // contains the end mark left out; a line the block did not reach stays.
  EXPECT_EQ(event.Code[0] + "|" + event.Code[1] + "|" + event.Code[2],
            "@routine well in WELL.LDY|@writeln last|kept");
  EXPECT_EQ(replace_id, "");
  section = editors::InstallSection("@#INSTALL\r@REPLACE OLD-ID");
  editors::ApplyInstallSection(*section, event, replace_id, actions);
  EXPECT_EQ(replace_id, "OLD-ID");
}

namespace fs = std::filesystem;

// One uninstall section run in a game directory beside another directory:
// nothing outside the game directory is touched however the path is
// spelled, patterns that match every name delete nothing (silently), and
// neither the game's files nor the program itself, under any of its
// names, are ever deleted.
TEST(AddonUninstall, DeletesOnlyInsideTheGameDirectoryAndNeverTheGamesFilesOrTheProgram) {
  testsupport::TempDir root;
  fs::create_directories(root.File("game/sub"));
  fs::create_directories(root.File("outside"));
  const std::vector<std::string> kept = {
      "game/KELD.DAT",     "game/keldtxt.dat", "game/PLAYEXT.DAT", "game/PLAYER.DAT",
      "game/3rdparty.dat", "game/EVENTS.DAT",  "game/OLDKELD.DAT", "game/KELD.EXE",
      "game/KELD.LDY",     "game/INN.LDY",     "game/README",      "game/KeldCfg",
      "game/sub/keep.txt", "outside/x",        "outside/a.dat",    "x"};
  const std::vector<std::string> gone = {"game/LENEMY.DAT",   "game/addon.dat",
                                         "game/WELL.LDY",     "game/sub/a.dat",
                                         "game/KELDTOUR.DAT", "game/keldinfo.txt"};
  for (const auto& name : kept) root.Write(name, "k");
  for (const auto& name : gone) root.Write(name, "g");
  fs::create_hard_link(root.File("game/KeldCfg"), root.File("game/kcfg.bak"));
  // Links out of the game directory and to the program, where the system
  // lets the tests make them (wine does not).
  std::error_code no_links;
  fs::create_symlink(root.File("outside"), root.File("game/link"), no_links);
  fs::create_symlink(root.File("game/KeldCfg"), root.File("game/KELDCFG.LNK"), no_links);
  const std::string game = root.File("game/");

  auto section = editors::UninstallSection(
      "@#UNINSTALL\n@DEL *\n@DEL ./*.*\n@DEL .\\*.*\n@DEL *.*.*\n@DEL .\\*\n@DEL ?*\n@DEL **.*\n"
      "@DEL .//*\n@DEL *.*\n@DEL ../x\n@DEL /etc/x\n@DEL " +
      root.File("outside/x") +
      "\n@DEL C:\\KELD\\*.DAT\n@DEL sub\\..\\..\\outside\\x\n@DEL link/*\n\n; @DEL *\n"
      "@DEL keld*\n@DEL K*\n@DEL *.DAT\n@del &FILENAME\n@DEL SUB/*.dat\n@RMDIR ..\n@RMDIR \n"
      "@RMDIR link\n@RMDIR missing\n");
  ASSERT_TRUE(section);
  RecordedUninstall report;
  editors::RunUninstallSection(*section, game, game + "KeldCfg", "well.ldy", report);

  for (const auto& name : kept) EXPECT_TRUE(root.Exists(name)) << name;
  for (const auto& name : gone) EXPECT_FALSE(root.Exists(name)) << name;
  EXPECT_TRUE(root.Exists("game/kcfg.bak"));
  EXPECT_EQ(root.Exists("game/KELDCFG.LNK"), !no_links);
  std::vector<std::string> refused = {"del ../x", "del /etc/x", "del " + root.File("outside/x"),
                                      "del C:\\KELD\\*.DAT", "del sub\\..\\..\\outside\\x"};
  if (!no_links) refused.push_back("del link/*");  // without the link nothing matches
  refused.insert(refused.end(), {"rmdir ..", "rmdir ", "rmdir link", "rmdir missing"});
  EXPECT_EQ(report.lines, refused);
}

}  // namespace
