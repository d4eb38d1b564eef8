#include "editors/tournament_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/editor_files.h"
#include "editors/tournament_record.h"
#include "support/snoop_rig.h"

namespace {

using editors::TournamentRecord;
using testsupport::SnoopRig;

TEST(TournamentEditor, TheUnlimitedKindNeedsOneCriterionToBeLeft) {
  SnoopRig rig;
  TournamentRecord tour = editors::DefaultTournament();
  rig.console.Type("2r");  // the defaults can be left at once
  rig.console.Type("2b0\rr d12\rrq");
  editors::TournamentEditor(rig.ui, tour);
  EXPECT_TRUE(rig.Showed("   Tournament Mode: Disabled"));
  EXPECT_TRUE(rig.Showed("Current Mode: Unlimited Time"));
  EXPECT_TRUE(rig.Showed("    (B) Dragon kills needed : 3\n"));
  EXPECT_TRUE(rig.Showed("One of the 5 stats must be greater than zero!"));
  EXPECT_EQ(tour.DragonKillsNeeded, 0);
  EXPECT_EQ(tour.LevelNeeded, 12);

  // With the limited kind in force the same values may stay.
  SnoopRig limited;
  tour.LevelNeeded = 0;
  tour.LimitedTime = true;
  limited.console.Type("2rq");
  editors::TournamentEditor(limited.ui, tour);
  EXPECT_FALSE(limited.Showed("One of the 5 stats"));
}

TEST(TournamentEditor, LimitedScreenSwitchesTheKindAndCyclesTheStat) {
  SnoopRig rig;
  TournamentRecord tour = editors::DefaultTournament();
  rig.console.Type("1a");      // use this kind: the line goes
  rig.console.Type("b45\r");   // days to run
  rig.console.Type("cccccc");  // all the way round and one more
  rig.console.Type("rq");
  editors::TournamentEditor(rig.ui, tour);
  ASSERT_GE(rig.console.shown.size(), 3u);
  EXPECT_NE(rig.console.shown[1].find("(A) Use this tournament type"), std::string::npos);
  EXPECT_EQ(rig.console.shown[2].find("(A) Use this tournament type"), std::string::npos);
  EXPECT_TRUE(rig.Showed("Stat the players are ranked on: dragon kills\n"));
  EXPECT_TRUE(rig.Showed("Current Mode: Limited Time"));
  EXPECT_TRUE(tour.LimitedTime);
  EXPECT_EQ(tour.DaysToRun, 45);
  EXPECT_EQ(tour.RankedOn, 2);  // player kills

  // A stat no name belongs to shows none and stays.
  SnoopRig odd;
  tour.RankedOn = 7;
  odd.console.Type("1crq");
  editors::TournamentEditor(odd.ui, tour);
  EXPECT_TRUE(odd.Showed("Stat the players are ranked on:\n"));
  EXPECT_EQ(tour.RankedOn, 7);
}

}  // namespace
