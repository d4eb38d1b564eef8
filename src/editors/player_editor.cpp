#include "editors/player_editor.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "editors/player_menu.h"
#include "editors/player_record.h"
#include "platform/files.h"
#include "platform/program_end.h"
#include "platform/record_file.h"
#include "ui/menus.h"
#include "ui/prompts.h"

namespace editors {

namespace {

// The list: 22 player slots in two columns of 11, then four commands.
constexpr int kSlots = 22;
constexpr int kColumnSlots = 11;
constexpr int kGoBack = 23, kExitToMain = 24, kGoForward = 25, kListMode = 26;
constexpr int kPageSize = 22;
constexpr int kLastPageStart = 110;

// The last item of each edit screen, which leaves it.
constexpr int16_t kMainReturn = 30;
constexpr int16_t kExtendedReturn = 17;

constexpr int kNumberMax = 32000;
constexpr int32_t kGoldMax = 2000000000;
constexpr int kTitleColour = 15;
constexpr int kBoxColour = 4;

const char* YesNo(bool yes) {
  return yes ? "Yes" : "No";
}

std::string Today(platform::Clock& clock) {
  platform::LocalDate d = clock.Today();
  char text[16];
  std::snprintf(text, sizeof text, "%02d/%02d/%04d", d.month, d.day, d.year);
  return text;
}

// One item of a player screen: where it stands, what it shows, what
// choosing it does (nothing for the item that leaves).
struct Entry {
  uint8_t col, row;
  std::string text;
  std::function<void()> action;
};

class Session {
 public:
  Session(ui::Ui& ui, const std::string& game_dir, ExtrasRecord& extras, bool& list_game_names)
      : ui_(ui),
        extras_(extras),
        list_game_names_(list_game_names),
        path_(platform::FindInDirectory(game_dir, "PLAYER.DAT")) {}

  bool Open() { return file_.OpenExisting(path_); }

  void RunList() {
    BuildList();
    page_start_ = 0;
    FillPage();
    ui_.MenuPos = 1;
    int16_t chosen = 0;
    do {
      ui_.door.DClrScr();
      ui_.CWrite(ui::Centre(ui_.HiCode + "** `%KELD 4.07 Player Editor " + ui_.HiCode + "** ", 79));
      ui_.DrawRule(2);
      ui_.DrawRule(24);
      chosen = ui::ListPicker(ui_, list_);
      ui_.MenuPos = -1;
      ListAction(chosen);
      ui_.MenuPos = chosen;
      if (chosen >= 1 && chosen <= kSlots) FillPage();
    } while (chosen != kExitToMain);
    if (!file_.Close()) platform::EndWithIoError("closing", path_, file_.error());
    ui_.door.DGotoRowCol(24, 1);
  }

 private:
  // The slots start hidden; filling a page shows those it reads.
  void BuildList() {
    list_ = ui::PickDef{};
    for (int item = 1; item <= kSlots; ++item) {
      bool left = item % 2 == 1;
      int row = 6 + (left ? item - 1 : item - 2) / 2;
      list_.Add("", static_cast<char>('A' + item - 1), left ? 1 : 45, row).Hidden = true;
    }
    list_.Add("Go back", '-', 15, 19);
    list_.Add("Exit to main", 'X', 31, 19);
    list_.Add("Go forward", '+', 51, 19);
    list_.Add("", 'Z', 31, 20);  // named by the list mode when a page is filled
    list_.ShowHotkeys = true;
    list_.EscapeItem = kExitToMain;
  }

  int64_t PlayerOfSlot(int item) const {
    if (item % 2 == 1) return page_start_ + (item - 1) / 2;
    return page_start_ + kColumnSlots + (item - 2) / 2;
  }

  bool ReadListed(int64_t n) {
    if (!file_.Read(n, record_.raw)) return false;
    platform::DecodeFields(record_);
    return true;
  }

  void FillPage() {
    for (int item = 1; item <= kSlots; ++item) list_.Item(item).Hidden = true;
    for (int column = 0; column < 2; ++column) {
      for (int line = 0; line < kColumnSlots; ++line) {
        int item = column == 0 ? 1 + 2 * line : 2 + 2 * line;
        if (!ReadListed(PlayerOfSlot(item))) break;  // past the end: so is the rest
        ui::PickItem& slot = list_.Item(item);
        slot.Text = list_game_names_ ? record_.GameName : record_.OwnName;
        if (record_.OwnName == kDeletedName) slot.Text = "Deleted";
        slot.Hidden = false;
      }
    }
    list_.Item(kListMode).Text = list_game_names_ ? "List by Name" : "List by Nick";
    if (ui_.MenuPos >= 1 && ui_.MenuPos <= list_.Count && list_.Item(ui_.MenuPos).Hidden)
      ui_.MenuPos = kExitToMain;
  }

