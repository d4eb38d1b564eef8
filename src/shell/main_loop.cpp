// The main loop: the five tabs, rebuilt from the run state at every pass
// so that values changed by an action show at once.
#include "shell/main_loop.h"

#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "editors/event_editor.h"
#include "editors/item_editor.h"
#include "editors/monster_editor.h"
#include "editors/player_editor.h"
#include "editors/tournament_editor.h"
#include "editors/trainer_editor.h"
#include "nodes/node_screen.h"
#include "shell/game_options.h"
#include "shell/main_actions.h"
#include "shell/player_maintenance.h"
#include "shell/tab_menu.h"
#include "ui/prompts.h"

namespace shell {

namespace {

constexpr int16_t kMainExitItem = 6;

enum Tab { kMain = 1, kTournament, kGameOptions, kMisc, kEditors };

// Where each tab stands: the column of its box and of its title on row 1.
struct TabPlace {
  uint8_t BoxCol;
  uint8_t TitleCol;
  const char* Title;
};
constexpr TabPlace kTabs[] = {{2, 11, "Main"},
                              {10, 19, "Tournament"},
                              {20, 36, "Game Options"},
                              {41, 53, "Misc"},
                              {64, 67, "Editors"}};
constexpr int kTabCount = static_cast<int>(std::size(kTabs));

// One item of a tab: what it shows and what choosing it does. An empty
// text is the separator; the Exit item has no action.
struct TabRow {
  std::string Text;
  char Hotkey = 0;
  std::string Description;
  std::function<void()> Action;
};

const char* OnOff(bool on) {
  return on ? "On." : "Off.";
}
std::string NumberOrNoLimit(int32_t n) {
  return n == 0 ? "No limit" : std::to_string(n);
}

void ConfigureNodes(ui::Ui& ui, RunState& run) {
  nodes::NodeRun node_run{run.GameDir, run.ProgramDir, run.Nodes};
  nodes::NodeConfigure(ui, node_run);
}

std::vector<TabRow> MainRows(ui::Ui& ui, RunState& run) {
  return {
      {"~Configure Nodes", 'C', "Configure node information for Keld",
       [&] { ConfigureNodes(ui, run); }},
      {"Reset ~Everything", 'E', "Reset the entire game", [&] { ResetEverything(ui, run); }},
      {"~Score file paths", 'S', "*.TXT and *.ANS Score file paths",
       [&] { ScoreFilePaths(ui, run); }},
      {"~GSZ Path & Name", 'G', "Set your GSZ path or disable in game downloading of the RIP pack",
       [&] { DownloadProgramPath(ui, run); }},
      {},
      {"E~xit the program", 'X', "Exit KeldCfg", nullptr},
  };
}

std::vector<TabRow> TournamentRows(ui::Ui& ui, RunState& run) {
  editors::TournamentRecord& t = run.Tournament;
  return {
      {std::string("~Tournament Mode: ") + OnOff(t.Enabled), 'T', "Turn Tournament Mode Off or On",
       [&] { t.Enabled = !t.Enabled; }},
      {"~Set tournament's ending", 'S', "Set the stats needed for winning",
       [&] { editors::TournamentEditor(ui, t); }},
  };
}

std::vector<TabRow> GameOptionRows(ui::Ui& ui, RunState& run) {
  const SettingsRecord& s = run.Settings;
  // Every item opens the prompt for its own value.
  auto edit = [&ui, &run](int item) -> std::function<void()> {
    return [&ui, &run, item] { EditGameOption(ui, run, item); };
  };
  return {
      {"~Deletion Grace Period     : " + NumberOrNoLimit(s.GracePeriodDays), 'D',
       "Days until an inactive player gets deleted (0 = never)", edit(1)},
      {std::string("~Multinode Support         : ") + OnOff(s.Multinode), 'M',
       "Multinode support on or off? (check the docs for more info)", edit(2)},
      {"~Forest Fights per day     : " + std::to_string(s.ForestFights), 'F',
       "How many forest fights per day?", edit(3)},
      {"~Human fights per day      : " + std::to_string(s.HumanFights), 'H',
       "How many human fights per day?", edit(4)},
      {std::string("~Clean mode                : ") + OnOff(s.CleanMode != 0), 'C',
       "Clean mode off or on? Turn on to disable \"getting laid\"", edit(5)},
      {std::string("~Transfering gold is       : ") + OnOff(s.TransferAllowed), 'T',
       "Enable to allow players to transfer gold to one another", edit(6)},
      {"Max transfer ~amount       : " + std::to_string(s.MaxTransferGold), 'A',
       "Max amount of gold a player could transfer at a time", edit(7)},
      {"Max transfer ~per day      : " + NumberOrNoLimit(s.MaxTransfersPerDay), 'P',
       "Max times per day a player can transfer gold (0 = unlimited)", edit(8)},
      {std::string("~NPC chatter               : ") + OnOff(run.NpcChatter), 'N',
       "Enable or disable the NPC chatter in the inns", edit(9)},
      {"Deeds needed to ~win game  : " + NumberOrNoLimit(run.DeedsToWin), 'W',
       "How many times must a player kill the dragon to win? (0 = unlimited)", edit(10)},
      {"P~layer resurrection limit : " + NumberOrNoLimit(s.ResurrectionLimit), 'L',
       "How many times can a player be resurrected? (0 = unlimited)", edit(11)},
  };
}

std::vector<TabRow> MiscRows(ui::Ui& ui, RunState& run) {
  editors::ExtrasRecord& x = run.Extras;
  auto ask_yes_no = [&ui](const char* prompt, bool& answer) {
    answer = ui::ChooseTwo(ui, prompt, "Yes", "No ", 'Y', 'N', answer);
  };
  return {
      {"\"~On Now\" -> off", 'O', "Turn \"On Now\" off for all players",
       [&] { ClearOnNow(ui, run); }},
      {"~Marriage problems", 'M', "Fix marriage problems (this also unmarries Garn and Mirela)",
       [&] { FixMarriages(ui, run); }},
      {std::string("~Intro ansis are ") + OnOff(run.IntroAnsi), 'I', "Turn intro ANSIs on or off",
       [&] { run.IntroAnsi = !run.IntroAnsi; }},
      {"IGM ~access", 'A', "The access level for IGMs",
       [&] { ui::MessageBox(ui, "Please refer to the IGMSEC.INI file for more info!"); }},
      {"~Delete 1 xp players?", 'D', "When maintenance is ran, delete players with 1 experience?",
       [&, ask_yes_no] { ask_yes_no("Delete players with 1 XP at maint?", x.DeleteOneXpPlayers); }},
      {"~Throw the old guy off?", 'T',
       "When 2 players are on the same node, throw the old guy off?",
       [&, ask_yes_no] {
         ask_yes_no("If 2 players are on the same node, kick the old guy off?", x.KickOldPlayer);
       }},
      {std::string("~Fancy more prompts are ") + OnOff(run.FancyMore), 'F',
       "Use <more> prompts that erase themselves?", [&] { run.FancyMore = !run.FancyMore; }},
  };
}

std::vector<TabRow> EditorRows(ui::Ui& ui, RunState& run) {
  const std::string& dir = run.GameDir;
  return {
      {"~Players", 'P', "Player Editor", [&] { editors::PlayerEditor(ui, dir, run.Extras); }},
      {"~Monsters", 'M', "Monster Editor", [&] { editors::MonsterEditor(ui, dir); }},
      {"~Dragon", 'D', "Dragon Editor", [&] { editors::DragonEditor(ui, dir); }},
      {"~Trainers", 'T', "Trainer Editor", [&] { editors::TrainerEditor(ui, dir); }},
      {"~Weapons", 'W', "Weapon Editor", [&] { editors::WeaponEditor(ui, dir); }},
      {"~Armor", 'A', "Armor Editor", [&] { editors::ArmourEditor(ui, dir); }},
      {"~Events", 'E', "Random Event Editor",
       [&] { editors::EventList(ui, dir, run.ProgramFile); }},
  };
}

// The rows of a tab, built from the current state.
std::vector<TabRow> RowsOf(int tab, ui::Ui& ui, RunState& run) {
  switch (tab) {
    case kTournament:
      return TournamentRows(ui, run);
    case kGameOptions:
      return GameOptionRows(ui, run);
    case kMisc:
      return MiscRows(ui, run);
    case kEditors:
      return EditorRows(ui, run);
    default:
      return MainRows(ui, run);
  }
}

TabMenu MenuOf(int tab, const std::vector<TabRow>& rows) {
  const TabPlace& place = kTabs[tab - 1];
  TabMenu menu;
  menu.BoxCol = place.BoxCol;
  menu.TitleCol = place.TitleCol;
  menu.Title = place.Title;
  for (const TabRow& row : rows) {
    TabItem item;
    item.Separator = row.Text.empty();
    item.Text = row.Text;
    item.Hotkey = row.Hotkey;
    item.Description = row.Description;
    menu.Add(std::move(item));
  }
  return menu;
}

void DrawFrame(ui::Ui& ui) {
  door::Door& door = ui.door;
  door.DSetBack(0);
  door.DSetFore(15);
  door.DClrScr();
  ui.DrawRule(2);
  door.DSetFore(7);
  door.DSetBack(0);
  for (const TabPlace& place : kTabs) {
    door.DGotoRowCol(1, place.TitleCol);
    door.DWrite(place.Title);
  }
  door.DGotoRowCol(23, 1);
  door.LocalWrite(ui::Centre("Tale Of Keld, the fantasy door game  -  Configuration v4.07", 79));
}

}  // namespace

void RunMainLoop(ui::Ui& ui, RunState& run) {
  int current = kMain;
  ui.door.DClrScr();
  for (;;) {
    DrawFrame(ui);
    std::vector<TabRow> rows = RowsOf(current, ui, run);
    TabMenu menu = MenuOf(current, rows);
    int16_t r = RunTabMenu(ui, menu, run.HiBack, current, kMainExitItem);
    int16_t next = r;
    ui.MenuPos = -1;
    // Escape on any tab makes the Main tab current and answers its Exit
    // item, while `rows` still belong to the tab it was pressed on.
    bool leave = current == kMain && r == kMainExitItem;
    if (r == kTabLeft) {
      current = current == 1 ? kTabCount : current - 1;
      next = 1;
    } else if (r == kTabRight) {
      current = current == kTabCount ? 1 : current + 1;
      next = 1;
    } else if (!leave && r >= 1 && r <= static_cast<int>(rows.size())) {
      const TabRow& row = rows[static_cast<size_t>(r - 1)];
      if (row.Action) row.Action();
    }
    ui.MenuPos = next;
    if (leave) return;
  }
}

}  // namespace shell
