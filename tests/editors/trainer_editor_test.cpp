#include "editors/trainer_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/editor_files.h"
#include "editors/trainer_record.h"

namespace {

using editors::kTrainerRecordSize;
using editors_test::EditorRig;
using editors_test::RandomFile;

constexpr size_t kLevel2 = kTrainerRecordSize;

// The default masters, level 1 first: strength, hit points, hit points,
// strength and defense the player gains, experience needed.
constexpr int32_t kDefaults[11][6] = {{15, 30, 10, 5, 2, 100},
                                      {17, 40, 15, 7, 3, 400},
                                      {35, 70, 20, 10, 5, 1000},
                                      {70, 120, 30, 12, 10, 4000},
                                      {100, 200, 50, 20, 15, 10000},
                                      {150, 400, 75, 35, 22, 40000},
                                      {250, 600, 125, 50, 35, 100000},
                                      {350, 800, 185, 75, 60, 400000},
                                      {500, 1200, 250, 110, 80, 1000000},
                                      {800, 1800, 350, 150, 120, 4000000},
                                      {1200, 2500, 550, 200, 150, 10000000}};

// Record n of the file holds the default master of level index n.
void ExpectDefaultTrainer(const std::string& file, int n) {
  std::span<const uint8_t> raw = editors_test::RecordAt(file, n, kTrainerRecordSize);
  if (raw.empty()) return;
  const int32_t* d = kDefaults[n];
  for (size_t k = 0; k < 5; ++k)
    EXPECT_EQ(platform::GetLE<int16_t>(raw, 205 + 2 * k), d[k]) << "level " << n + 1;
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 215), d[5]) << "level " << n + 1;
  if (n == 0) {  // and level 11 is Turgon
    EXPECT_EQ(platform::GetString(raw, 0, 30), "Halder");
    EXPECT_EQ(platform::GetString(editors_test::RecordAt(file, 10, kTrainerRecordSize), 0, 30),
              "Turgon");
    EXPECT_EQ(platform::GetString(raw, 31, 20), "Short Sword");
    EXPECT_EQ(platform::GetString(raw, 52, 50), "Belar!!! You are truly a great warrior!");
  }
  if (n == 1) {
    EXPECT_EQ(platform::GetString(raw, 0, 30), "Barak");
    EXPECT_EQ(platform::GetString(raw, 31, 20), "Battle Axe");
    // One character longer than its field: the file keeps the first 50.
    EXPECT_EQ(platform::GetString(raw, 103, 50),
              "You know, you are actually getting pretty good wit");
    EXPECT_EQ(platform::GetString(raw, 154, 50), "that thing...\"");
  }
}

void ExpectAllDefaults(const std::string& file) {
  ASSERT_EQ(file.size(), 11 * kTrainerRecordSize);
  for (int n = 0; n < 11; ++n) ExpectDefaultTrainer(file, n);
}

TEST(TrainerEditor, ResetThisTrainerWritesAtOnceAndExitWithoutSavingDropsEdits) {
  EditorRig t;
  const std::string before = RandomFile(11, kTrainerRecordSize, 12);
  t.dir.Write("TRAINERS.DAT", before);
  t.Run(editors::TrainerEditor, "brc99\rxq");  // level 2: reset, an edit, exit without saving
  EXPECT_TRUE(t.Showed("** KELD 4.07 Trainer Editor **"));
  EXPECT_EQ(t.ui.PickUpStep, 2);
  EXPECT_TRUE(t.Showed(" (K) XP Needed           : 400\n     to challenge\n"));
  const std::string after = t.dir.Read("TRAINERS.DAT");
  ExpectDefaultTrainer(after, 1);
  EXPECT_EQ(after.substr(0, kLevel2) + after.substr(2 * kLevel2),
            before.substr(0, kLevel2) + before.substr(2 * kLevel2));
}

TEST(TrainerEditor, ResetAllOrAMissingFileGetsElevenDefaultMasters) {
  EditorRig t;
  t.dir.Write("TRAINERS.DAT", RandomFile(14, kTrainerRecordSize, 13));
  t.Run(editors::TrainerEditor, "ry q");
  EXPECT_TRUE(t.Showed("Reset the trainers to their default values?"));
  EXPECT_TRUE(t.Showed("Trainer data reset. "));
  ExpectAllDefaults(t.dir.Read("TRAINERS.DAT"));

  EditorRig yes;
  editors_test::ExpectResetOnlyOnYes(editors::TrainerEditor, "TRAINERS.DAT", "trainer", yes);
  EXPECT_FALSE(yes.Showed("Trainer Editor"));  // the editor is not entered
  ExpectAllDefaults(yes.dir.Read("TRAINERS.DAT"));
}

}  // namespace
