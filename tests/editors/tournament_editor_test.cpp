#include "editors/tournament_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/editor_files.h"
#include "editors/tournament_record.h"
#include "support/snoop_rig.h"

namespace {

using editors::TournamentRecord;
using testsupport::SnoopRig;

// The defaults can be left at once. On the limited screen: "A" switches
// the kind, the days, the stat all the way round. With the
// limited kind in force the unlimited screen may be left with no criterion
// above 0 (else the next "C" would not move the stat on); switched back,
// it may not.
TEST(TournamentEditor, TheUnlimitedKindNeedsOneCriterionAndTheLimitedOneCyclesItsStat) {
  SnoopRig rig;
  TournamentRecord tour = editors::DefaultTournament();
  rig.console.Type("2r1ab45\rcccccr2b0\rr1cr2ar d12\rrq");
  editors::TournamentEditor(rig.ui, tour);
  EXPECT_TRUE(rig.Showed("   Tournament Mode: Disabled"));
  EXPECT_TRUE(rig.Showed("    (B) Dragon kills needed : 3\n"));
  EXPECT_TRUE(rig.Showed("Stat the players are ranked on: dragon kills\n"));
  EXPECT_TRUE(rig.Showed("Current Mode: Limited Time"));
  EXPECT_TRUE(rig.Showed("One of the 5 stats must be greater than zero!"));
  EXPECT_FALSE(tour.LimitedTime);
  EXPECT_EQ(tour.DaysToRun, 45);
  EXPECT_EQ(tour.RankedOn, 2);  // player kills
  EXPECT_EQ(tour.DragonKillsNeeded, 0);
  EXPECT_EQ(tour.LevelNeeded, 12);
}

}  // namespace
