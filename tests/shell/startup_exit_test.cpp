#include <gtest/gtest.h>

#include "editors/editor_files.h"
#include "platform/keys.h"
#include "shell/keldcfg.h"
#include "shell/settings_record.h"
#include "support/end_expected.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using testsupport::TempDir;
namespace key = platform::key;

// A game directory that starts without the settings error screen.
std::string WriteSettings(const TempDir& dir) {
  std::string bytes = editors_test::Bytes(shell::DefaultSettings());
  dir.Write("KELD.DAT", bytes);
  return bytes;
}

struct Program {
  testsupport::SnoopRig rig;
  shell::RunState run;

  // Starts up to the main loop (the local login takes Enter); `then` are
  // the keys typed after the login.
  void Start(const TempDir& dir, std::vector<std::string> args = {}, const std::string& then = "") {
    rig.console.Key(key::kEnter);
    rig.console.Type(then);
    args.insert(args.begin(), "-L");
    shell::LoadRunState(rig.ui, run, door::CommandLine{dir.File("keldcfg"), args});
  }
  void Leave() {
    shell::RunExitDialogue(rig.ui, run);
    shell::WriteBack(rig.door, run);
  }
};

// One run of the program in `dir`: start, `change` the run state (and type
// keys for the exit dialogue), leave.
template <typename Change>
void RunOnce(const TempDir& dir, Change change) {
  Program p;
  p.Start(dir);
  change(p.run, p.rig.console);
  p.Leave();
}

// The farewell reaches the terminal before the files are written, so a
// write that has to wait (a held lock file) does not freeze the old screen.
TEST(StartUp, AFreshDirectoryStartsWithTheDefaultsAndExitWritesOnlyTheirFiles) {
  TempDir dir;
  std::string settings = WriteSettings(dir);
  Program p;
  p.Start(dir, {"/GREEN"});  // only the whole "/G" switches the colours
  EXPECT_EQ(p.run.ProgramDir, dir.path());
  EXPECT_EQ(p.rig.ui.HiCode + p.rig.ui.LoCode, "`@`4");
  bool shown_first = false;
  p.rig.console.on_present = [&] {
    std::string farewell = p.rig.Row(2).substr(0, 30);
    if (farewell == "Thanks for using our software!" && !dir.Exists("KELDTOUR.DAT"))
      shown_first = true;
  };
  p.Leave();
  EXPECT_TRUE(shown_first);
  EXPECT_FALSE(p.rig.Showed("Save changes?"));
  // Tournament defaults: off, unlimited time, ranked on dragon kills, one
  // day, three dragon kills needed.
  const std::string tournament("\0\0\1\0\0\0\0\1\0\3\0\0\0\0\0\0\0", 17);
  EXPECT_EQ(dir.Snapshot(), "KELD.DAT=" + settings + "\nKELDTOUR.DAT=" + tournament +
                                "\nPLAYEXT.DAT=" + std::string(1361, '\0') + "\n");
}

