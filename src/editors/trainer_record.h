// TRAINERS.DAT: the eleven training masters, one 219-byte record per
// player level.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/record_bytes.h"

namespace editors {

inline constexpr size_t kTrainerRecordSize = 219;
inline constexpr int kTrainerCount = 11;

struct TrainerRecord {
  std::array<uint8_t, kTrainerRecordSize> raw{};

  std::string Name;
  std::string Weapon;
  std::string BeatenLine;
  std::string NotReady1;  // said when the player is not yet ready
  std::string NotReady2;  // its second line, often empty
  int16_t Strength = 0;
  int16_t HitPoints = 0;
  int16_t HitPointsGained = 0;
  int16_t StrengthGained = 0;
  int16_t DefenseGained = 0;
  int32_t XpNeeded = 0;  // experience needed to challenge the master

  template <typename Io>
  void Map(Io& io) {
    io.Str(0, 30, Name);
    io.Str(31, 20, Weapon);
    io.Str(52, 50, BeatenLine);
    io.Str(103, 50, NotReady1);
    io.Str(154, 50, NotReady2);
    io.I16(205, Strength);
    io.I16(207, HitPoints);
    io.I16(209, HitPointsGained);
    io.I16(211, StrengthGained);
    io.I16(213, DefenseGained);
    io.I32(215, XpNeeded);
  }
};

// The default master of level index 0-10, encoded. A default text longer
// than its field is stored cut to the field, as the file forces.
TrainerRecord DefaultTrainer(int level_index);

}  // namespace editors
