// Arbitrary bytes as EVENTS.DAT through the script generator. Every
// generated file starts with its label, ends with "@endquest", has CR LF
// after every line and no other CR, LF or NUL, and numbers exactly as many
// events as the file holds for its place. The "other places" pair of each
// record is two lines, and removing it from a file that holds it leaves
// the file as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "editors/event_record.h"
#include "editors/event_scripts.h"

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "event_script_fuzz: %s\n", what);
  std::abort();
}

// Every CR is followed by LF, every LF preceded by CR, and no NUL.
bool CleanLines(const std::string& text) {
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\0') return false;
    if (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n')) return false;
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) return false;
  }
  return text.size() >= 2 && text.ends_with("\r\n");
}

void CheckScript(editors::ScriptKind kind, const char* label, uint16_t target,
                 const std::vector<editors::EventRecord>& events) {
  std::string script = editors::FormatEventScript(kind, events);
  Require(script.starts_with(std::string(label) + "\r\n"), "label");
  Require(script.ends_with("\r\n@endquest\r\n"), "end");
  Require(CleanLines(script), "stray line end");
  size_t count = static_cast<size_t>(std::count_if(
      events.begin(), events.end(), [&](const auto& e) { return e.Target == target; }));
  if (count > 0) {
    Require(
        script.find("\r\n@set &N1 to &rnd" + std::to_string(count) + "\r\n") != std::string::npos,
        "count");
    Require(script.find("\r\n" + std::to_string(count) + ": ") != std::string::npos, "last case");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Padded to whole records with zeros, so that short inputs already reach
  // the generator instead of stopping at the partial-record rule.
  std::vector<uint8_t> bytes(data, data + size);
  size_t records =
      std::max<size_t>(1, (size + editors::kEventRecordSize - 1) / editors::kEventRecordSize);
  bytes.resize(records * editors::kEventRecordSize);
  std::vector<editors::EventRecord> events = editors::DecodeEvents(bytes);
  CheckScript(editors::ScriptKind::kForest, "@#KELD", editors::kTargetForest, events);
  CheckScript(editors::ScriptKind::kBank, "@#LEAVEBANK", editors::kTargetLeaveBank, events);
  CheckScript(editors::ScriptKind::kInn, "@#LEAVEINN", editors::kTargetLeaveInn, events);
  const std::string before = "; places\r\n!KEEP K.LDY\r\nKept\r\n";
  for (const editors::EventRecord& event : events) {
    std::string pair = editors::OtherPlacesPair(event);
    Require(CleanLines(pair) && std::count(pair.begin(), pair.end(), '\n') == 2, "pair lines");
    std::string key = editors::OtherPlacesKey(event);
    if (key == "!KEEP K.LDY") continue;
    Require(editors::WithoutOtherPlacesPair(before + pair, key) == before, "pair removal");
  }
  return 0;
}
