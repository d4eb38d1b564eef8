#include "editors/item_record.h"

namespace editors {

namespace {

struct ItemDefault {
  const char* name;
  int32_t price;
  int32_t strength;
};

constexpr ItemDefault kWeapons[kItemCount] = {
    {"Stick", 200, 5},
    {"Dagger", 1000, 10},
    {"Short Sword", 3000, 20},
    {"Long Sword", 10000, 30},
    {"Huge Axe", 30000, 40},
    {"Bone Cruncher", 100000, 60},
    {"Twin Swords", 150000, 80},
    {"Power Axe", 200000, 120},
    {"Vosk's Sword", 400000, 180},
    {"Wans' Weapon", 1000000, 250},
    {"Rune Hammer", 4000000, 350},
    {"Storm Lance", 10000000, 500},
    {"Star Mace", 40000000, 800},
    {"Doom Blade", 100000000, 1200},
    {"Death Sword", 400000000, 1800},
};

constexpr ItemDefault kArmour[kItemCount] = {
    {"Coat", 200, 1},
    {"Heavy Coat", 1000, 3},
    {"Leather Vest", 3000, 10},
    {"Bronze Armour", 10000, 15},
    {"Iron Armour", 30000, 25},
    {"Graphite Armour", 100000, 35},
    {"Ebony Plate", 150000, 50},
    {"Armour Of Death", 200000, 75},
    {"Vosk's Armour", 400000, 100},
    {"Shadow Mail", 1000000, 150},
    {"Rune Armour", 4000000, 225},
    {"Storm Plate", 10000000, 300},
    {"Star Armour", 40000000, 400},
    {"Dragon Scale", 100000000, 600},
    {"Armour Of Lore", 400000000, 1000},
};

ItemTable TableOf(const ItemDefault (&defaults)[kItemCount]) {
  ItemTable table;
  for (int i = 0; i < kItemCount; ++i) {
    ItemRecord& item = table[static_cast<size_t>(i)];
    item.Name = defaults[i].name;
    item.Price = defaults[i].price;
    item.Strength = defaults[i].strength;
    platform::EncodeFields(item);
  }
  return table;
}

}  // namespace

ItemTable DefaultWeapons() {
  return TableOf(kWeapons);
}
ItemTable DefaultArmour() {
  return TableOf(kArmour);
}

}  // namespace editors