  void ListAction(int16_t chosen) {
    if (chosen >= 1 && chosen <= kSlots) {
      EditPlayer(PlayerOfSlot(chosen));
    } else if (chosen == kGoBack) {
      if (page_start_ > 0) page_start_ = static_cast<uint8_t>(page_start_ - kPageSize), FillPage();
    } else if (chosen == kGoForward) {
      if (page_start_ < kLastPageStart)
        page_start_ = static_cast<uint8_t>(page_start_ + kPageSize), FillPage();
    } else if (chosen == kListMode) {
      list_game_names_ = !list_game_names_;
      FillPage();
    }
  }

  // --- the edit screens ---

  void EditPlayer(int64_t n) {
    editing_ = n;
    if (!file_.Read(n, record_.raw)) platform::EndWithIoError("reading", path_, file_.error());
    platform::DecodeFields(record_);
    std::string title = "Editing Player #" + std::to_string(n) + " - Main";
    int16_t chosen = 0;
    do {
      std::vector<Entry> entries = MainEntries();
      chosen = RunScreen(entries, title, 24);
      ui_.MenuPos = -1;
      Perform(entries, chosen);
      ui_.MenuPos = chosen;
    } while (chosen != kMainReturn);
    platform::EncodeFields(record_);
    if (!file_.Write(n, record_.raw)) platform::EndWithIoError("writing", path_, file_.error());
    extras_.LastEditDate = Today(ui_.door.clock());
  }

  void EditExtended(int64_t n) {
    std::string title = "Editing player #" + std::to_string(n) + " - Extended";
    int16_t chosen = 0;
    do {
      std::vector<Entry> entries = ExtendedEntries();
      chosen = RunScreen(entries, title, 15);
      Perform(entries, chosen);
    } while (chosen != kExtendedReturn);
  }

  int16_t RunScreen(const std::vector<Entry>& entries, const std::string& title, int lower_rule) {
    PlayerMenuDef menu;
    menu.Count = static_cast<int16_t>(entries.size());
    menu.ShowHotkeys = true;
    for (size_t i = 0; i < entries.size(); ++i) {
      ui::PickItem& item = menu.Items[i];
      item.Col = entries[i].col;
      item.Row = entries[i].row;
      item.Text = entries[i].text;
      item.Hotkey = i + 1 == entries.size() ? '!' : static_cast<char>('A' + i);
    }
    ui_.door.DClrScr();
    ui_.DrawRule(2);
    ui_.DrawRule(lower_rule);
    ui_.door.DSetFore(kTitleColour);
    ui_.door.DGotoRowCol(1, 1);
    ui_.CWrite(ui::Centre(title, 79));
    return PlayerMenu(ui_, menu);
  }

  static void Perform(const std::vector<Entry>& entries, int16_t chosen) {
    if (chosen < 1 || chosen > static_cast<int16_t>(entries.size())) return;
    const Entry& entry = entries[static_cast<size_t>(chosen - 1)];
    if (entry.action) entry.action();
  }

  template <typename T>
  Entry Number(uint8_t col, uint8_t row, const std::string& label, const char* title,
               T PlayerRecord::*field, int32_t min, int32_t max) {
    PlayerRecord& p = record_;
    return {col, row, label + std::to_string(p.*field), [this, &p, field, title, min, max] {
              p.*field = static_cast<T>(ui::NumberPrompt(ui_, title, p.*field, max, min));
            }};
  }

  // A yes/no field of the game where 5 means yes: 5 becomes 0, anything
  // else becomes 5.
  template <typename T>
  Entry Yes5(uint8_t col, uint8_t row, const std::string& label, T PlayerRecord::*field) {
    PlayerRecord& p = record_;
    return {col, row, label + YesNo(p.*field == kYes5),
            [&p, field] { p.*field = static_cast<T>(p.*field == kYes5 ? 0 : kYes5); }};
  }

  Entry Uses(uint8_t row, const char* title, int8_t PlayerRecord::*field) {
    return Number<int8_t>(42, row, ui_.LoCode + "       \xC0`7 Uses today : ", title, field, 0,
                          100);
  }

