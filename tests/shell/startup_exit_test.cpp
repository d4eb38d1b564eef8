#include <gtest/gtest.h>

#include "editors/tournament_record.h"
#include "platform/keys.h"
#include "shell/keldcfg.h"
#include "shell/settings_record.h"
#include "support/end_expected.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using testsupport::Rig;
using testsupport::TempDir;
namespace key = platform::key;

const std::string kAnsiText = "Delete this file to enable intro ansis, chum.";
const std::string kMoreText = "Delete this file to enable fancy more prompts, chum.";
const std::string kChatText = "Delete this file to enable NPC chatter, bud.";

door::CommandLine LocalStart(const TempDir& dir, std::vector<std::string> extra = {}) {
  door::CommandLine cl{dir.File("keldcfg"), {"-L"}};
  for (auto& arg : extra) cl.args.push_back(arg);
  return cl;
}

std::string DefaultSettingsBytes() {
  shell::SettingsRecord record = shell::DefaultSettings();
  return std::string(record.raw.begin(), record.raw.end());
}

// A game directory that starts without the settings error screen.
void WriteSettings(const TempDir& dir) {
  dir.Write("KELD.DAT", DefaultSettingsBytes());
}

// Starts the program up to its main loop (the local login takes Enter).
// `then` are the keys typed after the login.
void Start(Rig& rig, shell::RunState& run, const TempDir& dir, std::vector<std::string> extra = {},
           const std::string& then = "") {
  rig.console.Key(key::kEnter);
  rig.console.Type(then);
  shell::LoadRunState(rig.ui, run, LocalStart(dir, std::move(extra)));
}

void Leave(Rig& rig, shell::RunState& run) {
  shell::RunExitDialogue(rig.ui, run);
  shell::WriteBack(rig.door, run);
}

TEST(StartUp, GameDirectoryIsWhereTheProgramWasStartedFrom) {
  EXPECT_EQ(shell::DirectoryOf("/bbs/keld/keldcfg"), "/bbs/keld/");
  TempDir dir;
  WriteSettings(dir);
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  EXPECT_EQ(run.GameDir, dir.path());
  EXPECT_EQ(run.ProgramDir, dir.path());
  EXPECT_EQ(rig.door.state.UserName, "SYSOP");
  EXPECT_EQ(rig.console.screen().window().bottom, 24);  // row 25 is the status bar's
}

TEST(StartUp, WithoutAnyFileAllSwitchesAreOnAndExitCreatesNoFlagFile) {
  TempDir dir;
  WriteSettings(dir);
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  EXPECT_TRUE(run.IntroAnsi && run.FancyMore && run.NpcChatter);
  EXPECT_EQ(run.DownloadPath, "NONE **SET THIS**");
  EXPECT_EQ(run.DeedsToWin, 10);
  Leave(rig, run);
  EXPECT_FALSE(dir.Exists("NOANSI.DAT") || dir.Exists("NOFMORE.DAT") || dir.Exists("NOCHAT.DAT"));
  EXPECT_FALSE(dir.Exists("GSZINFO.DAT") || dir.Exists("WINGAME.DAT"));
  EXPECT_EQ(dir.Read("KELDTOUR.DAT").size(), 17u);
  EXPECT_EQ(dir.Read("PLAYEXT.DAT").size(), 1361u);
  EXPECT_EQ(dir.Read("KELD.DAT"), DefaultSettingsBytes());  // not rewritten, nothing changed
  EXPECT_TRUE(rig.ScreenHas("Thanks for using our software!"));
  EXPECT_FALSE(rig.ScreenHas("Save changes?"));
}

// The farewell reaches the terminal before the files are written, so a
// write that has to wait (a held lock file) does not freeze the old screen.
TEST(ExitDialogue, TheFarewellIsShownBeforeTheFilesAreWritten) {
  TempDir dir;
  WriteSettings(dir);
  testsupport::SnoopRig rig;
  shell::RunState run;
  rig.console.Key(key::kEnter);
  shell::LoadRunState(rig.ui, run, LocalStart(dir));
  bool shown_first = false;
  rig.console.on_present = [&] {
    if (rig.console.Dump().find("Thanks for using our software!") != std::string::npos &&
        !dir.Exists("KELDTOUR.DAT"))
      shown_first = true;
  };
  shell::RunExitDialogue(rig.ui, run);
  shell::WriteBack(rig.door, run);
  EXPECT_TRUE(shown_first);
  EXPECT_TRUE(dir.Exists("KELDTOUR.DAT"));
}

