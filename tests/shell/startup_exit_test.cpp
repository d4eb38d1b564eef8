#include <gtest/gtest.h>

#include "editors/editor_files.h"
#include "platform/files.h"
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

door::CommandLine LocalStart(const TempDir& dir, std::vector<std::string> extra = {}) {
  door::CommandLine cl{dir.File("keldcfg"), {"-L"}};
  for (auto& arg : extra) cl.args.push_back(arg);
  return cl;
}

// A game directory that starts without the settings error screen.
std::string WriteSettings(const TempDir& dir) {
  std::string bytes = editors_test::Bytes(shell::DefaultSettings());
  dir.Write("KELD.DAT", bytes);
  return bytes;
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

// One run of the program in `dir`: start, `change` the run state, leave.
template <typename Change>
void RunOnce(const TempDir& dir, Change change) {
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  change(run);
  Leave(rig, run);
}

TEST(StartUp, AFreshDirectoryStartsWithTheDefaultsAndExitWritesOnlyTheirFiles) {
  EXPECT_EQ(platform::DirectoryOf("/bbs/keld/keldcfg"), "/bbs/keld/");
  TempDir dir;
  std::string settings = WriteSettings(dir);
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  EXPECT_EQ(run.GameDir, dir.path());
  EXPECT_EQ(run.ProgramDir, dir.path());
  EXPECT_EQ(rig.door.state.UserName, "SYSOP");
  EXPECT_EQ(rig.console.screen().window().bottom, 24);  // row 25 is the status bar's
  EXPECT_TRUE(run.IntroAnsi && run.FancyMore && run.NpcChatter);
  EXPECT_EQ(run.DownloadPath, "NONE **SET THIS**");
  EXPECT_EQ(run.DeedsToWin, 10);
  Leave(rig, run);
  EXPECT_TRUE(rig.ScreenHas("Thanks for using our software!"));
  EXPECT_FALSE(rig.ScreenHas("Save changes?"));
  // Tournament defaults: off, unlimited time, ranked on dragon kills, one
  // day, three dragon kills needed.
  const std::string tournament("\0\0\1\0\0\0\0\1\0\3\0\0\0\0\0\0\0", 17);
  EXPECT_EQ(dir.Snapshot(), "KELD.DAT=" + settings + "\nKELDTOUR.DAT=" + tournament +
                                "\nPLAYEXT.DAT=" + std::string(1361, '\0') + "\n");
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

TEST(ExitWriteBack, FlagFilesAreCreatedWithTheirTextDeletedWhenOnAndNeverRewritten) {
  TempDir dir;
  WriteSettings(dir);
  RunOnce(dir,
          [](shell::RunState& run) { run.IntroAnsi = run.FancyMore = run.NpcChatter = false; });
  EXPECT_EQ(dir.Read("NOANSI.DAT"), "Delete this file to enable intro ansis, chum.");
  EXPECT_EQ(dir.Read("NOFMORE.DAT"), "Delete this file to enable fancy more prompts, chum.");
  EXPECT_EQ(dir.Read("NOCHAT.DAT"), "Delete this file to enable NPC chatter, bud.");
  dir.Write("NOCHAT.DAT", "made by hand");
  RunOnce(dir, [](shell::RunState& run) {
    EXPECT_FALSE(run.IntroAnsi || run.FancyMore || run.NpcChatter);
    run.IntroAnsi = true;
  });
  EXPECT_FALSE(dir.Exists("NOANSI.DAT"));
  EXPECT_TRUE(dir.Exists("NOFMORE.DAT"));
  EXPECT_EQ(dir.Read("NOCHAT.DAT"), "made by hand");
}

TEST(ExitWriteBack, DeedsNeededToWinAndTheDownloadProgramPath) {
  TempDir dir;
  WriteSettings(dir);
  dir.Write("GSZINFO.DAT", "A:\\SZ.EXE\r\nsecond line");
  dir.Write("WINGAME.DAT", " \r\n 65541\r\n");  // the low 16 bits are kept
  RunOnce(dir, [](shell::RunState& run) {
    EXPECT_EQ(run.DownloadPath, "A:\\SZ.EXE");
    EXPECT_EQ(run.DeedsToWin, 5);
    run.DownloadPath = "";  // written as an empty line
    run.DeedsToWin = 0;
  });
  EXPECT_EQ(dir.Read("GSZINFO.DAT"), "\r\n");
  EXPECT_EQ(dir.Read("WINGAME.DAT"), "0\r\n");
  RunOnce(dir, [](shell::RunState& run) {
    EXPECT_EQ(run.DeedsToWin, 0);
    run.DeedsToWin = 10;
    run.DownloadPath = "DISABLED!";
  });
  EXPECT_FALSE(dir.Exists("WINGAME.DAT"));
  EXPECT_EQ(dir.Read("GSZINFO.DAT"), "\r\n");  // left alone
  dir.Write("WINGAME.DAT", "lots");
  RunOnce(dir, [](shell::RunState& run) {
    EXPECT_EQ(run.DeedsToWin, 10);
    run.DownloadPath = "NONE **SET THIS**";
  });
  EXPECT_FALSE(dir.Exists("GSZINFO.DAT"));
  EXPECT_FALSE(dir.Exists("WINGAME.DAT"));
}

TEST(StartUp, GreenSchemeOnlyForTheWholeParameter) {
  TempDir dir;
  WriteSettings(dir);
  for (const char* arg : {"/g", "/GREEN"}) {
    Rig rig;
    shell::RunState run;
    Start(rig, run, dir, {arg});
    bool green = arg == std::string("/g");
    EXPECT_EQ(rig.ui.HiCode, green ? "`0" : "`@");
    EXPECT_EQ(rig.ui.LoCode, green ? "`2" : "`4");
    EXPECT_EQ(run.HiBack, green ? 2 : 4);
  }
}

TEST(Tournament, ALongerFileReadsItsFirstRecordAndIsRewrittenWithOne) {
  TempDir dir;
  WriteSettings(dir);
  std::vector<uint8_t> bytes = testsupport::RandomBytes(40, 7);
  bytes[0] = 1;                       // enabled
  bytes[9] = 0x2C, bytes[10] = 0x01;  // dragon kills needed 300
  dir.Write("KELDTOUR.DAT", bytes);
  RunOnce(dir, [](shell::RunState& run) {
    EXPECT_TRUE(run.Tournament.Enabled);
    EXPECT_EQ(run.Tournament.DragonKillsNeeded, 300);
  });
  EXPECT_EQ(dir.Read("KELDTOUR.DAT"), std::string(bytes.begin(), bytes.begin() + 17));
}

TEST(StartUpDeathTest, AShortTournamentFileOrChoiceCEndsBeforeTheMenuWritingNothing) {
  for (size_t size : {0, 16}) {
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
        },
        testing::ExitedWithCode(0), "Error reading KELDTOUR.DAT! Halting!");
    EXPECT_EQ(dir.Snapshot(), before) << "size " << size;
  }
  TempDir dir;
  EXPECT_EXIT(
      {
        Rig rig;
        testsupport::ExpectProgramEnd(&rig.console);
        shell::RunState run;
        Start(rig, run, dir, {}, "c");
      },
      testing::ExitedWithCode(0), "ERROR READING THE KELD.DAT FILE");
  EXPECT_EQ(dir.Snapshot(), "");
}

TEST(ExitDialogue, ChangedSettingsAreSavedOnlyOnYesAndUnknownBytesSurvive) {
  TempDir dir;
  std::vector<uint8_t> random = testsupport::RandomBytes(700, 11);
  const std::string bytes(random.begin(), random.end());
  dir.Write("keld.dat", bytes);  // any letter case
  Rig rig;
  shell::RunState run;
  Start(rig, run, dir);
  run.Settings.ForestFights = 99;
  run.SettingsChanged = true;
  rig.console.Type("n");
  Leave(rig, run);
  EXPECT_EQ(dir.Read("keld.dat"), bytes);

  rig.console.Key(key::kEnter);  // Yes is selected first
  rig.console.Type(" ");         // closes "Changes saved."
  Leave(rig, run);
  EXPECT_EQ(dir.Read("keld.dat"), editors_test::WithInt<int32_t>(bytes.substr(0, 629), 367, 99));
  // No twin in the program's spelling (Exists would find this one on Windows).
  EXPECT_EQ(dir.Snapshot().find("KELD.DAT"), std::string::npos);
  EXPECT_EQ(rig.Row(2).substr(0, 30), "Thanks for using our software!");
}

}  // namespace
