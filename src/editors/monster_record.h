// LENEMY.DAT and DRAGON.DAT: the forest monsters, eleven per player level,
// and the final opponent, all in one 239-byte record layout.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/record_bytes.h"

namespace editors {

inline constexpr size_t kMonsterRecordSize = 239;
inline constexpr int kMonstersPerLevel = 11;
inline constexpr int kMonsterLevels = 12;

struct MonsterRecord {
  std::array<uint8_t, kMonsterRecordSize> raw{};

  std::string Name;  // may carry colour codes
  int32_t Strength = 0;
  int32_t Gold = 0;
  std::string Weapon;
  int32_t Experience = 0;
  int32_t HitPoints = 0;
  std::string DeathString;  // shown when the monster dies

  template <typename Io>
  void Map(Io& io) {
    io.Str(0, 60, Name);
    io.I32(61, Strength);
    io.I32(65, Gold);
    io.Str(69, 60, Weapon);
    io.I32(130, Experience);
    io.I32(134, HitPoints);
    io.Str(138, 100, DeathString);
  }
};

// The dragon a game gets when its DRAGON.DAT is missing or unreadable.
MonsterRecord DefaultDragon();

}  // namespace editors
