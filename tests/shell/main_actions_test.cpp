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
};

const char* const kPlayFiles[] = {"Player.dat",   "PLAYEXT.DAT", "playext2.dat", "BAR.TXT",
                                  "LASTC",        "P.ANS",       "TIME.DAT",     "SCORES.TXT",
                                  "LOGNOW.TXT",   "LOGOLD.TXT",  "MARRAGE.DAT",  "marbard.dat",
                                  "GAMEOVER.DAT", "LAST.DAT",    "KELDTOUR.DAT"};

TEST(ResetEverything, OnlyYDeletesThePlayFilesAndStartsTheExtrasAfresh) {
  ActionRig t;
  std::vector<uint8_t> extras = testsupport::RandomBytes(1361, 5);
  extras[1334] = 10;
  t.dir.Write("PLAYEXT.DAT", extras);
  editors::LoadExtras(t.clock, t.dir.path(), t.run.Extras);
  for (const char* name : kPlayFiles)
    if (!t.dir.Exists(name)) t.dir.Write(name, "play");
  for (int n = 1; n <= 150; ++n)
    t.dir.Write((n == 77 ? "mail" : "MAIL") + std::to_string(n), "mail");
  testsupport::TempDir kept;  // the files the reset must leave alone, here and there
  for (const char* name : {"KELD.DAT", "NODE1.DAT", "WEAPONS.DAT", "GSZINFO.DAT", "NOANSI.DAT",
                           "MAIL0", "MAIL151", "MAIL1.TXT"})
    for (const testsupport::TempDir* in : {&t.dir, &kept}) in->Write(name, name);
  const std::string before = t.dir.Snapshot();
  t.console.Type("n");  // anything but Y deletes nothing
  shell::ResetEverything(t.ui, t.run);
  EXPECT_EQ(t.dir.Snapshot(), before);

  t.console.Type("ya ");  // only a space ends the last screen
  shell::ResetEverything(t.ui, t.run);
  t.Done();

  extras[1334] = 0;  // the date is empty again
  kept.Write("PLAYEXT.DAT", extras);
  kept.Write("PLAYEXT2.DAT", std::string(76950, '\0'));
  EXPECT_EQ(t.dir.Snapshot(), kept.Snapshot());
  EXPECT_EQ(t.run.Extras.LastEditDate, "NEVER");
  EXPECT_TRUE(t.Showed("  Do it? [N] :Y"));
  EXPECT_TRUE(t.Showed("\n" + Repeat(". ", 16) + ".\n"));
  EXPECT_TRUE(t.Showed("  All finished! [space to continue]"));
}

TEST(MainActions, ScoreFilePathsAreTestedWithoutHarmAndTheDownloadPathTrimmedOrDisabled) {
  ActionRig t;
  t.run.Settings.AnsiScorePath = "/old/path";
  t.dir.Write("SCORE.ANS", "yesterday's scores");
  std::string fresh = t.dir.File("score.txt"), existing = t.dir.File("SCORE.ANS");
  // A bad path (a key for the warning), a new file, F2 (only redraws), a
  // blank answer, an existing file.
  t.console.Type("A" + t.dir.File("gone/score.ans") + "\rkB" + fresh + "\r" +
                 Extended(platform::key::kF2) + "B \rA" + existing + "\r" + kEsc);
  shell::ScoreFilePaths(t.ui, t.run);
  t.Done();
  // Upper-cased where the file system ignores case; as typed where it does
  // not, since there upper case would name another file.
  auto stored = [](const std::string& typed) {
    return testsupport::OnWindows() ? platform::UpperCase(typed) : typed;
  };
  EXPECT_TRUE(t.Showed("  ** WARNING! ** That is an invalid path or file name!"));
  EXPECT_TRUE(t.Showed("(A) ANSI  Score file Name & Path  : Disabled"));
  EXPECT_TRUE(t.Showed("(B) Ascii Score file Name & Path  : " + stored(fresh)));
  EXPECT_EQ(t.run.Settings.AnsiScorePath, stored(existing));
  EXPECT_EQ(t.run.Settings.AsciiScorePath, "");
  EXPECT_TRUE(t.run.SettingsChanged);
  EXPECT_EQ(t.dir.Snapshot(), "SCORE.ANS=yesterday's scores\n");

  // The download program path: trimmed, or disabled by a blank answer.
  t.run.SettingsChanged = false;
  t.console.Type("  /opt/gsz/gsz.exe   \r");
  shell::DownloadProgramPath(t.ui, t.run);
  EXPECT_EQ(t.run.DownloadPath, testsupport::OnWindows() ? "/OPT/GSZ/GSZ.EXE" : "/opt/gsz/gsz.exe");
  EXPECT_TRUE(t.Showed("  Currently: NONE **SET THIS**"));
  EXPECT_FALSE(t.run.SettingsChanged);
  t.console.Type("   \rx ");
  shell::DownloadProgramPath(t.ui, t.run);
  t.Done();
  EXPECT_EQ(t.run.DownloadPath, "DISABLED!");
  EXPECT_TRUE(t.Showed("IN GAME DOWNLOADING DISABLED!"));
  EXPECT_TRUE(t.Showed("  [space to continue]"));
}

}  // namespace
