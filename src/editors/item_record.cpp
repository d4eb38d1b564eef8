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
    {"Hand Axe", 10000, 30},
    {"War Hammer", 30000, 40},
    {"Iron Mace", 100000, 60},
    {"Twin Blades", 150000, 80},
    {"Battle Axe", 200000, 120},
    {"Vosk's Sword", 400000, 180},
    {"Wans' Weapon", 1000000, 250},
    {"Silver Lance", 4000000, 350},
    {"Moon Blade", 10000000, 500},
    {"Storm Flail", 40000000, 800},
    {"Flame Sword", 100000000, 1200},
    {"Death Sword", 400000000, 1800},
};

constexpr ItemDefault kArmour[kItemCount] = {
    {"Coat", 200, 1},
    {"Heavy Coat", 1000, 3},
    {"Leather Vest", 3000, 10},
    {"Chain Shirt", 10000, 15},
    {"Scale Mail", 30000, 25},
    {"Bronze Plate", 100000, 35},
    {"Iron Plate", 150000, 50},
    {"Armour Of Death", 200000, 75},
    {"Vosk's Armour", 400000, 100},
    {"Dragon Hide", 1000000, 150},
    {"Mithril Mail", 4000000, 225},
    {"Storm Plate", 10000000, 300},
    {"Shadow Cloak", 40000000, 400},
    {"Crystal Armour", 100000000, 600},
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