// Three runs: the switches off, the values read and changed, and a
// tournament file longer than its record; then one switch on again over a
// flag file made by hand, and a changed setting not saved; then the values
// back to their defaults, and the setting saved.
TEST(ExitWriteBack, FlagFilesValueFilesTheTournamentFileAndTheSettings) {
  TempDir dir;
  std::vector<uint8_t> random = testsupport::RandomBytes(700, 11);
  const std::string settings(random.begin(), random.end());
  dir.Write("keld.dat", settings);  // any letter case; the bytes past 629 are not read
  dir.Write("GSZINFO.DAT", "A:\\SZ.EXE\r\nsecond line");
  dir.Write("WINGAME.DAT", " \r\n 65541\r\n");                        // the low 16 bits are kept
  std::vector<uint8_t> tournament = testsupport::RandomBytes(40, 7);  // its first record kept
  dir.Write("KELDTOUR.DAT", tournament);
  Program p;
  p.Start(dir, {"/g"});
  EXPECT_EQ(p.rig.ui.HiCode + p.rig.ui.LoCode, "`0`2");
  EXPECT_EQ(p.run.HiBack, 2);
  EXPECT_EQ(p.run.DownloadPath, "A:\\SZ.EXE");
  EXPECT_EQ(p.run.DeedsToWin, 5);
  p.run.IntroAnsi = p.run.FancyMore = p.run.NpcChatter = false;
  p.run.DownloadPath = "";  // written as an empty line
  p.run.DeedsToWin = 0;
  p.Leave();
  EXPECT_EQ(dir.Read("KELDTOUR.DAT"), std::string(tournament.begin(), tournament.begin() + 17));
  EXPECT_EQ(dir.Read("NOFMORE.DAT"), "Delete this file to enable fancy more prompts, chum.");
  EXPECT_EQ(dir.Read("NOCHAT.DAT"), "Delete this file to enable NPC chatter, bud.");
  EXPECT_EQ(dir.Read("GSZINFO.DAT"), "\r\n");
  EXPECT_EQ(dir.Read("WINGAME.DAT"), "0\r\n");

  dir.Write("NOCHAT.DAT", "made by hand");
  RunOnce(dir, [](shell::RunState& run, auto& console) {
    EXPECT_FALSE(run.IntroAnsi || run.FancyMore || run.NpcChatter);
    EXPECT_EQ(run.DeedsToWin, 0);
    run.IntroAnsi = true;
    run.DeedsToWin = 10;
    run.DownloadPath = "DISABLED!";
    run.Settings.ForestFights = 99;
    run.SettingsChanged = true;
    console.Type("n");
  });
  EXPECT_EQ(dir.Read("keld.dat"), settings);
  EXPECT_FALSE(dir.Exists("NOANSI.DAT"));
  EXPECT_TRUE(dir.Exists("NOFMORE.DAT"));
  EXPECT_EQ(dir.Read("NOCHAT.DAT"), "made by hand");
  EXPECT_FALSE(dir.Exists("WINGAME.DAT"));
  EXPECT_EQ(dir.Read("GSZINFO.DAT"), "\r\n");  // left alone

  dir.Write("WINGAME.DAT", "lots");
  RunOnce(dir, [](shell::RunState& run, auto& console) {
    EXPECT_EQ(run.DeedsToWin, 10);
    run.DownloadPath = "NONE **SET THIS**";
    run.Settings.ForestFights = 99;
    run.SettingsChanged = true;
    console.Type("\r ");  // Yes is selected first; a space closes "Changes saved."
  });
  EXPECT_FALSE(dir.Exists("GSZINFO.DAT"));
  EXPECT_FALSE(dir.Exists("WINGAME.DAT"));
  EXPECT_EQ(dir.Read("keld.dat"), editors_test::WithInt<int32_t>(settings.substr(0, 629), 367, 99));
  // No twin in the program's spelling (Exists would find this one on Windows).
  EXPECT_EQ(dir.Snapshot().find("KELD.DAT"), std::string::npos);
}

// A tournament file shorter than its record (size 0 or 16), or choice C on
// the settings error screen (no KELD.DAT, size -1 here).
TEST(StartUpDeathTest, AShortTournamentFileOrChoiceCEndsBeforeTheMenuWritingNothing) {
  for (int size : {0, 16, -1}) {
    TempDir dir;
    if (size >= 0) {
      WriteSettings(dir);
      dir.Write("PLAYEXT.DAT", std::string(1361, '\0'));  // else loading creates it
      dir.Write("KELDTOUR.DAT", std::string(static_cast<size_t>(size), '\x01'));
    }
    std::string before = dir.Snapshot();
    EXPECT_EXIT(
        {
          Program p;
          testsupport::ExpectProgramEnd(&p.rig.console);
          p.Start(dir, {}, "c");
        },
        testing::ExitedWithCode(0),
        size < 0 ? "ERROR READING THE KELD.DAT FILE" : "Error reading KELDTOUR.DAT! Halting!");
    EXPECT_EQ(dir.Snapshot(), before) << "size " << size;
  }
}

}  // namespace
