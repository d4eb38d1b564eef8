#include "editors/event_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/event_record.h"
#include "editors/event_store.h"
#include "support/key_names.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace {

using editors::EventRecord;
using namespace testsupport::keys;

struct EventRig : testsupport::SnoopRig {
  testsupport::TempDir dir;

  // The event list run on `keys`.
  void Run(const std::string& keys) {
    console.Type(keys);
    editors::EventList(ui, dir.path(), dir.File("KELDCFG"));
    EXPECT_EQ(console.PendingKeys(), 0u) << console.Dump();
    EXPECT_EQ(ui.PickUpStep, 2);
    EXPECT_EQ(ui.PickDownStep, 2);
  }
  std::string Row(int row) const {
    std::string text = console.screen().RowText(row);
    return text.erase(text.find_last_not_of(' ') + 1);
  }
  std::vector<EventRecord> Events() const {
    std::string bytes = dir.Read("EVENTS.DAT");
    return editors::DecodeEvents(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
  }
  void WriteEvents(int count, uint16_t target = editors::kTargetForest) {
    editors::EventStore store(dir.path());
    if (!store.Open()) store.CreateEmpty();
    for (int i = 1; i <= count; ++i) {
      EventRecord event;
      editors::ResetEvent(event);
      event.EventName = "EVENT" + std::to_string(i);
      event.EventFile = "E.LDY";
      event.UniqueId = "ID" + std::to_string(i);
      event.Code[0] = "@writeln " + std::to_string(i);
      event.Target = target;
      store.Append(event);
    }
  }
};

TEST(EventEditor, AMissingFileIsRecreatedOnlyWhenAskedAndTheListPagesTenAtATime) {
  EventRig no;
  no.Run("n ");
  EXPECT_TRUE(no.Showed("Error opening EVENTS.DAT. Should I recreate it?"));
  EXPECT_TRUE(no.Showed("removing it, or at least backing it up then removing"));
  EXPECT_EQ(no.dir.Snapshot(), "");

  EventRig yes;
  yes.Run("y" + kEsc);
  EXPECT_EQ(yes.dir.Snapshot(), "EVENTS.DAT=\n");

  yes.WriteEvents(10);
  yes.Run(kEsc);
  EXPECT_NE(yes.Row(21).find("(J) EVENT10"), std::string::npos);
  EXPECT_EQ(yes.Row(22), "        Author: Unknown              Ran from: In the Forest");
  EXPECT_EQ(yes.Row(24).find("Next Page"), std::string::npos);

  EventRig eleven;
  eleven.WriteEvents(11);
  eleven.Run(">" + kEsc);  // the second page
  EXPECT_TRUE(eleven.Showed("(>) Next Page"));
  EXPECT_NE(eleven.Row(3).find("(A) EVENT11"), std::string::npos);
  EXPECT_EQ(eleven.Row(5), "");
  EXPECT_NE(eleven.Row(24).find("(<) Previous"), std::string::npos) << eleven.Row(24);
  EXPECT_EQ(eleven.Row(24).find("Next Page"), std::string::npos);
}

// An event of an odd target shows it as not used and is cancelled: nothing
// written; saved, it is appended as a copy (Escape in the target chooser:
// other places). A new event: "S" is not offered yet; the code lines (the
// gap before them closed up), the target "when leaving the inn", saved.
// Then the messages of an import that finds nothing.
TEST(EventEditor, CancelWritesNothingSavingAppendsAndImportFailuresAreShown) {
  EventRig t;
  t.WriteEvents(2, 9);
  std::string before = t.dir.Read("EVENTS.DAT");
  t.dir.Write("plain.ldy", "@#PLAIN\r\n@writeln hi\r\n");
  t.Run("AAchanged\rQAF" + kEsc + "S" +
        "!SA@#WELL\rBW.LDY\rDID-9\rEB@writeln one\rC@writeln two\rRFCS" +
        "!I\r Inothere.ldy\r Iplain.ldy\r Q" + kEsc);
  EXPECT_TRUE(t.Showed("Target     :  Not Used"));
  EXPECT_TRUE(t.Showed("(U) Uninstall Event"));
  EXPECT_TRUE(t.Showed("Line number #3"));
  EXPECT_EQ(t.Row(4), "        Author: Unknown              Ran from:");
  EXPECT_NE(t.Row(10).find("Ran from: Leaving Inn"), std::string::npos);
  std::vector<EventRecord> events = t.Events();
  ASSERT_EQ(events.size(), 4u);
  EXPECT_EQ(t.dir.Read("EVENTS.DAT").substr(0, before.size()), before);
  EXPECT_EQ(events[2].EventName, "EVENT1");
  EXPECT_EQ(events[2].Target, editors::kTargetOtherPlaces);
  EXPECT_EQ(t.dir.Read("3rdparty.dat"), "!EVENT1 E.LDY\r\nSome Lady Event!\r\n");
  EXPECT_EQ(events[3].EventName, "WELL");
  EXPECT_EQ(events[3].Code[0], "@writeln one");
  EXPECT_EQ(events[3].Code[1], "@writeln two");
  EXPECT_EQ(events[3].Target, editors::kTargetLeaveInn);
  EXPECT_EQ(events[3].Author, "Unknown");
  EXPECT_NE(t.dir.Read("INN.LDY").find("1: @writeln one\r\n@writeln two\r\n@endcase 1"),
            std::string::npos);
  EXPECT_TRUE(t.Showed("No filename specified. Returning to the edit screen."));
  EXPECT_TRUE(t.Showed("Can't open that file! Are you sure it exists?"));
  EXPECT_TRUE(t.Showed("That file does not have a @#INSTALL! I cant install it!"));
}

// The add-on's directories and its "other places" pair going again are
// left to the end-to-end test of the real program.
const char* const kAddOn =
    "@#WELL\r\n@writeln the well\r\n"
    "@#INSTALL\r\n@EVENTNAME WELL\r\n@AUTHOR Ann\r\n@AUTHID WELL-2\r\n@REPLACE WELL-1\r\n"
    "@TARGET otherplaces\r\n@DISP Visit the well\r\n"
    "@CODEBEGIN\r\n@routine well in &filename\r\n@CODEEND\r\n"
    "@#UNINSTALL\r\n@DEL *.DAT\r\n@RMDIR NODIR\r\n";

TEST(EventEditor, ImportReplacesSavesAndUninstallRemovesAgain) {
  EventRig t;
  t.WriteEvents(2);
  {
    editors::EventStore store(t.dir.path());
    ASSERT_TRUE(store.Open());
    EventRecord old;
    editors::ResetEvent(old);
    old.UniqueId = "well-1";
    old.Target = editors::kTargetLeaveBank;
    store.Append(old);
  }
  t.dir.Write("Well.ldy", kAddOn);
  t.dir.Write("3rdparty.dat", "; places\r\n");
  t.dir.Write("ADDON.DAT", "x");
  t.Run("!Iwell.ldy\rnQ!Iwell.ldy\ryS" + kEsc);  // declined: nothing filled in; then yes
  EXPECT_TRUE(t.Showed("The script you are importing wants to replace another event. Continue?"));
  EXPECT_TRUE(t.Showed("Event File : well.ldy"));
  EXPECT_TRUE(t.Showed("Target     : Other Places"));
  std::vector<EventRecord> events = t.Events();
  ASSERT_EQ(events.size(), 3u);  // the replaced one has gone
  EXPECT_EQ(events[2].Code[0], "@routine well in well.ldy");
  EXPECT_EQ(events[2].DisplayText, "Visit the well");
  EXPECT_EQ(t.dir.Read("3rdparty.dat"), "; places\r\n!WELL well.ldy\r\nVisit the well\r\n");
  EXPECT_NE(t.dir.Read("BANK.LDY").find("@endquest"), std::string::npos);

  t.console.shown.clear();
  t.Run("CU " + kEsc);  // the third slot; a key for the directory message
  EXPECT_TRUE(t.Showed("Could not remove the directory \"NODIR\""));
  EXPECT_FALSE(t.dir.Exists("ADDON.DAT"));
  EXPECT_TRUE(t.dir.Exists("EVENTS.DAT"));
  events = t.Events();
  ASSERT_EQ(events.size(), 2u);
  EXPECT_EQ(events[1].EventName, "EVENT2");
}

}  // namespace
