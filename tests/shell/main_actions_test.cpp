#include "shell/main_actions.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/extras_file.h"
#include "platform/keys.h"
#include "platform/letter_case.h"
#include "support/key_names.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using namespace testsupport::keys;

struct ActionRig : testsupport::SnoopRig {
  testsupport::TempDir dir;
  shell::RunState run;
  ActionRig() { run.GameDir = dir.path(); }
  void Done() { EXPECT_EQ(console.PendingKeys(), 0u) << console.Dump(); }
  bool ScreenHas(const std::string& text) const {
    return console.Dump().find(text) != std::string::npos;
  }
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
  editors::LoadExtras(t.clock, t.dir.path(), t.run.Extras);
  for (const char* name : kPlayFiles)
    if (!t.dir.Exists(name)) t.dir.Write(name, "play");
  for (int n = 1; n <= 150; ++n)
    t.dir.Write((n == 77 ? "mail" : "MAIL") + std::to_string(n), "mail");
  WriteKeptFiles(t.dir);
  testsupport::TempDir kept;
  WriteKeptFiles(kept);

  t.console.Type("ya ");  // only a space ends the last screen
  shell::ResetEverything(t.ui, t.run);
  t.Done();

  extras[1334] = 0;  // the date is empty again
  kept.Write("PLAYEXT.DAT", extras);
  kept.Write("PLAYEXT2.DAT", std::string(76950, '\0'));
  EXPECT_EQ(t.dir.Snapshot(), kept.Snapshot());
  EXPECT_EQ(t.run.Extras.LastEditDate, "NEVER");
  EXPECT_TRUE(t.ScreenHas("  Do it? [N] :Y"));
  std::string marks;
  for (int i = 0; i < 16; ++i) marks += ". ";
  EXPECT_TRUE(t.ScreenHas("\n" + marks + ".\n"));
  EXPECT_TRUE(t.ScreenHas("  All finished! [space to continue]"));
}

TEST(ResetEverything, AnythingButYDeletesNothing) {
  for (const char* answer : {"n", "\x1B"}) {
    ActionRig t;
    for (const char* name : kPlayFiles) t.dir.Write(name, "play");
    std::string before = t.dir.Snapshot();
    t.console.Type(answer);
    shell::ResetEverything(t.ui, t.run);
    t.Done();
    EXPECT_EQ(t.dir.Snapshot(), before) << answer;
    EXPECT_FALSE(t.ScreenHas("STANDBY"));
  }
}

TEST(ScoreFilePaths, PathsAreTestedWithoutHarmThenStoredOrDisabled) {
  ActionRig t;
  t.run.Settings.AnsiScorePath = "/old/path";
  t.dir.Write("SCORE.ANS", "yesterday's scores");
  std::string fresh = t.dir.File("score.txt"), existing = t.dir.File("SCORE.ANS");
  // a key for the warning; only redraws
  t.console.Type("A" + t.dir.File("gone/score.ans") + "\rkB" + fresh + "\r" +
                 Extended(platform::key::kF2) + "A" + existing + "\r" + kEsc);
  shell::ScoreFilePaths(t.ui, t.run);
  t.Done();
  // Upper-cased where the file system ignores case; as typed where it does
  // not, since there upper case would name another file.
  auto stored = [](const std::string& typed) {
    return testsupport::OnWindows() ? platform::UpperCase(typed) : typed;
  };
  EXPECT_TRUE(t.Showed("  ** WARNING! ** That is an invalid path or file name!"));
  EXPECT_EQ(t.run.Settings.AnsiScorePath, stored(existing));
  EXPECT_EQ(t.run.Settings.AsciiScorePath, stored(fresh));
  EXPECT_TRUE(t.run.SettingsChanged);
  EXPECT_EQ(t.dir.Snapshot(), "SCORE.ANS=yesterday's scores\n");
  EXPECT_NE(t.Row(8).find("(A) ANSI  Score file Name & Path  : " + stored(existing)),
            std::string::npos);
  EXPECT_NE(t.Row(9).find("(B) Ascii Score file Name & Path  : " + stored(fresh)),
            std::string::npos);

  t.console.Type("B \rA" + t.dir.File("gone/x") + "\rkQ");  // blank, then a bad path
  shell::ScoreFilePaths(t.ui, t.run);
  t.Done();
  EXPECT_EQ(t.run.Settings.AsciiScorePath, "");
  EXPECT_NE(t.Row(8).find("Score file Name & Path  : Disabled"), std::string::npos);
}

TEST(DownloadProgramPath, TrimmedOrDisabled) {
  ActionRig t;
  t.console.Type("  /opt/gsz/gsz.exe   \r");
  shell::DownloadProgramPath(t.ui, t.run);
  t.Done();
  EXPECT_EQ(t.run.DownloadPath, testsupport::OnWindows() ? "/OPT/GSZ/GSZ.EXE" : "/opt/gsz/gsz.exe");
  EXPECT_TRUE(t.ScreenHas("  Currently: NONE **SET THIS**"));
  EXPECT_FALSE(t.run.SettingsChanged);

  ActionRig blank;
  blank.run.DownloadPath = "/opt/gsz/gsz.exe";
  blank.console.Type("   \rx ");
  shell::DownloadProgramPath(blank.ui, blank.run);
  blank.Done();
  EXPECT_EQ(blank.run.DownloadPath, "DISABLED!");
  EXPECT_TRUE(blank.ScreenHas("IN GAME DOWNLOADING DISABLED!"));
  EXPECT_TRUE(blank.ScreenHas("  [space to continue]"));
}

}  // namespace