  std::string ClassText() const {
    switch (record_.Class) {
      case 1:
        return "Warrior";
      case 2:
        return "Mystic";
      case 3:
        return "Thief";
      default:
        return "Unknown";
    }
  }

  std::vector<Entry> MainEntries() {
    PlayerRecord& p = record_;
    using R = PlayerRecord;
    return {
        {5, 4, "Name : " + p.OwnName,
         [this, &p] { p.OwnName = ui::TextPrompt(ui_, "Player's Real Name", p.OwnName, 40); }},
        {5, 5, "Nick : " + p.GameName,
         [this, &p] {
           p.GameName = ui::TextPrompt(ui_, "Player's Game Name", p.GameName, 30).substr(0, 20);
         }},
        Number(5, 7, "Hit Points : ", "Current number of hit points", &R::HitPoints, 0, kNumberMax),
        Number(5, 8, "       of  : ", "Maximum hit points", &R::MaxHitPoints, 0, kNumberMax),
        Number(5, 9, "Defense    : ", "Defensive power ", &R::Defense, 0, kNumberMax),
        Number(5, 10, "Strength   : ", "Offensive power ", &R::Strength, 0, kNumberMax),
        Number(5, 11, "Forest fights today : ", "Forest fights left today", &R::ForestFights, 0,
               kNumberMax),
        Number(5, 12, "Player fights today : ", "Human fights left today ", &R::PlayerFights, 0,
               kNumberMax),
        Number(5, 13, "Gold in Hand : ", "Gold in hand ", &R::Gold, 0, kGoldMax),
        Number(5, 14, "Gold in bank : ", "Gold in bank ", &R::Bank, 0, kGoldMax),
        Number(5, 15, "Charm : ", "How pretty is this player?", &R::Charm, 0, kNumberMax),
        Number(5, 16, "Level : ", "Whats the level of this player?", &R::Level, 0, 12),
        Number(5, 17, "Gems  : ", "How many gems does this player have?", &R::Gems, 0, kNumberMax),
        Number(5, 18, "Experience   : ", "How experienced is this player?", &R::Experience, 0,
               kGoldMax),
        Yes5(5, 19, "Dead : ", &R::Dead),
        Yes5(5, 20, "Sleeping in Inn : ", &R::Sleeping),
        {5, 21, std::string("Male or Female  : ") + (p.Sex == kYes5 ? "Female" : "Male"),
         [&p] { p.Sex = p.Sex == kYes5 ? 0 : kYes5; }},
        Number(42, 7, "Death Knight Skills : ", "How many Death Knight Skill points? ",
               &R::DeathKnightPoints, 0, 100),
        Uses(8, "How many times can he use them today? ", &R::DeathKnightUses),
        Number(42, 9, "    Mystical Skills : ", "How many Mystical Skill points? ",
               &R::MysticalPoints, 0, 100),
        Uses(10, "How many times can he use them today? ", &R::MysticalUses),
        Number(42, 11, "    Theiving Skills : ", "How many Thieving Skill points? ",
               &R::ThievingPoints, 0, 100),
        Uses(12, "How many times can he use them today? ", &R::ThievingUses),
        {42, 14, "Class  : " + ClassText(),
         [&p] { p.Class = p.Class >= 3 ? 1 : static_cast<uint8_t>(p.Class + 1); }},
        {42, 16, "Weapon : " + p.WeaponName, [this] { PickWeapon(); }},
        {42, 17, "Armor  : " + p.ArmourName, [this] { PickArmour(); }},
        {42, 19, "New Day for Player",
         [this, &p] {
           p.DayStamp = 0;
           ui::MessageBox(ui_, "This player's day has been reset!");
         }},
        {42, 20, "Delete Player",
         [this, &p] {
           if (ui::ChooseTwo(ui_, "Delete this player?", "Yes", "No ", 'Y', 'N', true))
             p.GameName = p.OwnName = kDeletedName;
         }},
        {42, 21, "Extended Information", [this] { EditExtended(editing_); }},
        {26, 23, "Return to main", nullptr},
    };
  }

