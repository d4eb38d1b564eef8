// Makes a demo game directory: invented sample data written through the
// program's own record codecs, so a new operator has something to try.
#include <cstdio>
#include <string>

#include "editors/extras_record.h"
#include "editors/tournament_record.h"
#include "platform/files.h"
#include "platform/record_file.h"
#include "shell/settings_record.h"

namespace {

template <typename Record>
bool WriteRecord(const std::string& path, Record& record) {
  platform::EncodeFields(record);
  platform::RecordFile file(record.raw.size());
  bool ok = file.Create(path) && file.Write(0, record.raw) && file.Close();
  if (!ok) std::fprintf(stderr, "keld-demo-data: cannot write %s\n", path.c_str());
  return ok;
}

bool WriteSettings(const std::string& dir) {
  shell::SettingsRecord settings = shell::DefaultSettings();
  settings.ForestFights = 20;
  settings.GracePeriodDays = 30;
  settings.MaxTransferGold = 250000;
  return WriteRecord(dir + "KELD.DAT", settings);
}

bool WriteTournament(const std::string& dir) {
  editors::TournamentRecord tournament = editors::DefaultTournament();
  tournament.DragonKillsNeeded = 2;
  tournament.LevelNeeded = 10;
  return WriteRecord(dir + "KELDTOUR.DAT", tournament);
}

bool WriteExtras(const std::string& dir) {
  editors::ExtrasRecord extras;
  extras.LastEditDate = "11/28/2026";
  extras.DeleteOneXpPlayers = true;
  return WriteRecord(dir + "PLAYEXT.DAT", extras);
}

}  // namespace

// Monsters, dragon, trainers, weapons and armour (demo_monsters.cpp).
bool WriteMonsters(const std::string& dir);
// A dozen invented players (demo_players.cpp).
bool WritePlayers(const std::string& dir);
// A few invented events and an add-on script (demo_events.cpp).
bool WriteDemoEvents(const std::string& dir);

int main(int argc, char** argv) {
  if (argc != 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: keld-demo-data DIRECTORY\n");
    return 2;
  }
  std::string dir = platform::WithTrailingSeparator(argv[1]);
  if (!platform::IsDirectory(dir) && !platform::MakeDirectory(dir)) {
    std::fprintf(stderr, "keld-demo-data: cannot make %s\n", dir.c_str());
    return 1;
  }
  bool ok = WriteSettings(dir) && WriteTournament(dir) && WriteExtras(dir) && WriteMonsters(dir) &&
            WritePlayers(dir) && WriteDemoEvents(dir);
  return ok ? 0 : 1;
}
