// EVENTS.DAT: the list of random events, one 3844-byte record each,
// numbered from 1. The game never reads this file; it runs the script
// files generated from it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/record_bytes.h"

namespace editors {

inline constexpr size_t kEventRecordSize = 3844;
inline constexpr size_t kEventStringMax = 255;
inline constexpr int kCodeLineCount = 10;

// Where an event runs. Note that 3 is "other places" and 4 the inn.
enum EventTarget : uint16_t {
  kTargetForest = 1,
  kTargetLeaveBank = 2,
  kTargetOtherPlaces = 3,
  kTargetLeaveInn = 4,
};

using CodeLines = std::array<std::string, kCodeLineCount>;

struct EventRecord {
  std::array<uint8_t, kEventRecordSize> raw{};

  std::string EventName;  // also the label of its code, without "@#"
  std::string EventFile;  // the add-on script it came from
  std::string Author;
  CodeLines Code;
  std::string UniqueId;
  uint16_t Target = kTargetForest;
  std::string DisplayText;  // shown in the "other places" list

  template <typename Io>
  void Map(Io& io) {
    io.Str(0, kEventStringMax, EventName);
    io.Str(256, kEventStringMax, EventFile);
    io.Str(512, kEventStringMax, Author);
    for (size_t i = 0; i < Code.size(); ++i) io.Str(768 + i * 256, kEventStringMax, Code[i]);
    // The two bytes at 3328 belong to the game and are carried as found.
    io.Str(3330, kEventStringMax, UniqueId);
    int16_t target = static_cast<int16_t>(Target);
    io.I16(3586, target);
    Target = static_cast<uint16_t>(target);
    io.Str(3588, kEventStringMax, DisplayText);
  }
};

// The working record of a new event: zero bytes, "Unknown" author, the
// forest, and the default display text.
void ResetEvent(EventRecord& event);

// Name, file, first code line, author and unique id are all non-empty.
bool IsComplete(const EventRecord& event);

// Empty after removing leading and trailing blanks.
bool IsBlankLine(const std::string& line);
// Closes the gaps between code lines: every blank line takes the text of
// the first non-empty line below it, which is emptied. Nothing changes
// when all lines are blank; the lines themselves are never trimmed.
void CompactCode(CodeLines& code);

// Every whole record in the bytes of an EVENTS.DAT; a partial record at
// the end is left out.
std::vector<EventRecord> DecodeEvents(std::span<const uint8_t> bytes);

}  // namespace editors
