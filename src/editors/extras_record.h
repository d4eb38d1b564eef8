// PLAYEXT.DAT: one 1361-byte record of game-wide extras, held in memory for
// the whole run. Most of it belongs to the game and is only preserved.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/record_bytes.h"

namespace editors {

inline constexpr size_t kExtrasRecordSize = 1361;
// The date field as held in memory when the file's date is empty.
inline constexpr const char* kNeverDate = "NEVER";

struct ExtrasRecord {
  std::array<uint8_t, kExtrasRecordSize> raw{};

  std::string LastEditDate = kNeverDate;  // "MM/DD/YYYY" or "NEVER"
  bool DeleteOneXpPlayers = false;
  bool KickOldPlayer = false;

  template <typename Io>
  void Map(Io& io) {
    io.Str(1334, 10, LastEditDate);
    io.Bool(1350, DeleteOneXpPlayers);
    io.Bool(1351, KickOldPlayer);
  }
};

}  // namespace editors
