#include "editors/trainer_record.h"

namespace editors {

namespace {

struct TrainerDefault {
  const char* name;
  const char* weapon;
  const char* beaten;
  const char* not_ready1;
  const char* not_ready2;
  int16_t strength, hit_points, hp_gained, strength_gained, defense_gained;
  int32_t xp_needed;
};

constexpr TrainerDefault kTrainers[kTrainerCount] = {
    {"Halder", "Short Sword", "Belar!!! You are truly a great warrior!",
     "Gee, your muscles are getting bigger than mine...", "", 15, 30, 10, 5, 2, 100},
    {"Barak", "Battle Axe", "You have bested me, and fairly so!",
     "You know, you are actually getting pretty good with", "that thing...\"", 17, 40, 15, 7, 3,
     400},
    {"Merrow", "Iron Mace", "My mace is yours to admire, not to fear.",
     "Come back when your arm stops shaking.", "", 35, 70, 20, 10, 5, 1000},
    {"Selka", "Twin Daggers", "Quick as a fox! I yield.", "You are still too slow for my blades.",
     "", 70, 120, 30, 12, 10, 4000},
    {"Orvin", "War Hammer", "The hammer falls... and so do I.",
     "Swing that thing a few hundred more times first.", "", 100, 200, 50, 20, 15, 10000},
    {"Dessa", "Curved Blade", "Well struck. The road ahead is yours.",
     "Your footwork needs another season of practice.", "", 150, 400, 75, 35, 22, 40000},
    {"Kalvar", "Spiked Flail", "Enough! My ribs cannot take any more!",
     "Not yet, friend. The forest has more to teach you.", "", 250, 600, 125, 50, 35, 100000},
    {"Yrsa", "Silver Rapier", "A touch! A clear touch! You have won.",
     "Your guard is open wider than the inn door.", "", 350, 800, 185, 75, 60, 400000},
    {"Thorne", "Rune Staff", "The runes bow to a greater will than mine.",
     "The runes say you are not ready. Neither am I.", "", 500, 1200, 250, 110, 80, 1000000},
    {"Morwen", "Storm Bow", "The storm passes. You stand, I kneel.",
     "Return when the lightning no longer frightens you.", "", 800, 1800, 350, 150, 120, 4000000},
    {"Turgon", "Great Sword", "Go now. Only the dragon is left for you.",
     "You are close, but close is not enough.", "", 1200, 2500, 550, 200, 150, 10000000},
};

}  // namespace

TrainerRecord DefaultTrainer(int level_index) {
  const TrainerDefault& d = kTrainers[level_index];
  TrainerRecord trainer;
  trainer.Name = d.name;
  trainer.Weapon = d.weapon;
  trainer.BeatenLine = d.beaten;
  trainer.NotReady1 = d.not_ready1;
  trainer.NotReady2 = d.not_ready2;
  trainer.Strength = d.strength;
  trainer.HitPoints = d.hit_points;
  trainer.HitPointsGained = d.hp_gained;
  trainer.StrengthGained = d.strength_gained;
  trainer.DefenseGained = d.defense_gained;
  trainer.XpNeeded = d.xp_needed;
  platform::EncodeFields(trainer);
  platform::DecodeFields(trainer);  // the texts as the file holds them
  return trainer;
}

}  // namespace editors
