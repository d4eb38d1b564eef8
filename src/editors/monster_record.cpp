#include "editors/monster_record.h"

namespace editors {

MonsterRecord DefaultDragon() {
  MonsterRecord dragon;
  dragon.Name = "`4The Ash Wyvern`2";
  dragon.Strength = 2000;
  dragon.Gold = 1000;
  dragon.Weapon = "`)Scorching Flame`2";
  dragon.Experience = 1000;
  dragon.HitPoints = 15000;
  dragon.DeathString = "  The earth shakes as the mighty beast falls.";
  platform::EncodeFields(dragon);
  return dragon;
}

}  // namespace editors
