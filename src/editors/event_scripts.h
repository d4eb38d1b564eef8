// The script files the game runs, generated from the event list:
// KELD.LDY (forest), BANK.LDY (leaving the bank), INN.LDY (leaving the
// inn), and the pairs of 3rdparty.dat for the "other places" events.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editors/event_record.h"
#include "editors/event_store.h"

namespace editors {

enum class ScriptKind { kForest, kBank, kInn };

// The whole text of the script file of `kind` for these events (in file
// order; events of other targets are left out).
std::string FormatEventScript(ScriptKind kind, const std::vector<EventRecord>& events);

// Rewrites the script file from the open event file. A file that cannot
// be written is left as it is: the game then runs the old script.
void GenerateScript(EventStore& store, ScriptKind kind);
void GenerateForestScript(EventStore& store);
void GenerateBankScript(EventStore& store);
void GenerateInnScript(EventStore& store);

// Text of a stored string as it may stand on one line of a text file: a
// CR, LF or NUL ends it, so that no record can add lines of its own.
std::string OneLine(std::string_view text);

// The lines of a text file; CR LF, LF and CR each end a line, and a last
// line without a line end still counts.
std::vector<std::string> SplitLines(std::string_view text);

// The first line of the event's pair in 3rdparty.dat.
std::string OtherPlacesKey(const EventRecord& event);
// The event's pair, each line ended by CR LF.
std::string OtherPlacesPair(const EventRecord& event);
// The content of a 3rdparty.dat without the pairs whose first line is
// `key` (ignoring letter case); comment lines and other pairs stay.
std::string WithoutOtherPlacesPair(std::string_view content, const std::string& key);

// Appends the event's pair to 3rdparty.dat, creating the file if needed.
void AddOtherPlacesEntry(const std::string& game_dir, const EventRecord& event);
// Removes the event's pair; a missing 3rdparty.dat holds nothing to remove.
void RemoveOtherPlacesEntry(const std::string& game_dir, const EventRecord& event);

// Regenerates what the event list feeds for an event of this target that
// was added (or removed): the script file of its place, or its pair.
void RegenerateForAdded(EventStore& store, const EventRecord& event);
void RegenerateForRemoved(EventStore& store, const EventRecord& event);

}  // namespace editors
