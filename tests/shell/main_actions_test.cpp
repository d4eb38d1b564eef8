#include "shell/main_actions.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/extras_file.h"
#include "platform/keys.h"
#include "platform/letter_case.h"
#include "support/rig.h"

namespace {

namespace key = platform::key;

struct ActionRig {
  testsupport::Rig rig;
  testsupport::TempDir dir;
  shell::RunState run;
  ActionRig() { run.GameDir = dir.path(); }
  void Done() { EXPECT_EQ(rig.console.PendingKeys(), 0u) << rig.console.Dump(); }
};

const char* const kPlayFiles[] = {"Player.dat",   "PLAYEXT.DAT", "playext2.dat", "BAR.TXT",
                                  "LASTC",        "P.ANS",       "TIME.DAT",     "SCORES.TXT",
                                  "LOGNOW.TXT",   "LOGOLD.TXT",  "MARRAGE.DAT",  "marbard.dat",
                                  "GAMEOVER.DAT", "LAST.DAT",    "KELDTOUR.DAT"};

// Files the reset must leave alone.
void WriteKeptFiles(const testsupport::TempDir& dir) {
  for (const char* name : {"KELD.DAT", "NODE1.DAT", "WEAPONS.DAT", "GSZINFO.DAT", "NOANSI.DAT",
                           "MAIL0", "MAIL151", "MAIL1.TXT"})
    dir.Write(name, std::string("kept ") + name);
}

TEST(ResetEverything, DeletesThePlayFilesAndStartsTheExtrasAfresh) {
  ActionRig t;
  std::vector<uint8_t> extras = testsupport::RandomBytes(1361, 5);
  extras[1334] = 10;
  t.dir.Write("PLAYEXT.DAT", extras);
  editors::LoadExtras(t.rig.clock, t.dir.path(), t.run.Extras);
  for (const char* name : kPlayFiles)
    if (!t.dir.Exists(name)) t.dir.Write(name, "play");
  for (int n = 1; n <= 150; ++n)
    t.dir.Write((n == 77 ? "mail" : "MAIL") + std::to_string(n), "mail");
  WriteKeptFiles(t.dir);
  testsupport::TempDir kept;
  WriteKeptFiles(kept);

  t.rig.console.Type("ya ");  // only a space ends the last screen
  shell::ResetEverything(t.rig.ui, t.run);
  t.Done();

  extras[1334] = 0;  // the date is empty again
  kept.Write("PLAYEXT.DAT", extras);
  kept.Write("PLAYEXT2.DAT", std::string(76950, '\0'));
  EXPECT_EQ(t.dir.Snapshot(), kept.Snapshot());
  EXPECT_EQ(t.run.Extras.LastEditDate, "NEVER");
  EXPECT_FALSE(t.dir.Exists("PLAYEXT.DAX"));
  EXPECT_TRUE(t.rig.ScreenHas("  Do it? [N] :Y"));
  std::string marks;
  for (int i = 0; i < 16; ++i) marks += ". ";
  EXPECT_TRUE(t.rig.ScreenHas("\n" + marks + ".\n"));
  EXPECT_TRUE(t.rig.ScreenHas("  All finished! [space to continue]"));
}

TEST(ResetEverything, AnythingButYDeletesNothing) {
  for (const char* answer : {"n", "\x1B", "\r", "x"}) {
    ActionRig t;
    for (const char* name : kPlayFiles) t.dir.Write(name, "play");
    std::string before = t.dir.Snapshot();
    t.rig.console.Type(answer);
    shell::ResetEverything(t.rig.ui, t.run);
    t.Done();
    EXPECT_EQ(t.dir.Snapshot(), before) << answer;
    EXPECT_FALSE(t.rig.ScreenHas("STANDBY"));
  }
}

TEST(TestPath, NeverDestroysAFileAndWarnsAboutABadPath) {
  ActionRig t;
  t.dir.Write("SCORE.ANS", "yesterday's scores");
  EXPECT_TRUE(shell::TestPath(t.rig.ui, t.dir.File("SCORE.ANS")));
  EXPECT_TRUE(shell::TestPath(t.rig.ui, t.dir.File("NEW.TXT")));
  EXPECT_EQ(t.dir.Snapshot(), "SCORE.ANS=yesterday's scores\n");
  EXPECT_FALSE(t.rig.ScreenHas("WARNING"));

  t.rig.console.Type("k");
  EXPECT_FALSE(shell::TestPath(t.rig.ui, t.dir.File("NO/SUCH/DIR/SCORE.TXT")));
  t.Done();
  EXPECT_TRUE(t.rig.ScreenHas("  ** WARNING! ** That is an invalid path or file name!"));
  EXPECT_EQ(t.dir.Snapshot(), "SCORE.ANS=yesterday's scores\n");
}

TEST(ScoreFilePaths, PathsAreTestedStoredOrDisabled) {
  ActionRig t;
  t.run.Settings.AnsiScorePath = "/old/path";
  std::string good = t.dir.File("score.txt");
  t.rig.console.Type("A" + t.dir.File("gone/score.ans") + "\r");
  t.rig.console.Type("k");  // the warning's key
  t.rig.console.Type("B" + good + "\r");
  t.rig.console.Extended(key::kF2);  // only redraws
  t.rig.console.Key(key::kEscape);
  shell::ScoreFilePaths(t.rig.ui, t.run);
  t.Done();
  // Upper-cased where the file system ignores case; as typed where it does
  // not, since there upper case would name another file.
  const std::string stored = testsupport::OnWindows() ? platform::UpperCase(good) : good;
  EXPECT_EQ(t.run.Settings.AnsiScorePath, "");
  EXPECT_EQ(t.run.Settings.AsciiScorePath, stored);
  EXPECT_TRUE(t.run.SettingsChanged);
  EXPECT_EQ(t.dir.Snapshot(), "");
  EXPECT_NE(t.rig.Row(8).find("(A) ANSI  Score file Name & Path  : Disabled"), std::string::npos);
  EXPECT_NE(t.rig.Row(9).find("(B) Ascii Score file Name & Path  : " + stored), std::string::npos);
  EXPECT_NE(t.rig.Row(1).find("** SCORE FILES NAMES & PATHS **"), std::string::npos);

  ActionRig blank;
  blank.run.Settings.AsciiScorePath = "/some/where";
  blank.rig.console.Type("B \rQ");  // a blank entry disables
  shell::ScoreFilePaths(blank.rig.ui, blank.run);
  blank.Done();
  EXPECT_EQ(blank.run.Settings.AsciiScorePath, "");
}

TEST(DownloadProgramPath, TrimmedOrDisabled) {
  ActionRig t;
  t.rig.console.Type("  /opt/gsz/gsz.exe   \r");
  shell::DownloadProgramPath(t.rig.ui, t.run);
  t.Done();
  EXPECT_EQ(t.run.DownloadPath, testsupport::OnWindows() ? "/OPT/GSZ/GSZ.EXE" : "/opt/gsz/gsz.exe");
  EXPECT_TRUE(t.rig.ScreenHas("  Currently: NONE **SET THIS**"));
  EXPECT_FALSE(t.run.SettingsChanged);

  ActionRig blank;
  blank.run.DownloadPath = "/opt/gsz/gsz.exe";
  blank.rig.console.Type("   \rx ");
  shell::DownloadProgramPath(blank.rig.ui, blank.run);
  blank.Done();
  EXPECT_EQ(blank.run.DownloadPath, "DISABLED!");
  EXPECT_TRUE(blank.rig.ScreenHas("IN GAME DOWNLOADING DISABLED!"));
  EXPECT_TRUE(blank.rig.ScreenHas("  [space to continue]"));
}

}  // namespace
