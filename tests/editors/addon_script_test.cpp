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

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

EventRecord NewEvent() {
  EventRecord event;
  editors::ResetEvent(event);
  return event;
}

// The install section: directives in any letter case fill the record, a
// code block of at most ten lines fills the code, "@REPLACE" counts only at
// the start of a line, and the section holds 30 lines besides comments.
TEST(AddonInstall, DirectivesFillTheRecord) {
  std::string script = Lines({"@#WELL",
                              "@writeln not in the install",
                              "@#install",
                              "@EVENTNAME WELL",
                              "@author Ann Smith",
                              "; @AUTHOR comment",
                              "@AUTHID  two blanks",
                              "@DISP Visit the well",
                              "@target leaveinn",
                              "@MAKEDIR WellDir",
                              "@MAKEDIR FAILS",
                              "@TARGET inn",
                              "@CODEBEGIN",
                              "@routine well in &FileName",
                              "",
                              "@writeln done @codeend here",
                              "@writeln last",
                              "@CodeEnd",
                              "@EVENTNAME",
                              "x @replace OLD-ID",
                              "@#NEXT",
                              "@AUTHOR No"});
  auto section = editors::InstallSection(script);
  ASSERT_TRUE(section);
  EXPECT_TRUE(editors::WantsReplace(*section));  // anywhere in a line
  EventRecord event = NewEvent();
  event.EventFile = "WELL.LDY";
  event.Code[5] = "kept";
  std::string replace_id;
  RecordedInstall actions;
  editors::ApplyInstallSection(*section, event, replace_id, actions);
  EXPECT_EQ(event.EventName, "");  // the last "@EVENTNAME" had no value
  EXPECT_EQ(event.Author, "Ann Smith");
  EXPECT_EQ(event.UniqueId, " two blanks");  // one character after the keyword goes
  EXPECT_EQ(event.DisplayText, "Visit the well");
  EXPECT_EQ(event.Target, editors::kTargetLeaveInn);  // "inn" changed nothing
  EXPECT_EQ(actions.made, (std::vector<std::string>{"WellDir", "FAILS"}));
  EXPECT_EQ(actions.messages, (std::vector<std::string>{"Count not create the directory FAILS",
                                                        "Unknown @target: \"INN\""}));
  // The block's lines, the empty one closed up, and the line that only
  // contains the end mark left out; a line the block did not reach stays.
  EXPECT_EQ(event.Code[0], "@routine well in WELL.LDY");
  EXPECT_EQ(event.Code[1], "@writeln last");
  EXPECT_EQ(event.Code[2], "kept");
  EXPECT_EQ(replace_id, "");
  section = editors::InstallSection("@#INSTALL\r@REPLACE OLD-ID");
  editors::ApplyInstallSection(*section, event, replace_id, actions);
  EXPECT_EQ(replace_id, "OLD-ID");

  std::string block = "@#INSTALL\n; c\n@CODEBEGIN\n";
  for (int i = 1; i <= 10; ++i) block += "code " + std::to_string(i) + "\n";
  block += "@AUTHOR eleventh\n@CODEEND\n";
  for (int i = 1; i <= 17; ++i) block += "line " + std::to_string(i) + "\n";
  section = editors::InstallSection(block + "@AUTHID never read\n");
  ASSERT_EQ(section->size(), 30u);
  editors::ApplyInstallSection(*section, event, replace_id, actions);
  EXPECT_EQ(event.Code[9], "code 10");
  EXPECT_EQ(event.Author, "eleventh");  // ordinary lines again after ten
  EXPECT_EQ(event.UniqueId, " two blanks");
  EXPECT_FALSE(editors::InstallSection("@#INSTALLER\n@AUTHOR x\n"));

  // The uninstall section skips comments and empty lines and holds fifty.
  std::string text = "@#uninstall\n\n;x\n";
  for (int i = 1; i <= 51; ++i) text += "@DEL f" + std::to_string(i) + "\n\n";
  section = editors::UninstallSection(text);
  ASSERT_EQ(section->size(), 50u);
  EXPECT_EQ(section->back(), "@DEL f50");
}

namespace fs = std::filesystem;

