#include "editors/tournament_editor.h"

#include <string>

#include "editors/record_editor.h"
#include "platform/letter_case.h"
#include "ui/prompts.h"

namespace editors {

namespace {

constexpr const char* kTitle = "** `%KELD 4.07 Tournament Editor ";
constexpr const char* kUseThisKind = "`4(`%A`4) `7Use this tournament type";

void Frame(ui::Ui& ui) {
  EditorFrame(ui, EditorTitle(ui, kTitle, "** "), 79, 24);
}

char ReadUpperKey(ui::Ui& ui) {
  return platform::UpperCase(ui.door.DReadKey());
}

void WriteAt(ui::Ui& ui, int col, int row, const std::string& text) {
  ui.door.DGotoRowCol(row, col);
  ui.CWrite(text);
}

void PlainLines(ui::Ui& ui, int row, std::initializer_list<const char*> lines) {
  ui.door.DGotoRowCol(row, 1);
  for (const char* line : lines) ui.door.DWriteLn(line);
}

const char* StatName(uint8_t stat) {
  static const char* const kNames[] = {"experience", "dragon kills", "player kills", "level",
                                       "lays"};
  return stat < 5 ? kNames[stat] : "";
}

// The next ranking stat in the cycle; a value no stat has stays.
uint8_t NextStat(uint8_t stat) {
  return stat < 4 ? static_cast<uint8_t>(stat + 1) : stat == 4 ? 0 : stat;
}

int16_t Prompt16(ui::Ui& ui, const char* title, int16_t value, int32_t max, int32_t min) {
  return static_cast<int16_t>(ui::NumberPrompt(ui, title, value, max, min));
}

void LimitedScreen(ui::Ui& ui, TournamentRecord& tour) {
  for (;;) {
    Frame(ui);
    if (!tour.LimitedTime) WriteAt(ui, 5, 5, kUseThisKind);
    WriteAt(ui, 5, 7,
            "`4(`%B`4) `7Number of days for the tournament to run: `%" +
                std::to_string(tour.DaysToRun));
    WriteAt(
        ui, 5, 9,
        std::string("`4(`%C`4) `7Stat the players are ranked on: `%") + StatName(tour.RankedOn));
    WriteAt(ui, 5, 11, "`4(`%R`4) `7Return");
    ui.door.DSetFore(7);
    PlainLines(ui, 13,
               {"     Note that players are ranked first by the stat you",
                "     specify, then by experience."});
    switch (ReadUpperKey(ui)) {
      case 'A':
        tour.LimitedTime = true;
        break;
      case 'B':
        tour.DaysToRun = Prompt16(ui, "Number of days to run", tour.DaysToRun, 32000, 1);
        break;
      case 'C':
        tour.RankedOn = NextStat(tour.RankedOn);
        break;
      case 'R':
        return;
      default:
        break;
    }
  }
}

bool NoCriterion(const TournamentRecord& t) {
  return t.DragonKillsNeeded == 0 && t.PlayerKillsNeeded == 0 && t.LevelNeeded == 0 &&
         t.LaysNeeded == 0 && t.ExperienceNeeded == 0;
}

void DrawUnlimited(ui::Ui& ui, const TournamentRecord& tour) {
  Frame(ui);
  if (tour.LimitedTime) WriteAt(ui, 5, 5, kUseThisKind);
  ui.door.DGotoRowCol(7, 1);
  ui.CWriteLn("    `4(`%B`4) `7Dragon kills needed : `%" + std::to_string(tour.DragonKillsNeeded));
  ui.CWriteLn("    `4(`%C`4) `7Player kills needed : `%" + std::to_string(tour.PlayerKillsNeeded));
  ui.CWriteLn("    `4(`%D`4) `7Level needed : `%" + std::to_string(tour.LevelNeeded));
  ui.CWriteLn("    `4(`%E`4) `7Lays needed : `%" + std::to_string(tour.LaysNeeded));
  ui.CWriteLn("    `4(`%F`4) `7Experience needed : `%" + std::to_string(tour.ExperienceNeeded));
  ui.door.DSetFore(7);
  ui.door.DGotoRowCol(13, 5);
  ui.door.DWrite("Note that a value of 0 means the stat is ignored.");
  WriteAt(ui, 5, 15, "`4(`%R`4) `7Return");
}

void UnlimitedScreen(ui::Ui& ui, TournamentRecord& tour) {
  for (;;) {
    DrawUnlimited(ui, tour);
    switch (ReadUpperKey(ui)) {
      case 'A':
        tour.LimitedTime = false;
        break;
      case 'B':
        tour.DragonKillsNeeded = Prompt16(ui, "Dragon kills", tour.DragonKillsNeeded, 32000, 0);
        break;
      case 'C':
        tour.PlayerKillsNeeded = Prompt16(ui, "Player kills", tour.PlayerKillsNeeded, 32000, 0);
        break;
      case 'D':
        tour.LevelNeeded = Prompt16(ui, "Level", tour.LevelNeeded, 12, 0);
        break;
      case 'E':
        tour.LaysNeeded = Prompt16(ui, "Lays", tour.LaysNeeded, 32000, 0);
        break;
      case 'F':
        tour.ExperienceNeeded =
            ui::NumberPrompt(ui, "Experience", tour.ExperienceNeeded, 2000000000, 0);
        break;
      case 'R':
        if (!tour.LimitedTime && NoCriterion(tour)) {
          ui::MessageBox(ui, "One of the 5 stats must be greater than zero!");
          break;
        }
        return;
      default:
        break;
    }
  }
}

void DrawMain(ui::Ui& ui, const TournamentRecord& tour) {
  Frame(ui);
  PlainLines(ui, 5,
             {"   First, pick what kind of tournament to run. With the first option, you",
              "   set how many days the tourny will run, and the stat to score off of.",
              "   With the second option, the game runs until someone meets the specified",
              "   criteria.", "", "   So, what will it be?", ""});
  ui.CWriteLn("   `4(`%1`4) `7Certain number of days, ranked by a stat I choose");
  ui.CWriteLn("   `4(`%2`4) `7Unlimited time, winner meets my criteria");
  ui.CWriteLn("   `4(`%Q`4) `7Quit to main");
  ui.door.DGotoRowCol(20, 4);
  ui.door.DWrite(tour.Enabled ? "Tournament Mode: Enabled" : "Tournament Mode: Disabled");
  ui.door.DGotoRowCol(20, 40);
  ui.door.DWrite(tour.LimitedTime ? "Current Mode: Limited Time" : "Current Mode: Unlimited Time");
}

}  // namespace

void TournamentEditor(ui::Ui& ui, TournamentRecord& tour) {
  for (;;) {
    DrawMain(ui, tour);
    switch (ReadUpperKey(ui)) {
      case '1':
        LimitedScreen(ui, tour);
        break;
      case '2':
        UnlimitedScreen(ui, tour);
        break;
      case 'Q':
        return;
      default:
        break;
    }
  }
}

}  // namespace editors
