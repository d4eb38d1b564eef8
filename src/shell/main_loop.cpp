// The main loop: the five tabs, rebuilt from the run state at every pass
// so that values changed by an action show at once.
#include "shell/main_loop.h"

#include <array>

#include "editors/event_editor.h"
#include "editors/extras_file.h"
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

constexpr int kTabCount = 5;
constexpr int16_t kMainExitItem = 6;

enum Tab { kMain = 1, kTournament, kGameOptions, kMisc, kEditors };

const char* OnOff(bool on) {
  return on ? "On." : "Off.";
}
std::string NumberOrNoLimit(int32_t n) {
  return n == 0 ? "No limit" : std::to_string(n);
}

TabItem Item(std::string text, char hotkey, std::string description) {
  TabItem item;
  item.Text = std::move(text);
  item.Hotkey = hotkey;
  item.Description = std::move(description);
  return item;
}

TabMenu Tab(uint8_t box_col, uint8_t title_col, const char* title) {
  TabMenu tab;
  tab.BoxCol = box_col;
  tab.BoxRow = 1;
  tab.TitleCol = title_col;
  tab.TitleRow = 1;
  tab.Title = title;
  return tab;
}

TabMenu MainTab() {
  TabMenu tab = Tab(2, 11, "Main");
  tab.Add(Item("~Configure Nodes", 'C', "Configure node information for Keld"));
  tab.Add(Item("Reset ~Everything", 'E', "Reset the entire game"));
  tab.Add(Item("~Score file paths", 'S', "*.TXT and *.ANS Score file paths"));
  tab.Add(Item("~GSZ Path & Name", 'G',
               "Set your GSZ path or disable in game downloading of the RIP pack"));
  TabItem separator;
  separator.Separator = true;
  tab.Add(separator);
  tab.Add(Item("E~xit the program", 'X', "Exit KeldCfg"));
  return tab;
}

TabMenu TournamentTab(const RunState& run) {
  TabMenu tab = Tab(10, 19, "Tournament");
  tab.Add(Item(std::string("~Tournament Mode: ") + OnOff(run.Tournament.Enabled), 'T',
               "Turn Tournament Mode Off or On"));
  tab.Add(Item("~Set tournament's ending", 'S', "Set the stats needed for winning"));
  return tab;
}

TabMenu GameOptionsTab(const RunState& run) {
  const SettingsRecord& s = run.Settings;
  TabMenu tab = Tab(20, 36, "Game Options");
  tab.Add(Item("~Deletion Grace Period     : " + NumberOrNoLimit(s.GracePeriodDays), 'D',
               "Days until an inactive player gets deleted (0 = never)"));
  tab.Add(Item(std::string("~Multinode Support         : ") + OnOff(s.Multinode), 'M',
               "Multinode support on or off? (check the docs for more info)"));
  tab.Add(Item("~Forest Fights per day     : " + std::to_string(s.ForestFights), 'F',
               "How many forest fights per day?"));
  tab.Add(Item("~Human fights per day      : " + std::to_string(s.HumanFights), 'H',
               "How many human fights per day?"));
  tab.Add(Item(std::string("~Clean mode                : ") + OnOff(s.CleanMode != 0), 'C',
               "Clean mode off or on? Turn on to disable \"getting laid\""));
  tab.Add(Item(std::string("~Transfering gold is       : ") + OnOff(s.TransferAllowed), 'T',
               "Enable to allow players to transfer gold to one another"));
  tab.Add(Item("Max transfer ~amount       : " + std::to_string(s.MaxTransferGold), 'A',
               "Max amount of gold a player could transfer at a time"));
  tab.Add(Item("Max transfer ~per day      : " + NumberOrNoLimit(s.MaxTransfersPerDay), 'P',
               "Max times per day a player can transfer gold (0 = unlimited)"));
  tab.Add(Item(std::string("~NPC chatter               : ") + OnOff(run.NpcChatter), 'N',
               "Enable or disable the NPC chatter in the inns"));
  tab.Add(Item("Deeds needed to ~win game  : " + NumberOrNoLimit(run.DeedsToWin), 'W',
               "How many times must a player kill the dragon to win? (0 = unlimited)"));
  tab.Add(Item("P~layer resurrection limit : " + NumberOrNoLimit(s.ResurrectionLimit), 'L',
               "How many times can a player be resurrected? (0 = unlimited)"));
  return tab;
}

TabMenu MiscTab(const RunState& run) {
  TabMenu tab = Tab(41, 53, "Misc");
  tab.Add(Item("\"~On Now\" -> off", 'O', "Turn \"On Now\" off for all players"));
  tab.Add(Item("~Marriage problems", 'M',
               "Fix marriage problems (this also unmarries Garn and Mirela)"));
  tab.Add(Item(std::string("~Intro ansis are ") + OnOff(run.IntroAnsi), 'I',
               "Turn intro ANSIs on or off"));
  tab.Add(Item("IGM ~access", 'A', "The access level for IGMs"));
  tab.Add(Item("~Delete 1 xp players?", 'D',
               "When maintenance is ran, delete players with 1 experience?"));
  tab.Add(Item("~Throw the old guy off?", 'T',
               "When 2 players are on the same node, throw the old guy off?"));
  tab.Add(Item(std::string("~Fancy more prompts are ") + OnOff(run.FancyMore), 'F',
               "Use <more> prompts that erase themselves?"));
  return tab;
}

