// KELDTOUR.DAT: one 17-byte record with the tournament settings.
#pragma once

#include <array>
#include <cstdint>

#include "platform/record_bytes.h"

namespace editors {

inline constexpr size_t kTournamentRecordSize = 17;

enum class RankStat : uint8_t { kExperience, kDragonKills, kPlayerKills, kLevel, kLays };

struct TournamentRecord {
  std::array<uint8_t, kTournamentRecordSize> raw{};

  bool Enabled = false;
  bool LimitedTime = false;  // false: unlimited time, the winner meets the criteria
  uint8_t RankedOn = static_cast<uint8_t>(RankStat::kDragonKills);
  int32_t ExperienceNeeded = 0;
  int16_t DaysToRun = 1;
  int16_t DragonKillsNeeded = 3;
  int16_t PlayerKillsNeeded = 0;
  int16_t LevelNeeded = 0;
  int16_t LaysNeeded = 0;

  template <typename Io>
  void Map(Io& io) {
    io.Bool(0, Enabled);
    io.Bool(1, LimitedTime);
    io.U8(2, RankedOn);
    io.I32(3, ExperienceNeeded);
    io.I16(7, DaysToRun);
    io.I16(9, DragonKillsNeeded);
    io.I16(11, PlayerKillsNeeded);
    io.I16(13, LevelNeeded);
    io.I16(15, LaysNeeded);
  }
};

// The record a new game starts with.
TournamentRecord DefaultTournament();

}  // namespace editors
