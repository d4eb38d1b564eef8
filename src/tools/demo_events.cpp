// Demo events: a few invented events in EVENTS.DAT with the script files
// generated from them, an "other places" list with a comment line, and
// one invented add-on script to try an install and an uninstall with.
#include <cstdio>
#include <string>

#include "editors/event_record.h"
#include "editors/event_scripts.h"
#include "editors/event_store.h"
#include "platform/whole_file.h"

namespace {

editors::EventRecord DemoEvent(const char* name, uint16_t target, const char* id,
                               std::initializer_list<const char*> code) {
  editors::EventRecord event;
  editors::ResetEvent(event);
  event.EventName = name;
  event.EventFile = "DEMO.LDY";
  event.Author = "Demo Writer";
  event.UniqueId = id;
  event.Target = target;
  size_t i = 0;
  for (const char* line : code) event.Code[i++] = line;
  return event;
}

const char* const kAddOnScript =
    "; Lantern Well: an invented add-on event for trying install and uninstall.\r\n"
    "@#LANTERNWELL\r\n"
    "@writeln `2You find an old well with a lantern hanging over it.\r\n"
    "@writeln `2A coin tossed in glints all the way down.\r\n"
    "@#INSTALL\r\n"
    "@EVENTNAME LANTERNWELL\r\n"
    "@AUTHOR Demo Writer\r\n"
    "@AUTHID DEMO-LANTERN-WELL-1\r\n"
    "@TARGET OTHERPLACES\r\n"
    "@DISP Visit the Lantern Well\r\n"
    "@MAKEDIR LANTWELL\r\n"
    "@CODEBEGIN\r\n"
    "@routine lanternwell in &filename\r\n"
    "@CODEEND\r\n"
    "@#UNINSTALL\r\n"
    "; the directory the install made, and its contents\r\n"
    "@DEL LANTWELL\\*.*\r\n"
    "@RMDIR LANTWELL\r\n";

const char* const kOtherPlaces =
    "; Other places of the game: a line starting with ! and the text shown.\r\n";

bool WriteText(const std::string& path, const char* text) {
  int error = 0;
  if (platform::WriteWholeFile(path, text, error)) return true;
  std::fprintf(stderr, "keld-demo-data: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

bool WriteDemoEvents(const std::string& dir) {
  editors::EventStore store(dir);
  store.CreateEmpty();
  editors::EventRecord events[] = {
      DemoEvent("MOSSYSTONE", editors::kTargetForest, "DEMO-MOSSY-STONE-1",
                {"@writeln `2You trip over a mossy stone and find 10 gold under it!",
                 "@do add 10 to gold"}),
      DemoEvent("OLDHERMIT", editors::kTargetForest, "DEMO-OLD-HERMIT-1",
                {"@writeln `2An old hermit waves at you from his hut."}),
      DemoEvent("SPILTALE", editors::kTargetLeaveInn, "DEMO-SPILT-ALE-1",
                {"@writeln `2Someone spills ale on your boots on the way out."}),
      DemoEvent("LOOSECOIN", editors::kTargetLeaveBank, "DEMO-LOOSE-COIN-1",
                {"@writeln `2A coin rolls out of the bank door after you.", "@do add 1 to gold"}),
  };
  for (editors::EventRecord& event : events) store.Append(event);
  editors::GenerateForestScript(store);
  editors::GenerateInnScript(store);
  editors::GenerateBankScript(store);
  store.Close();
  return WriteText(dir + "3rdparty.dat", kOtherPlaces) &&
         WriteText(dir + "LANTWELL.LDY", kAddOnScript);
}