TEST(AddonUninstall, DeletesOnlyInsideTheGameDirectoryAndNeverTheGamesFiles) {
  testsupport::TempDir root;
  fs::create_directories(root.File("game/sub"));
  fs::create_directories(root.File("outside"));
  const std::vector<std::string> kept = {
      "game/KELD.DAT",     "game/keldtxt.dat", "game/PLAYEXT.DAT", "game/PLAYER.DAT",
      "game/3rdparty.dat", "game/EVENTS.DAT",  "game/OLDKELD.DAT", "game/KELD.EXE",
      "game/sub/keep.txt", "outside/x",        "outside/a.dat",    "x"};
  const std::vector<std::string> gone = {"game/LENEMY.DAT", "game/addon.dat", "game/WELL.LDY",
                                         "game/sub/a.dat"};
  for (const auto& name : kept) root.Write(name, "k");
  for (const auto& name : gone) root.Write(name, "g");
  // A link out of the game directory, where the system lets the tests make
  // one (wine does not); without it "link" is simply a missing name.
  std::error_code no_links;
  fs::create_symlink(root.File("outside"), root.File("game/link"), no_links);
  const std::string game = root.File("game/");

  auto section = editors::UninstallSection(
      Lines({"@#UNINSTALL", "@DEL ../x", "@DEL /etc/x", "@DEL " + root.File("outside/x"),
             "@DEL *.*", "@DEL C:\\KELD\\*.DAT", "@DEL sub\\..\\..\\outside\\x", "@DEL link/*", "",
             "; @DEL *", "@DEL *.DAT", "@del &FILENAME", "@DEL SUB/*.dat", "@RMDIR ..", "@RMDIR ",
             "@RMDIR link", "@RMDIR missing", "@#END", "@DEL *"}));
  ASSERT_TRUE(section);
  RecordedUninstall report;
  editors::RunUninstallSection(*section, game, game + "keldcfg", "well.ldy", report);

  for (const auto& name : kept) EXPECT_TRUE(root.Exists(name)) << name;
  for (const auto& name : gone) EXPECT_FALSE(root.Exists(name)) << name;
  EXPECT_TRUE(fs::is_directory(root.File("outside")));
  std::vector<std::string> refused = {"del ../x", "del /etc/x", "del " + root.File("outside/x"),
                                      "del C:\\KELD\\*.DAT", "del sub\\..\\..\\outside\\x"};
  if (!no_links) refused.push_back("del link/*");  // without the link nothing matches
  refused.insert(refused.end(), {"rmdir ..", "rmdir ", "rmdir link", "rmdir missing"});
  EXPECT_EQ(report.lines, refused);
}

// A scratch game directory with the game's data files and the program:
// patterns that match every name delete nothing however they are spelled,
// and the program is never deleted, under any of its names.
TEST(AddonUninstall, EveryNamePatternsAndTheProgramItselfAreRefused) {
  testsupport::TempDir dir;
  const std::vector<std::string> data = {"LENEMY.DAT",   "WEAPONS.DAT",  "ARMOR.DAT", "NODE1.DAT",
                                         "KELD.DAT",     "PLAYER.DAT",   "KELD.LDY",  "INN.LDY",
                                         "KELDTOUR.DAT", "keldinfo.txt", "README"};
  for (const auto& name : data) dir.Write(name, "data");
  dir.Write("KeldCfg", "a copy of the program");
  fs::create_hard_link(dir.File("KeldCfg"), dir.File("kcfg.bak"));
  // A link to it, where the system lets the tests make one (wine does not).
  std::error_code no_links;
  fs::create_symlink(dir.File("KeldCfg"), dir.File("KELDCFG.LNK"), no_links);
  auto uninstall = [&](const std::string& lines) {
    auto section = editors::UninstallSection("@#UNINSTALL\n" + lines);
    RecordedUninstall report;
    editors::RunUninstallSection(*section, dir.path(), dir.File("KeldCfg"), "WELL.LDY", report);
    return report.lines;
  };

  const std::string before = dir.Snapshot();
  EXPECT_EQ(uninstall("@DEL *\n@DEL ./*.*\n@DEL .\\*.*\n@DEL *.*.*\n@DEL .\\*\n@DEL ?*\n"
                      "@DEL **.*\n@DEL .//*\n@DEL *.*\n"),
            std::vector<std::string>{});
  EXPECT_EQ(dir.Snapshot(), before);

  uninstall("@DEL keld*\n@DEL K*\n");
  for (const char* gone : {"KELDTOUR.DAT", "keldinfo.txt"}) EXPECT_FALSE(dir.Exists(gone)) << gone;
  for (const char* kept : {"KeldCfg", "kcfg.bak", "KELD.DAT", "KELD.LDY"})
    EXPECT_TRUE(dir.Exists(kept)) << kept;
  EXPECT_EQ(dir.Exists("KELDCFG.LNK"), !no_links);

  uninstall("@DEL *.DAT\n");
  for (const char* gone : {"LENEMY.DAT", "WEAPONS.DAT", "ARMOR.DAT", "NODE1.DAT"})
    EXPECT_FALSE(dir.Exists(gone)) << gone;
  for (const char* kept : {"KELD.DAT", "PLAYER.DAT", "INN.LDY", "README", "KeldCfg"})
    EXPECT_TRUE(dir.Exists(kept)) << kept;
}

}  // namespace
