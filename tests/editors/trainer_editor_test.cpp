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

// Record n of the file holds the default numbers of level index n, and
// levels 1, 2 and 11 the texts known of them.
void ExpectDefaultTrainer(const std::string& file, int n) {
  std::span<const uint8_t> raw = editors_test::RecordAt(file, n, kTrainerRecordSize);
  if (raw.empty()) return;
  for (size_t k = 0; k < 5; ++k)
    EXPECT_EQ(platform::GetLE<int16_t>(raw, 205 + 2 * k), kDefaults[n][k]) << "level " << n + 1;
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 215), kDefaults[n][5]) << "level " << n + 1;
  auto text = [&](size_t at, size_t capacity) { return platform::GetString(raw, at, capacity); };
  std::string texts = text(0, 30) + "|" + text(31, 20) + "|" + text(103, 50) + "|" + text(154, 50);
  // Barak's remark is one character longer than its first line: 50 kept.
  const char* known[11] = {
      "Halder|Short Sword|Gee, your muscles are getting bigger than mine...|",
      "Barak|Battle Axe|You know, you are actually getting pretty good wit|that thing...\""};
  EXPECT_EQ(texts, known[n] ? known[n] : texts) << "level " << n + 1;
  EXPECT_EQ(n == 10 ? text(0, 30) : "Turgon", "Turgon");
  EXPECT_EQ(n == 0 ? text(52, 50) : "", n == 0 ? "Belar!!! You are truly a great warrior!" : "");
}

void ExpectAllDefaults(const std::string& file) {
  ASSERT_EQ(file.size(), 11 * kTrainerRecordSize);
  for (int n = 0; n < 11; ++n) ExpectDefaultTrainer(file, n);
}

// Level 2 reset, an edit, exit without saving: only level 2 changed, to
// its defaults. Then reset all on a file too long: eleven defaults.
TEST(TrainerEditor, ResetThisTrainerWritesAtOnceAndResetAllWritesElevenDefaults) {
  EditorRig t;
  const std::string before = RandomFile(14, kTrainerRecordSize, 12);
  t.dir.Write("TRAINERS.DAT", before);
  t.Run(editors::TrainerEditor, "brc99\rxq");
  EXPECT_EQ(t.ui.PickUpStep, 2);
  EXPECT_TRUE(t.Showed(" (K) XP Needed           : 400\n     to challenge\n"));
  const std::string after = t.dir.Read("TRAINERS.DAT");
  ExpectDefaultTrainer(after, 1);
  EXPECT_EQ(after.substr(0, kLevel2) + after.substr(2 * kLevel2),
            before.substr(0, kLevel2) + before.substr(2 * kLevel2));

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