TEST(ExitWriteBack, SwitchedOffFlagsAreCreatedWithTheirTextAndDeletedWhenOnAgain) {
  TempDir dir;
  WriteSettings(dir);
  {
    Rig rig;
    shell::RunState run;
    Start(rig, run, dir);
    run.IntroAnsi = run.FancyMore = run.NpcChatter = false;
    Leave(rig, run);
  }
  EXPECT_EQ(dir.Read("NOANSI.DAT"), kAnsiText);
  EXPECT_EQ(dir.Read("NOFMORE.DAT"), kMoreText);
  EXPECT_EQ(dir.Read("NOCHAT.DAT"), kChatText);
  {
    Rig rig;
    shell::RunState run;
    Start(rig, run, dir);
    EXPECT_FALSE(run.IntroAnsi || run.FancyMore || run.NpcChatter);
    run.IntroAnsi = true;
    Leave(rig, run);
  }
  EXPECT_FALSE(dir.Exists("NOANSI.DAT"));
  EXPECT_TRUE(dir.Exists("NOFMORE.DAT"));
}

TEST(ExitWriteBack, ExistingFlagFileIsNotRewrittenAndAnyCaseCounts) {
  TempDir dir;
  WriteSettings(dir);
  dir.Write("nochat.dat", "made by hand");
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  EXPECT_FALSE(run.NpcChatter);
  Leave(rig, run);
  EXPECT_EQ(dir.Read("nochat.dat"), "made by hand");
  EXPECT_FALSE(dir.Exists("NOCHAT.DAT"));
}

TEST(ExitWriteBack, DeedsNeededToWin) {
  TempDir dir;
  WriteSettings(dir);
  auto run_once = [&](auto change) {
    Rig rig;
    shell::RunState run;
    Start(rig, run, dir);
    change(run);
    Leave(rig, run);
  };
  run_once([](shell::RunState& run) { run.DeedsToWin = 0; });
  EXPECT_EQ(dir.Read("WINGAME.DAT"), "0\r\n");
  run_once([](shell::RunState& run) {
    EXPECT_EQ(run.DeedsToWin, 0);
    run.DeedsToWin = 10;
  });
  EXPECT_FALSE(dir.Exists("WINGAME.DAT"));
  dir.Write("WINGAME.DAT", " \r\n 10\r\n");
  run_once([](shell::RunState& run) { EXPECT_EQ(run.DeedsToWin, 10); });
  EXPECT_FALSE(dir.Exists("WINGAME.DAT"));
  dir.Write("WINGAME.DAT", "65541");  // the low 16 bits are kept
  run_once([](shell::RunState& run) { EXPECT_EQ(run.DeedsToWin, 5); });
  dir.Write("WINGAME.DAT", "lots");
  run_once([](shell::RunState& run) { EXPECT_EQ(run.DeedsToWin, 10); });
}

TEST(ExitWriteBack, DownloadProgramPath) {
  TempDir dir;
  WriteSettings(dir);
  auto run_once = [&](auto change) {
    Rig rig;
    shell::RunState run;
    Start(rig, run, dir);
    change(run);
    Leave(rig, run);
  };
  dir.Write("GSZINFO.DAT", "C:\\DOS\\GSZ.EXE\r\nsecond line");
  run_once([](shell::RunState& run) {
    EXPECT_EQ(run.DownloadPath, "C:\\DOS\\GSZ.EXE");
    run.DownloadPath = "/usr/bin/sz";
  });
  EXPECT_EQ(dir.Read("GSZINFO.DAT"), "/usr/bin/sz\r\n");
  run_once([](shell::RunState& run) { run.DownloadPath = "DISABLED!"; });
  EXPECT_EQ(dir.Read("GSZINFO.DAT"), "/usr/bin/sz\r\n");  // left alone
  run_once([](shell::RunState& run) { run.DownloadPath = ""; });
  EXPECT_EQ(dir.Read("GSZINFO.DAT"), "\r\n");
  dir.Write("GSZINFO.DAT", std::string("A:\\SZ.EXE\x1arest"));
  run_once([](shell::RunState& run) {
    EXPECT_EQ(run.DownloadPath, "A:\\SZ.EXE");
    run.DownloadPath = "NONE **SET THIS**";
  });
  EXPECT_FALSE(dir.Exists("GSZINFO.DAT"));
}

TEST(StartUp, GreenSchemeOnlyForTheWholeParameter) {
  TempDir dir;
  WriteSettings(dir);
  {
    Rig rig;
    shell::RunState run;
    Start(rig, run, dir, {"/g"});
    EXPECT_EQ(rig.ui.HiCode, "`0");
    EXPECT_EQ(rig.ui.LoCode, "`2");
    EXPECT_EQ(run.HiBack, 2);
  }
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir, {"/GREEN"});
  EXPECT_EQ(rig.ui.HiCode, "`@");
  EXPECT_EQ(rig.ui.LoCode, "`4");
  EXPECT_EQ(run.HiBack, 4);
}

