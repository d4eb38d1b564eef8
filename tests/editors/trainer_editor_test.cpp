#include "editors/trainer_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/editor_files.h"
#include "editors/trainer_record.h"
#include "platform/keys.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using editors::kTrainerRecordSize;
using editors_test::Bytes;
using editors_test::RandomFile;
using editors_test::WithInt;
using testsupport::Rig;
using testsupport::SnoopRig;
using testsupport::TempDir;
namespace key = platform::key;

constexpr size_t kLevel2 = kTrainerRecordSize;

std::string Defaults() {
  std::string bytes;
  for (int i = 0; i < editors::kTrainerCount; ++i) bytes += Bytes(editors::DefaultTrainer(i));
  return bytes;
}

TEST(TrainerEditor, ExitWithoutSavingKeepsTheFileEscapeSaves) {
  TempDir dir;
  const std::string before = RandomFile(12, kTrainerRecordSize, 11);  // one extra record
  dir.Write("TRAINERS.DAT", before);
  SnoopRig rig;
  rig.console.Type("b");  // level 2
  rig.console.Type("c99\r");
  rig.console.Type("aSomeone Else   \r");
  rig.console.Type("x");  // exit without saving
  rig.console.Type("b");
  rig.console.Type("c99\r");
  rig.console.Type("aSomeone Else   \r");
  rig.console.Key(key::kEscape);  // exit and save
  rig.console.Type("q");
  int passes = 0;
  rig.console.SetOnExhausted([&] { ++passes; });
  editors::TrainerEditor(rig.ui, dir.path());
  EXPECT_TRUE(rig.Showed("** KELD 4.07 Trainer Editor **"));
  std::string expected = WithInt<int16_t>(before, kLevel2 + 207, 99);
  expected = editors_test::WithString(expected, kLevel2, 30, "Someone Else");
  EXPECT_EQ(editors_test::Difference(dir.Read("TRAINERS.DAT"), expected), "");
  EXPECT_EQ(rig.ui.PickUpStep, 2);
}

TEST(TrainerEditor, EditScreenShowsTheValuesAndResetThisTrainerWritesAtOnce) {
  TempDir dir;
  const std::string before = RandomFile(11, kTrainerRecordSize, 12);
  dir.Write("TRAINERS.DAT", before);
  SnoopRig rig;
  rig.console.Type("b");
  rig.console.Type("r");  // reset this trainer
  rig.console.Type("x");  // the reset stays although nothing is saved
  rig.console.Type("q");
  editors::TrainerEditor(rig.ui, dir.path());
  // The screen after the reset shows level 2's defaults.
  EXPECT_TRUE(rig.Showed(" (C) Hit Points          : 40\n"));
  EXPECT_TRUE(rig.Showed(" (K) XP Needed           : 400\n     to challenge\n"));
  std::string expected = before;
  expected.replace(kLevel2, kTrainerRecordSize, Bytes(editors::DefaultTrainer(1)));
  EXPECT_EQ(editors_test::Difference(dir.Read("TRAINERS.DAT"), expected), "");
}

TEST(TrainerEditor, ResetAllWritesElevenDefaultRecordsOverALongerFile) {
  TempDir dir;
  dir.Write("TRAINERS.DAT", RandomFile(14, kTrainerRecordSize, 13));
  SnoopRig rig;
  rig.console.Type("ry");
  rig.console.Key(' ');
  rig.console.Type("q");
  editors::TrainerEditor(rig.ui, dir.path());
  EXPECT_TRUE(rig.Showed("Trainer data reset. "));
  const std::string defaults = Defaults();
  ASSERT_EQ(defaults.size(), 2409u);
  EXPECT_EQ(editors_test::Difference(dir.Read("TRAINERS.DAT"), defaults), "");
  // Level 2's first not-ready line is one character longer than its field.
  EXPECT_EQ(defaults.substr(kLevel2 + 103, 51),
            "\x32You know, you are actually getting pretty good wit");
  EXPECT_EQ(defaults.substr(kLevel2 + 154, 15), "\x0ethat thing...\"");
}

TEST(TrainerEditor, MissingFileAsksToResetWithoutEnteringTheEditor) {
  TempDir no;
  SnoopRig no_rig;
  no_rig.console.Type("n ");
  editors::TrainerEditor(no_rig.ui, no.path());
  EXPECT_TRUE(no_rig.Showed("Can't open TRAINERS.DAT - Exiting trainer editor."));
  EXPECT_EQ(no.Snapshot(), "");

  TempDir yes;
  SnoopRig yes_rig;
  yes_rig.console.Type("y");
  editors::TrainerEditor(yes_rig.ui, yes.path());
  EXPECT_TRUE(yes_rig.Showed("Error opening TRAINERS.DAT. Should I reset them?"));
  EXPECT_FALSE(yes_rig.Showed("Trainer Editor"));
  EXPECT_EQ(editors_test::Difference(yes.Read("TRAINERS.DAT"), Defaults()), "");
}

TEST(TrainerEditorDeathTest, ShortFileEndsWithTheIoErrorReportUnchanged) {
  editors_test::ExpectShortFileEndsTheProgram(editors::TrainerEditor, "TRAINERS.DAT",
                                              RandomFile(10, kTrainerRecordSize, 14) + "xyz");
}

}  // namespace
