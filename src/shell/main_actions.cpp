#include "shell/main_actions.h"

#include <array>
#include <vector>

#include "editors/extras_file.h"
#include "platform/file.h"
#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/whole_file.h"
#include "ui/menus.h"
#include "ui/prompts.h"

namespace shell {

namespace {

constexpr int kWhite = 15, kBlue = 1;
constexpr int kPathEditLength = 50;
constexpr size_t kScorePathLength = 60;

// The game's play files, deleted by the reset in this order (each only if
// it is there), before the mail files MAIL1 to MAIL150.
constexpr std::array<const char*, 15> kResetFiles = {
    "player.dat",  "playext.dat", "playext2.dat", "BAR.TXT",    "LASTC",
    "P.ANS",       "TIME.DAT",    "SCORES.TXT",   "LOGNOW.TXT", "LOGOLD.TXT",
    "MARRAGE.DAT", "MARBARD.DAT", "GAMEOVER.DAT", "LAST.DAT",   "KELDTOUR.DAT"};
constexpr int kMailFiles = 150;

// PLAYEXT2.DAT: 150 records of a zero byte and two empty string[255].
constexpr size_t kExtras2Records = 150;
constexpr size_t kExtras2RecordSize = 513;

std::string Trimmed(const std::string& s) {
  size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

void WaitForSpace(ui::Ui& ui) {
  while (ui.door.LocalReadKey() != ' ') {
  }
}

void ResetWarning(ui::Ui& ui) {
  ui.door.DClrScr();
  ui.CWriteLn(ui::Centre("`%Emergency Resetting Tale Of Keld", 79));
  ui.DrawRule(2);
  ui.CWriteLn("");
  ui.CWriteLn("");
  ui.CWriteLn(ui.HiCode + "  This option will COMPLETELY start over game. ");
  ui.CWriteLn("");
  ui.CWriteLn("  If the game has been won, and you DON'T want to reset, you");
  ui.CWriteLn("  can keep going.  Just `%DEL GAMEOVER.DAT " + ui.HiCode + "from the Dos prompt.");
  ui.CWriteLn("");
  ui.CWriteLn("  Or you can use this option to COMPLETELY RESET.");
  ui.CWriteLn("");
  ui.CWrite(ui.HiCode + "  Do it? [`%N" + ui.HiCode + "] :`%");
}

// The answer, upper-cased and echoed; an extended key counts as no answer.
char ReadResetAnswer(ui::Ui& ui) {
  bool extended = false;
  char key = ui::ReadLocalKey(ui.door, extended);
  if (extended) key = 0;
  key = platform::UpperCase(key);
  bool printable = static_cast<unsigned char>(key) >= ' ' && key != '`';
  ui.CWriteLn((printable ? std::string(1, key) : std::string()) + ui.HiCode);
  return key;
}

void WriteFreshExtras2(const RunState& run) {
  const std::vector<uint8_t> empty(kExtras2Records * kExtras2RecordSize);
  platform::WriteWholeFileOrEnd(run.GamePath("PLAYEXT2.DAT"), empty);
}

void ResetGame(ui::Ui& ui, RunState& run) {
  for (const char* name : kResetFiles) {
    ui.door.DWrite(". ");
    platform::DeleteFile(run.GamePath(name));
  }
  run.Extras.LastEditDate = editors::kNeverDate;
  ui.door.DWrite(". ");
  for (int n = 1; n <= kMailFiles; ++n)
    platform::DeleteFile(run.GamePath(("MAIL" + std::to_string(n)).c_str()));
  ui.door.DWriteLn(".");
  editors::SaveExtras(ui.door.clock(), run.GameDir, run.Extras);
  WriteFreshExtras2(run);
}

}  // namespace

void ResetEverything(ui::Ui& ui, RunState& run) {
  ResetWarning(ui);
  if (ReadResetAnswer(ui) != 'Y') return;
  ui.CWriteLn("");
  ui.CWriteLn("");
  ui.CWriteLn("  `%**STANDBY, NOW RESETTING GAME**");
  ui.CWriteLn("");
  ResetGame(ui, run);
  ui.CWriteLn("");
  ui.CWrite(ui.HiCode + "  All finished! [space to continue]");
  WaitForSpace(ui);
}

bool TestPath(ui::Ui& ui, const std::string& path) {
  bool ok = false;
  platform::File file;
  if (platform::FileExists(path)) {
    // The operator may have named a score file the game already wrote.
    ok = file.Open(path, platform::File::Mode::kReadWrite) && file.Close();
  } else {
    ok = file.Open(path, platform::File::Mode::kCreate) &&
         file.Write(std::string_view("Testing KELD path name\r\n")) && file.Close();
    if (ok) platform::DeleteFile(path);
  }
  if (ok) return true;
  ui.CWriteLn("");
  ui.CWriteLn("");
  ui.CWriteLn("  `b`4** WARNING! **`b `%That is an invalid path or file name!");
  ui.CWriteLn("");
  ui.door.DReadKey();
  return false;
}

namespace {

std::string ShownPath(const std::string& path) {
  return path.empty() ? "Disabled" : path;
}

ui::MenuDef ScoreMenu(const SettingsRecord& s) {
  ui::MenuDef menu;
  menu.Count = 3;
  menu.ShowHotkeys = true;
  menu.Item(1).Hotkey = 'A';
  menu.Item(1).Text = "`!A`@N`#S`$I  `7Score file Name & Path  : `%" + ShownPath(s.AnsiScorePath);
  menu.Item(2).Hotkey = 'B';
  menu.Item(2).Text = "Ascii Score file Name & Path  : `%" + ShownPath(s.AsciiScorePath);
  menu.Item(3).Hotkey = 'Q';
  menu.Item(3).Text = "Quit to Main Menu";
  return menu;
}

void ScoreScreen(ui::Ui& ui) {
  ui.door.DClrScr();
  ui.CWriteLn(ui::Centre(ui.HiCode + "** `%SCORE FILES NAMES & PATHS " + ui.HiCode + "**", 79));
  ui.DrawRule(2);
  ui.CWriteLn("");
  ui.CWriteLn("");
  ui.CWriteLn("  `%KELD can create an ASCII and an ANSI score file in a path and name");
  ui.CWriteLn("  of your choice.");
  ui.CWriteLn("");
  ui.DrawRule(13);
}

void AskScorePath(ui::Ui& ui, RunState& run, std::string& path, const char* example) {
  ui.CWriteLn(ui.HiCode + "  Enter blank line to disable this option.");
  ui.CWriteLn("");
  ui.CWriteLn(std::string("  `%Example:  ") + example);
  ui.CWriteLn("");
  ui.CWrite("  Path & Name Of File: ");
  std::string typed = ui::LineEdit(ui, 0, 0, kPathEditLength, kBlue, kWhite, path);
  path = platform::AsStoredPath(typed.substr(0, kScorePathLength));
  if (!path.empty() && !TestPath(ui, path)) path.clear();
  run.SettingsChanged = true;
}

}  // namespace

void ScoreFilePaths(ui::Ui& ui, RunState& run) {
  for (;;) {
    ui::MenuDef menu = ScoreMenu(run.Settings);
    ScoreScreen(ui);
    ui.door.DGotoRowCol(8, 3);
    int16_t chosen = ui::LightbarMenu(ui, menu);
    ui.door.DGotoRowCol(15, 1);
    if (chosen == 1) AskScorePath(ui, run, run.Settings.AnsiScorePath, "C:\\BBS\\MISC\\SCORE.ANS");
    if (chosen == 2) AskScorePath(ui, run, run.Settings.AsciiScorePath, "C:\\BBS\\MISC\\SCORE.TXT");
    if (chosen == 3) return;
  }
}

void DownloadProgramPath(ui::Ui& ui, RunState& run) {
  ui.door.DClrScr();
  ui.CWrite(ui::Centre(ui.HiCode + "** `%Set your GSZ Path " + ui.HiCode + "**", 79));
  ui.DrawRule(2);
  ui.door.DGotoRowCol(4, 1);
  ui.CWriteLn(" `7 What is the complete path and name to your GSZ.EXE?");
  ui.CWriteLn("  (This is to allow downloading of KELDICON.ZIP online for RIP users,");
  ui.CWriteLn("  they MUST have this unzipped in their ICONS directory to play KELD in");
  ui.CWriteLn("  RIP.)");
  ui.CWriteLn("");
  ui.CWriteLn(ui.HiCode + "  Example :  `%C:\\DOS\\GSZ.EXE");
  ui.CWriteLn("");
  ui.CWriteLn("  Enter a blank string to disable in game downloading.  (please");
  ui.CWriteLn("  put the file in your BBS's file base in this case!)");
  ui.CWriteLn("");
  ui.CWriteLn("  Currently: " + run.DownloadPath);
  ui.CWriteLn("");
  ui.CWrite("  `%=> ");
  std::string typed = ui::LineEdit(ui, 0, 0, kPathEditLength, kBlue, kWhite, run.DownloadPath);
  run.DownloadPath = Trimmed(platform::AsStoredPath(typed));
  if (!run.DownloadPath.empty()) return;
  ui.door.DGotoCol(6);
  ui.CWriteLn("`$IN GAME DOWNLOADING DISABLED!");
  ui.CWriteLn("");
  run.DownloadPath = kDownloadsDisabled;
  ui.CWrite(ui.HiCode + "  [space to continue]");
  WaitForSpace(ui);
}

}  // namespace shell
