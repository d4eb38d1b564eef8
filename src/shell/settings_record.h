// KELD.DAT: the game-wide settings, one 629-byte record. Only the fields
// this program edits are mapped; every other byte (reserved fields, the
// winner text, the reserved text area) is kept exactly as read.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/record_bytes.h"

namespace shell {

inline constexpr size_t kSettingsRecordSize = 629;
inline constexpr uint8_t kCleanModeOn = 5;

struct SettingsRecord {
  std::array<uint8_t, kSettingsRecordSize> raw{};

  bool Multinode = true;
  bool TransferAllowed = true;
  int32_t MaxTransferGold = 100000;
  int32_t HumanFights = 3;
  int32_t GracePeriodDays = 15;
  std::string AnsiScorePath;
  std::string AsciiScorePath;
  uint8_t CleanMode = 0;
  int32_t ForestFights = 15;
  int8_t MaxTransfersPerDay = 3;
  uint8_t ResurrectionLimit = 0;

  template <typename Io>
  void Map(Io& io) {
    io.Bool(161, Multinode);
    io.Bool(166, TransferAllowed);
    io.I32(167, MaxTransferGold);
    io.I32(171, HumanFights);
    io.I32(179, GracePeriodDays);
    io.Str(183, 60, AnsiScorePath);
    io.Str(244, 60, AsciiScorePath);
    io.U8(366, CleanMode);
    io.I32(367, ForestFights);
    io.I8(627, MaxTransfersPerDay);
    io.U8(628, ResurrectionLimit);
  }
};

// A new record: reserved bytes zero, paths empty, "NO WINNER".
SettingsRecord DefaultSettings();

}  // namespace shell
