// The demo PLAYER.DAT: a dozen invented players at various stages of the
// game, one of them deleted, so the player editor has pages to show.
#include <cstdio>
#include <string>

#include "editors/player_record.h"
#include "platform/record_file.h"

namespace {

struct DemoPlayer {
  const char* own;
  const char* game;
  int16_t level;
  int32_t gold;
  int16_t weapon;
  uint8_t sex;
  int16_t married_to;
};

constexpr DemoPlayer kPlayers[] = {
    {"Ada Brightwater", "Lady Ada", 7, 48200, 6, 5, 3},
    {"Corin Hale", "Corin", 3, 1250, 3, 0, -1},
    {"Mina Torvald", "Stormcaller", 11, 2300000, 12, 5, -1},
    {"Pell Oakheart", "Pell", 5, 9100, 5, 0, 0},
    {"Tamsin Reed", "Whisper", 2, 310, 2, 5, -1},
    {"X", "X", 1, 0, 1, 0, -1},
    {"Gideon Marsh", "The Marsh King", 9, 640000, 9, 0, -1},
    {"Liesel Varn", "Liesel", 4, 5200, 4, 5, 8},
    {"Oskar Fenwick", "Ox", 6, 27500, 7, 0, 7},
    {"Rhea Calloway", "Nightjar", 8, 150000, 8, 5, -1},
    {"Bram Ettley", "Bram the Bold", 1, 40, 1, 0, -1},
    {"Yara Holt", "Yara", 12, 9800000, 15, 5, -1},
};

editors::PlayerRecord MakePlayer(const DemoPlayer& d) {
  editors::PlayerRecord p;
  platform::DecodeFields(p);
  p.OwnName = d.own;
  p.GameName = d.game;
  p.Level = d.level;
  p.MaxHitPoints = p.HitPoints = static_cast<int16_t>(20 + 35 * d.level);
  p.Strength = static_cast<int16_t>(10 + 12 * d.level);
  p.Defense = static_cast<int16_t>(5 + 9 * d.level);
  p.Charm = static_cast<int16_t>(d.level * 3);
  p.Gold = d.gold;
  p.Bank = d.gold * 2;
  p.Experience = d.level * d.level * 900 + 1;
  p.Weapon = d.weapon;
  p.WeaponName = editors::WeaponName(d.weapon);
  p.Armour = d.weapon;
  p.ArmourName = editors::ArmourName(d.weapon);
  p.ForestFights = 15;
  p.PlayerFights = 3;
  p.Gems = static_cast<int16_t>(d.level * 2);
  p.Sex = d.sex;
  p.Class = static_cast<uint8_t>(1 + d.level % 3);
  p.MarriedTo = d.married_to;
  p.DeathKnightPoints = static_cast<int8_t>(d.level * 4);
  p.DeathKnightUses = static_cast<int8_t>(d.level / 2);
  platform::EncodeFields(p);
  return p;
}

}  // namespace

bool WritePlayers(const std::string& dir) {
  std::string path = dir + "PLAYER.DAT";
  platform::RecordFile file(editors::kPlayerRecordSize);
  bool ok = file.Create(path);
  int64_t n = 0;
  for (const DemoPlayer& d : kPlayers) ok = ok && file.Write(n++, MakePlayer(d).raw);
  ok = file.Close() && ok;
  if (!ok) std::fprintf(stderr, "keld-demo-data: cannot write %s\n", path.c_str());
  return ok;
}