TabMenu EditorsTab() {
  TabMenu tab = Tab(64, 67, "Editors");
  tab.Add(Item("~Players", 'P', "Player Editor"));
  tab.Add(Item("~Monsters", 'M', "Monster Editor"));
  tab.Add(Item("~Dragon", 'D', "Dragon Editor"));
  tab.Add(Item("~Trainers", 'T', "Trainer Editor"));
  tab.Add(Item("~Weapons", 'W', "Weapon Editor"));
  tab.Add(Item("~Armor", 'A', "Armor Editor"));
  tab.Add(Item("~Events", 'E', "Random Event Editor"));
  return tab;
}

std::array<TabMenu, kTabCount> BuildTabs(const RunState& run) {
  return {MainTab(), TournamentTab(run), GameOptionsTab(run), MiscTab(run), EditorsTab()};
}

void DrawFrame(ui::Ui& ui) {
  door::Door& door = ui.door;
  door.DSetBack(0);
  door.DSetFore(15);
  door.DClrScr();
  ui.DrawRule(2);
  door.DSetFore(7);
  door.DSetBack(0);
  const std::pair<int, const char*> titles[] = {
      {11, "Main"}, {19, "Tournament"}, {36, "Game Options"}, {53, "Misc"}, {67, "Editors"}};
  for (const auto& [col, title] : titles) {
    door.DGotoRowCol(1, col);
    door.DWrite(title);
  }
  door.DGotoRowCol(23, 1);
  door.LocalWrite(ui::Centre("Tale Of Keld, the fantasy door game  -  Configuration v4.07", 79));
}

void MainAction(ui::Ui& ui, RunState& run, int item) {
  switch (item) {
    case 1:
      nodes::NodeConfigure(ui, run);
      break;
    case 2:
      ResetEverything(ui, run);
      break;
    case 3:
      ScoreFilePaths(ui, run);
      break;
    case 4:
      DownloadProgramPath(ui, run);
      break;
    default:
      break;
  }
}

void EditorsAction(ui::Ui& ui, RunState& run, int item) {
  (void)run;
  switch (item) {
    case 1:
      editors::PlayerEditor(ui, run);
      break;
    case 2:  // monsters
      editors::MonsterEditor(ui, run.GameDir);
      break;
    case 3:  // dragon
      editors::DragonEditor(ui, run.GameDir);
      break;
    case 4:  // trainers
      editors::TrainerEditor(ui, run.GameDir);
      break;
    case 5:  // weapons
      editors::WeaponEditor(ui, run.GameDir);
      break;
    case 6:  // armour
      editors::ArmourEditor(ui, run.GameDir);
      break;
    case 7:
      editors::EventList(ui, run);
      break;
    default:
      break;
  }
}

void TournamentAction(ui::Ui& ui, RunState& run, int item) {
  if (item == 1) run.Tournament.Enabled = !run.Tournament.Enabled;
  if (item == 2) editors::TournamentEditor(ui, run.Tournament);  // tournament's ending
}

void MiscAction(ui::Ui& ui, RunState& run, int item) {
  editors::ExtrasRecord& extras = run.Extras;
  switch (item) {
    case 1:
      ClearOnNow(ui, run);
      break;
    case 2:
      FixMarriages(ui, run);
      break;
    case 3:
      run.IntroAnsi = !run.IntroAnsi;
      break;
    case 4:
      ui::MessageBox(ui, "Please refer to the IGMSEC.INI file for more info!");
      break;
    case 5:
      extras.DeleteOneXpPlayers = ui::ChooseTwo(ui, "Delete players with 1 XP at maint?", "Yes",
                                                "No ", 'Y', 'N', extras.DeleteOneXpPlayers);
      break;
    case 6:
      extras.KickOldPlayer =
          ui::ChooseTwo(ui, "If 2 players are on the same node, kick the old guy off?", "Yes",
                        "No ", 'Y', 'N', extras.KickOldPlayer);
      break;
    case 7:
      run.FancyMore = !run.FancyMore;
      break;
    default:
      break;
  }
}

void Act(ui::Ui& ui, RunState& run, int tab, int item) {
  switch (tab) {
    case kMain:
      MainAction(ui, run, item);
      break;
    case kTournament:
      TournamentAction(ui, run, item);
      break;
    case kGameOptions:
      EditGameOption(ui, run, item);
      break;
    case kMisc:
      MiscAction(ui, run, item);
      break;
    case kEditors:
      EditorsAction(ui, run, item);
      break;
    default:
      break;
  }
}

}  // namespace

void RunMainLoop(ui::Ui& ui, RunState& run) {
  int current = kMain;
  ui.door.DClrScr();
  for (;;) {
    DrawFrame(ui);
    std::array<TabMenu, kTabCount> tabs = BuildTabs(run);
    int16_t r =
        RunTabMenu(ui, tabs[static_cast<size_t>(current - 1)], run.HiBack, current, kMainExitItem);
    int16_t next = r;
    ui.MenuPos = -1;
    if (r == kTabLeft) {
      current = current == 1 ? kTabCount : current - 1;
      next = 1;
    } else if (r == kTabRight) {
      current = current == kTabCount ? 1 : current + 1;
      next = 1;
    } else if (!(current == kMain && r == kMainExitItem)) {
      Act(ui, run, current, r);
    }
    ui.MenuPos = next;
    if (current == kMain && r == kMainExitItem) return;
  }
}

}  // namespace shell
