// WEAPONS.DAT and ARMOR.DAT: the shop's two tables of 15 items, each a
// 264-byte record of name, price and strength.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "platform/record_bytes.h"

namespace editors {

inline constexpr size_t kItemRecordSize = 264;
inline constexpr int kItemCount = 15;

struct ItemRecord {
  std::array<uint8_t, kItemRecordSize> raw{};

  std::string Name;
  int32_t Price = 0;
  int32_t Strength = 0;  // attack strength of a weapon, defense of an armour

  template <typename Io>
  void Map(Io& io) {
    io.Str(0, 255, Name);
    io.I32(256, Price);
    io.I32(260, Strength);
  }
};

using ItemTable = std::array<ItemRecord, kItemCount>;

// What a reset writes, in record order.
ItemTable DefaultWeapons();
ItemTable DefaultArmour();

}  // namespace editors