  std::vector<Entry> ExtendedEntries() {
    PlayerRecord& p = record_;
    using R = PlayerRecord;
    return {
        {5, 4, std::string("Horse : ") + YesNo(p.Horse == 1),
         [&p] { p.Horse = p.Horse == 1 ? 0 : 1; }},
        Yes5(5, 5, "Seen Master : ", &R::SeenMaster),
        Yes5(5, 6, "Flirt w/ Mirela/Garn : ", &R::Flirted),
        Yes5(5, 7, "Heard Bard Sing  : ", &R::HeardBard),
        Yes5(5, 8, "Seen Dragon : ", &R::SeenDragon),
        Number(5, 9, "# of player kills : ", "How many people has this player killed? ",
               &R::PlayerKills, 0, kNumberMax),
        Number(5, 10, "Trans. gold # times today : ",
               "How many times has this player been generous today? ", &R::TransfersToday, 0, 100),
        {5, 11, std::string("On now : ") + YesNo(p.OnNow), [&p] { p.OnNow = !p.OnNow; }},
        Number(43, 4, "How many kids : ", "How many kids does this player have?", &R::Kids, 0,
               kNumberMax),
        Number(43, 5, "Has won # times : ", "How many times has this player killed the dragon? ",
               &R::TimesWon, 0, kNumberMax),
        Yes5(43, 6, "Wierd event in forest : ", &R::WeirdEvent),
        Yes5(43, 7, "Flirted today : ", &R::FlirtedToday),
        Number(43, 8,
               "Married to : ", "The # of the person this player is married to (-1 = not married) ",
               &R::MarriedTo, -1, 150),
        Number(43, 9, "Lays : ", "How many times has this player been frisky? ", &R::Lays, 0,
               kNumberMax),
        Number(43, 10, "Days Missing : ", "How many days has this player been missing?",
               &R::DaysMissing, 0, kNumberMax),
        {43, 11, std::string("Carring Amulet of Accuracy: ") + YesNo((p.FlagBits & 1) != 0),
         [&p] { p.FlagBits = static_cast<int16_t>(p.FlagBits ^ 1); }},
        {26, 14, "Return to player main", nullptr},
    };
  }

  // --- the pick lists ---

  int16_t PickItem(int16_t current, const std::string& (*pick_name)(int)) {
    ui::MenuDef menu;
    menu.Count = kItemCount;
    menu.ShowHotkeys = true;
    for (int i = 1; i <= kItemCount; ++i) {
      menu.Item(i).Text = pick_name(i);
      menu.Item(i).Hotkey = static_cast<char>('A' + i - 1);
    }
    // A number the game never wrote must still land on a real item.
    ui_.MenuPos = std::clamp<int16_t>(current, 1, kItemCount);
    DrawPickBox();
    ui_.door.DGotoRowCol(5, 27);
    return ui::LightbarMenu(ui_, menu);
  }

  void DrawPickBox() {
    const std::string rule(24, '\xCD');
    ui_.door.DSetFore(kBoxColour);
    ui_.door.DGotoRowCol(4, 25);
    ui_.CWrite("\xC9" + rule + "\xBB");
    for (int row = 5; row <= 19; ++row) {
      ui_.door.DGotoRowCol(row, 25);
      ui_.CWrite("\xBA" + std::string(24, ' ') + "\xBA");
    }
    ui_.door.DGotoRowCol(20, 25);
    ui_.CWrite("\xC8" + rule + "\xBC");
  }

  void PickWeapon() {
    PlayerRecord& p = record_;
    p.Weapon = PickItem(p.Weapon, WeaponPickName);
    if (p.Weapon >= 1 && p.Weapon <= kItemCount) p.WeaponName = WeaponName(p.Weapon);
  }

  void PickArmour() {
    PlayerRecord& p = record_;
    p.Armour = PickItem(p.Armour, ArmourPickName);
    if (p.Armour >= 1 && p.Armour <= kItemCount) p.ArmourName = ArmourName(p.Armour);
  }

  ui::Ui& ui_;
  ExtrasRecord& extras_;
  bool& list_game_names_;
  const std::string path_;
  platform::RecordFile file_{kPlayerRecordSize};
  PlayerRecord record_;
  uint8_t page_start_ = 0;
  int64_t editing_ = 0;
  ui::PickDef list_;
};

}  // namespace

void PlayerEditor(ui::Ui& ui, const std::string& game_dir, ExtrasRecord& extras,
                  bool& list_game_names) {
  Session session(ui, game_dir, extras, list_game_names);
  if (!session.Open()) {
    ui::MessageBox(ui, "PLAYER.DAT not found! Are you sure you're in your Keld directory?");
    return;
  }
  session.RunList();
}

void PlayerEditor(ui::Ui& ui, const std::string& game_dir, ExtrasRecord& extras) {
  static bool list_game_names = false;
  PlayerEditor(ui, game_dir, extras, list_game_names);
}

}  // namespace editors
