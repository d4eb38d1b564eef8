#include "editors/player_record.h"

namespace editors {

namespace {

using ItemNames = std::array<std::string, kItemCount>;

// The pick lists follow the shop's default tables letter for letter; the
// naming tables carry the game's older spellings of three of them.
const ItemNames kWeaponNames = {"Stick",        "Dagger",       "Short Sword",  "Hand Axe",
                                "War Hammer",   "Iron Mace",    "Twin Blades",  "Battle Axe",
                                "Vosk's Sword", "Wan's Weapon", "Silver Lance", "Moon Blade",
                                "Storm Flail",  "Flame Sword",  "Death Sword"};
const ItemNames kWeaponPickNames = {"Stick",        "Dagger",      "Short Sword",  "Hand Axe",
                                    "War Hammer",   "Iron Mace",   "Twin Blades",  "Battle Axe",
                                    "Vosk's Sword", "Wans Weapon", "Silver Lance", "Moon Blade",
                                    "Storm Flail",  "Flame Sword", "Death Sword"};
const ItemNames kArmourNames = {
    "Coat",         "Heavy Coat",  "Leather Vest",    "Chain Shirt",    "Scale Mail",
    "Bronze Plate", "Iron Plate",  "Armour of Death", "Vosk's Armour",  "Dragon Hide",
    "Mithril Mail", "Storm Plate", "Shadow Cloak",    "Crystal Armour", "Armour of Lore"};
const ItemNames kArmourPickNames = {
    "Coat",         "Heavy Coat",  "Leather Vest",    "Chain Shirt",    "Scale Mail",
    "Bronze Plate", "Iron Plate",  "Armour Of Death", "Vosk's Armour",  "Dragon Hide",
    "Mithril Mail", "Storm Plate", "Shadow Cloak",    "Crystal Armour", "Armour Of Lore"};

const std::string& Pick(const ItemNames& names, int number) {
  static const std::string kNone;
  if (number < 1 || number > kItemCount) return kNone;
  return names[static_cast<size_t>(number - 1)];
}

}  // namespace

const std::string& WeaponName(int number) {
  return Pick(kWeaponNames, number);
}
const std::string& ArmourName(int number) {
  return Pick(kArmourNames, number);
}
const std::string& WeaponPickName(int number) {
  return Pick(kWeaponPickNames, number);
}
const std::string& ArmourPickName(int number) {
  return Pick(kArmourPickNames, number);
}

}  // namespace editors