TEST(Tournament, LongerFileReadsFirstRecordAndIsRewrittenWithOne) {
  TempDir dir;
  WriteSettings(dir);
  std::vector<uint8_t> bytes = testsupport::RandomBytes(40, 7);
  bytes[0] = 1;                       // enabled
  bytes[9] = 0x2C, bytes[10] = 0x01;  // dragon kills needed 300
  dir.Write("KELDTOUR.DAT", bytes);
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  EXPECT_TRUE(run.Tournament.Enabled);
  EXPECT_EQ(run.Tournament.DragonKillsNeeded, 300);
  Leave(rig, run);
  EXPECT_EQ(dir.Read("KELDTOUR.DAT"), std::string(bytes.begin(), bytes.begin() + 17));
}

TEST(Tournament, DefaultsWhenAbsent) {
  editors::TournamentRecord record = editors::DefaultTournament();
  const uint8_t expected[17] = {0, 0, 1, 0, 0, 0, 0, 1, 0, 3, 0, 0, 0, 0, 0, 0, 0};
  EXPECT_TRUE(std::equal(record.raw.begin(), record.raw.end(), expected));
}

TEST(TournamentDeathTest, ShortFileHaltsBeforeTheMenuAndWritesNothing) {
  for (size_t size : {0, 5, 16}) {
    TempDir dir;
    WriteSettings(dir);
    dir.Write("PLAYEXT.DAT", std::string(1361, '\0'));  // else loading creates it
    dir.Write("KELDTOUR.DAT", std::string(size, '\x01'));
    std::string before = dir.Snapshot();
    EXPECT_EXIT(
        {
          Rig rig;
          testsupport::ExpectProgramEnd(&rig.console);
          shell::RunState run;
          Start(rig, run, dir);
          shell::RunKeldCfg(rig.ui, LocalStart(dir));  // never reached
        },
        testing::ExitedWithCode(0), "Error reading KELDTOUR.DAT! Halting!");
    EXPECT_EQ(dir.Snapshot(), before) << "size " << size;
  }
}

TEST(SettingsFile, ErrorScreenChoiceAWritesTheDefaults) {
  TempDir dir;
  dir.Write("KELD.DAT", std::string(628, '\x05'));  // one byte short
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir, {}, "xa");  // other keys than A and C are ignored
  EXPECT_EQ(dir.Read("KELD.DAT"), DefaultSettingsBytes());
  EXPECT_EQ(run.Settings.ForestFights, 15);
}

TEST(SettingsFileDeathTest, ErrorScreenChoiceCEndsWithoutWriting) {
  TempDir dir;
  std::string before = dir.Snapshot();
  EXPECT_EXIT(
      {
        Rig rig;
        testsupport::ExpectProgramEnd(&rig.console);
        shell::RunState run;
        Start(rig, run, dir, {}, "c");
      },
      testing::ExitedWithCode(0), "ERROR READING THE KELD.DAT FILE");
  EXPECT_EQ(dir.Snapshot(), before);
}

TEST(SettingsFile, UnknownBytesSurviveASave) {
  TempDir dir;
  std::vector<uint8_t> bytes = testsupport::RandomBytes(700, 11);
  dir.Write("keld.dat", bytes);  // any letter case
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  run.SettingsChanged = true;
  rig.console.Type("y ");  // save, then close the "Changes saved." box
  Leave(rig, run);
  EXPECT_TRUE(rig.ScreenHas("Thanks for using our software!"));
  EXPECT_EQ(dir.Read("keld.dat"), std::string(bytes.begin(), bytes.begin() + 629));
}

TEST(ExitDialogue, ChangedSettingsAreSavedOnlyOnYes) {
  TempDir dir;
  WriteSettings(dir);
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  run.Settings.ForestFights = 99;
  run.SettingsChanged = true;
  rig.console.Type("n");
  Leave(rig, run);
  EXPECT_EQ(dir.Read("KELD.DAT"), DefaultSettingsBytes());

  rig.console.Key(key::kEnter);  // Yes is selected first
  rig.console.Type(" ");
  Leave(rig, run);
  shell::SettingsRecord saved;
  std::string bytes = dir.Read("KELD.DAT");
  std::copy(bytes.begin(), bytes.end(), saved.raw.begin());
  platform::DecodeFields(saved);
  EXPECT_EQ(saved.ForestFights, 99);
  EXPECT_EQ(rig.Row(2).substr(0, 30), "Thanks for using our software!");
}

TEST(EndToEnd, FlipASwitchOnTheMiscTabAndLeave) {
  TempDir dir;
  WriteSettings(dir);
  Rig rig;
  rig.console.Key(key::kEnter);  // local login as SYSOP
  rig.console.Extended(key::kLeft);
  rig.console.Extended(key::kLeft);  // Main -> Editors -> Misc
  rig.console.Type("i");             // intro ansis off
  rig.console.Key(key::kEscape);     // straight to the exit
  shell::RunKeldCfg(rig.ui, LocalStart(dir));
  EXPECT_EQ(dir.Read("NOANSI.DAT"), kAnsiText);
  EXPECT_EQ(rig.console.PendingKeys(), 0u);
}

}  // namespace
