#include "editors/event_record.h"

#include <algorithm>

namespace editors {

void ResetEvent(EventRecord& event) {
  event = EventRecord{};
  event.Author = "Unknown";
  event.Target = kTargetForest;
  event.DisplayText = "Some Lady Event!";
}

bool IsComplete(const EventRecord& event) {
  return !event.EventName.empty() && !event.EventFile.empty() && !event.Code[0].empty() &&
         !event.Author.empty() && !event.UniqueId.empty();
}

bool IsBlankLine(const std::string& line) {
  return line.find_first_not_of(' ') == std::string::npos;
}

void CompactCode(CodeLines& code) {
  if (std::all_of(code.begin(), code.end(), IsBlankLine)) return;
  for (size_t i = 0; i + 1 < code.size(); ++i) {
    if (!IsBlankLine(code[i])) continue;
    // A blank line below never fills the gap: the first real line does.
    size_t j = i + 1;
    while (j < code.size() && IsBlankLine(code[j])) ++j;
    if (j == code.size()) return;
    code[i] = code[j];
    code[j].clear();
  }
}

std::vector<EventRecord> DecodeEvents(std::span<const uint8_t> bytes) {
  std::vector<EventRecord> events;
  for (size_t at = 0; at + kEventRecordSize <= bytes.size(); at += kEventRecordSize) {
    EventRecord& event = events.emplace_back();
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(at), kEventRecordSize,
                event.raw.begin());
    platform::DecodeFields(event);
  }
  return events;
}

}  // namespace editors
