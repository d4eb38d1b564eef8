// The demo directory's forest: invented monsters for the twelve levels, a
// dragon, and the default shop and trainer tables, so that every data
// editor opens on the demo directory.
#include <cstdio>
#include <string>

#include "editors/item_record.h"
#include "editors/monster_record.h"
#include "editors/trainer_record.h"
#include "platform/record_file.h"

namespace {

const char* const kAges[editors::kMonsterLevels] = {"Small", "Young", "Wild",    "Grey",
                                                    "Angry", "Tall",  "Black",   "Old",
                                                    "Dire",  "Giant", "Ancient", "Elder"};

struct Kind {
  const char* name;
  const char* weapon;
};
const Kind kKinds[editors::kMonstersPerLevel] = {
    {"Rat", "Sharp Teeth"},    {"Goblin", "Rusty Knife"}, {"Wolf", "Fangs"},
    {"Troll", "Tree Branch"},  {"Boar", "Tusks"},         {"Bandit", "Cudgel"},
    {"Spider", "Poison Bite"}, {"Bear", "Claws"},         {"Ogre", "Stone Club"},
    {"Wraith", "Cold Touch"},  {"Serpent", "Coils"},
};

editors::MonsterRecord DemoMonster(int level, int kind) {
  editors::MonsterRecord m;
  int scale = level * level;
  m.Name = std::string(kAges[level - 1]) + " " + kKinds[kind].name;
  m.Weapon = kKinds[kind].weapon;
  m.Strength = 4 * scale + 2 * kind;
  m.Gold = 40 * scale + 10 * kind;
  m.Experience = 5 * scale + kind;
  m.HitPoints = 8 * scale + 3 * kind;
  m.DeathString = "The " + m.Name + " falls to the ground.";
  return m;
}

class Writer {
 public:
  Writer(size_t record_size, std::string path) : file_(record_size), path_(std::move(path)) {
    ok_ = file_.Create(path_);
  }
  template <typename Record>
  void Add(Record record) {
    platform::EncodeFields(record);
    ok_ = ok_ && file_.Write(next_++, record.raw);
  }
  bool Finish() {
    ok_ = file_.Close() && ok_;
    if (!ok_) std::fprintf(stderr, "keld-demo-data: cannot write %s\n", path_.c_str());
    return ok_;
  }

 private:
  platform::RecordFile file_;
  std::string path_;
  int64_t next_ = 0;
  bool ok_ = false;
};

bool WriteItems(const std::string& path, const editors::ItemTable& table) {
  Writer w(editors::kItemRecordSize, path);
  for (const editors::ItemRecord& item : table) w.Add(item);
  return w.Finish();
}

}  // namespace

bool WriteMonsters(const std::string& dir) {
  Writer monsters(editors::kMonsterRecordSize, dir + "LENEMY.DAT");
  for (int level = 1; level <= editors::kMonsterLevels; ++level) {
    for (int kind = 0; kind < editors::kMonstersPerLevel; ++kind) {
      monsters.Add(DemoMonster(level, kind));
    }
  }
  Writer dragon(editors::kMonsterRecordSize, dir + "DRAGON.DAT");
  dragon.Add(editors::DefaultDragon());
  Writer trainers(editors::kTrainerRecordSize, dir + "TRAINERS.DAT");
  for (int i = 0; i < editors::kTrainerCount; ++i) trainers.Add(editors::DefaultTrainer(i));
  return monsters.Finish() && dragon.Finish() && trainers.Finish() &&
         WriteItems(dir + "WEAPONS.DAT", editors::DefaultWeapons()) &&
         WriteItems(dir + "ARMOR.DAT", editors::DefaultArmour());
}
