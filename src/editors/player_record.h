// PLAYER.DAT: one 236-byte record per player, the player number being the
// record number from 0. Many of the game's yes/no fields are small
// integers where 5 means yes. Bytes no field names belong to the game and
// survive every rewrite.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "editors/item_record.h"  // kItemCount: weapons and armours, numbered 1-15
#include "platform/record_bytes.h"

namespace editors {

inline constexpr size_t kPlayerRecordSize = 236;
inline constexpr int16_t kYes5 = 5;
// Both names set to this mark a deleted player; the record stays in place.
inline constexpr const char* kDeletedName = "X";
inline constexpr int16_t kNotMarried = -1;

struct PlayerRecord {
  std::array<uint8_t, kPlayerRecordSize> raw{};

  std::string GameName;  // shown as "Nick"
  std::string OwnName;   // shown as "Name"
  int16_t HitPoints = 0;
  int16_t FlagBits = 0;  // bit 0: carrying the amulet of accuracy
  int16_t DaysMissing = 0;
  int16_t MaxHitPoints = 0;
  int16_t Weapon = 1;
  std::string WeaponName;
  int16_t SeenMaster = 0;
  int16_t ForestFights = 0;
  int16_t PlayerFights = 0;
  int32_t Gold = 0;
  int32_t Bank = 0;
  int16_t Defense = 0;
  int16_t Strength = 0;
  int16_t Charm = 0;
  int16_t SeenDragon = 0;
  int16_t Flirted = 0;
  int16_t Level = 0;
  int16_t DayStamp = 0;
  std::string ArmourName;
  int16_t Armour = 1;
  uint8_t Dead = 0;
  uint8_t Sleeping = 0;
  int16_t Gems = 0;
  int32_t Experience = 0;
  uint8_t Sex = 0;  // 5 = female
  uint8_t HeardBard = 0;
  int16_t Lays = 0;
  bool OnNow = false;
  uint8_t Class = 1;  // 1 warrior, 2 mystic, 3 thief
  int16_t Horse = 0;  // 1 = yes
  int16_t Kids = 0;
  int16_t TimesWon = 0;
  int8_t DeathKnightPoints = 0;
  int8_t MysticalPoints = 0;
  int8_t ThievingPoints = 0;
  int8_t DeathKnightUses = 0;
  int8_t MysticalUses = 0;
  int8_t ThievingUses = 0;
  int16_t MarriedTo = kNotMarried;
  int32_t TransfersToday = 0;
  int16_t PlayerKills = 0;
  int16_t WeirdEvent = 0;
  uint8_t FlirtedToday = 0;

  template <typename Io>
  void Map(Io& io) {
    io.Str(0, 20, GameName);
    io.Str(21, 50, OwnName);
    io.I16(72, HitPoints);
    io.I16(74, FlagBits);
    io.I16(76, DaysMissing);
    io.I16(78, MaxHitPoints);
    io.I16(80, Weapon);
    io.Str(82, 20, WeaponName);
    io.I16(103, SeenMaster);
    io.I16(105, ForestFights);
    io.I16(107, PlayerFights);
    io.I32(109, Gold);
    io.I32(113, Bank);
    io.I16(117, Defense);
    io.I16(119, Strength);
    io.I16(121, Charm);
    io.I16(123, SeenDragon);
    io.I16(125, Flirted);
    io.I16(127, Level);
    io.I16(129, DayStamp);
    io.Str(131, 20, ArmourName);
    io.I16(152, Armour);
    io.U8(154, Dead);
    io.U8(155, Sleeping);
    io.I16(156, Gems);
    io.I32(158, Experience);
    io.U8(162, Sex);
    io.U8(163, HeardBard);
    io.I16(166, Lays);
    io.Bool(170, OnNow);
    io.U8(179, Class);
    io.I16(180, Horse);
    io.I16(210, Kids);
    io.I16(212, TimesWon);
    io.I8(214, DeathKnightPoints);
    io.I8(215, MysticalPoints);
    io.I8(216, ThievingPoints);
    io.I8(217, DeathKnightUses);
    io.I8(218, MysticalUses);
    io.I8(219, ThievingUses);
    io.I16(221, MarriedTo);
    io.I32(223, TransfersToday);
    io.I16(227, PlayerKills);
    io.I16(229, WeirdEvent);
    io.U8(232, FlirtedToday);
  }
};

// The names the player editor gives weapons and armours 1-15, written into
// the record, and the slightly different spellings its pick lists show.
const std::string& WeaponName(int number);
const std::string& ArmourName(int number);
const std::string& WeaponPickName(int number);
const std::string& ArmourPickName(int number);

}  // namespace editors
