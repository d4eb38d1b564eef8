#include "editors/event_editor.h"

#include <gtest/gtest.h>

#include <algorithm>
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

TEST(EventRecord, FieldsRoundTripAndEveryOtherByteSurvives) {
  std::vector<uint8_t> bytes = testsupport::RandomBytes(editors::kEventRecordSize, 38);
  EventRecord event;
  std::copy(bytes.begin(), bytes.end(), event.raw.begin());
  platform::DecodeFields(event);
  // Unchanged fields write back the very bytes they came from (a field
  // decoded from the wrong place would not).
  platform::EncodeFields(event);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), event.raw.begin()));

  event.EventName = "WELL";
  event.Code[9] = "@writeln last";
  event.UniqueId = "ID-1";
  event.Target = 0xBEEF;
  event.DisplayText = std::string(300, 'x');  // cut to the field
  platform::EncodeFields(event);
  EXPECT_EQ(std::string(event.raw.begin(), event.raw.begin() + 5), "\x04WELL");
  EXPECT_EQ(event.raw[768 + 9 * 256], 13);
  EXPECT_EQ(event.raw[3330], 4);
  EXPECT_EQ(event.raw[3586] | event.raw[3587] << 8, 0xBEEF);
  EXPECT_EQ(event.raw[3588], 255);
  // The game's two bytes and everything behind the used lengths stay.
  EXPECT_EQ(event.raw[3328] | event.raw[3329] << 8, bytes[3328] | bytes[3329] << 8);
  EXPECT_EQ(event.raw[6], bytes[6]);
}

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

// The add-on replaces the event of its id (in any letter case). What its
// uninstall deletes is left to the add-on tests and, with its directory
// and its "other places" pair, to the end-to-end test of the real program.
const char* const kAddOn =
    "@#WELL\r\n@writeln the well\r\n"
    "@#INSTALL\r\n@EVENTNAME WELL\r\n@AUTHOR Ann\r\n@AUTHID WELL-2\r\n@REPLACE id2\r\n"
    "@TARGET otherplaces\r\n@CODEBEGIN\r\n@routine well in &filename\r\n@CODEEND\r\n"
    "@#UNINSTALL\r\n@RMDIR NODIR\r\n";

// An event of an odd target shows it as not used and is cancelled: nothing
// written; saved, it is appended as a copy (Escape in the target chooser:
// other places). A new event: "S" is not offered yet; the code lines (the
// gap before them closed up), the target "when leaving the inn", saved.
// Imports that find nothing, then one that replaces event 2; uninstalled,
// it runs its directives and leaves the other events.
TEST(EventEditor, EditingSavingImportingAndUninstallingEvents) {
  EventRig t;
  t.WriteEvents(3, 9);
  const std::string first = t.dir.Read("EVENTS.DAT").substr(0, editors::kEventRecordSize);
  t.dir.Write("plain.ldy", "@#PLAIN\r\n@writeln hi\r\n");
  t.dir.Write("Well.ldy", kAddOn);
  t.Run("AAchanged\rQAF" + kEsc + "S" +
        "!SA@#WELL\rBW.LDY\rDID-9\rEB@writeln one\rC@writeln two\rRFCS" +
        "!I\r Inothere.ldy\r Iplain.ldy\r Q" + "!Iwell.ldy\ryS" + kEsc);
  EXPECT_TRUE(t.Showed("Target     :  Not Used"));
  EXPECT_EQ(t.Row(4), "        Author: Unknown              Ran from:");
  EXPECT_NE(t.Row(10).find("Ran from: Leaving Inn"), std::string::npos);
  std::vector<EventRecord> events = t.Events();
  ASSERT_EQ(events.size(), 5u);  // event 2 replaced
  EXPECT_EQ(t.dir.Read("EVENTS.DAT").substr(0, first.size()), first);
  EXPECT_EQ(events[1].EventName + "|" + events[2].EventName, "EVENT3|EVENT1");
  EXPECT_EQ(events[2].Target, editors::kTargetOtherPlaces);
  EXPECT_EQ(events[3].EventName + "|" + events[3].Code[0] + "|" + events[3].Code[1] + "|" +
                events[3].Author,
            "WELL|@writeln one|@writeln two|Unknown");
  EXPECT_EQ(events[3].Target, editors::kTargetLeaveInn);
  EXPECT_EQ(events[4].Code[0], "@routine well in well.ldy");
  EXPECT_EQ(t.dir.Read("3rdparty.dat"),
            "!EVENT1 E.LDY\r\nSome Lady Event!\r\n!WELL well.ldy\r\nSome Lady Event!\r\n");
  EXPECT_TRUE(t.Showed("No filename specified. Returning to the edit screen."));
  EXPECT_TRUE(t.Showed("Can't open that file! Are you sure it exists?"));
  EXPECT_TRUE(t.Showed("That file does not have a @#INSTALL! I cant install it!"));
  EXPECT_TRUE(t.Showed("The script you are importing wants to replace another event. Continue?"));
  EXPECT_TRUE(t.Showed("Target     : Other Places"));

  t.Run("EU " + kEsc);  // the fifth slot; a key for the directory message
  EXPECT_TRUE(t.Showed("Could not remove the directory \"NODIR\""));
  EXPECT_EQ(t.Events().size(), 4u);
}

}  // namespace
