#include "shell/game_files.h"

#include <cctype>
#include <cstdlib>

#include "platform/file.h"
#include "platform/files.h"
#include "platform/program_end.h"
#include "platform/record_file.h"
#include "platform/whole_file.h"

namespace shell {

namespace {

constexpr size_t kMaxLine = 255;

struct FlagFile {
  const char* name;
  bool RunState::*switch_on;
  const char* text;
};

// In the order they are synchronised at exit.
const FlagFile kFlagFiles[] = {
    {"NOANSI.DAT", &RunState::IntroAnsi, "Delete this file to enable intro ansis, chum."},
    {"NOFMORE.DAT", &RunState::FancyMore, "Delete this file to enable fancy more prompts, chum."},
    {"NOCHAT.DAT", &RunState::NpcChatter, "Delete this file to enable NPC chatter, bud."},
};

// The first decimal number of a text, after blanks and line ends; false
// when the text does not start with one.
bool FirstNumber(const std::string& text, long& value) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  const char* start = text.c_str() + i;
  char* end = nullptr;
  value = std::strtol(start, &end, 10);
  return end != start;
}

}  // namespace

void LoadDownloadPath(RunState& run) {
  std::string path = run.GamePath("GSZINFO.DAT");
  if (!platform::FileExists(path)) {
    run.DownloadPath = kNoDownloadPath;
    return;
  }
  std::string content;
  int error = 0;
  if (!platform::ReadWholeFile(path, content, error))
    platform::EndWithIoError("reading", path, error);
  size_t end = content.find_first_of(std::string("\r\n") + platform::kEndOfFile);
  run.DownloadPath = content.substr(0, std::min(end, kMaxLine));
}

void LoadDeedsToWin(RunState& run) {
  std::string path = run.GamePath("WINGAME.DAT");
  std::string content;
  int error = 0;
  long value = 0;
  if (platform::FileExists(path) && platform::ReadWholeFile(path, content, error) &&
      FirstNumber(content, value))
    run.DeedsToWin = static_cast<uint16_t>(value);
  else
    run.DeedsToWin = kDefaultDeedsToWin;
}

void LoadSwitches(RunState& run) {
  for (const FlagFile& flag : kFlagFiles)
    run.*flag.switch_on = !platform::FileExists(run.GamePath(flag.name));
}

void LoadTournament(door::Door& door, RunState& run) {
  run.Tournament = editors::DefaultTournament();
  platform::RecordFile file(editors::kTournamentRecordSize);
  if (!file.OpenForReading(run.GamePath("KELDTOUR.DAT"))) return;
  if (!file.Read(0, run.Tournament.raw)) {
    door.DWriteLn("Error reading KELDTOUR.DAT! Halting!");
    door.Halt();
  }
  file.Close();
  platform::DecodeFields(run.Tournament);
}

void SaveTournament(const RunState& run) {
  editors::TournamentRecord record = run.Tournament;
  platform::EncodeFields(record);
  platform::WriteWholeFileOrEnd(run.GamePath("KELDTOUR.DAT"), record.raw);
}

void SyncFlagFiles(const RunState& run) {
  for (const FlagFile& flag : kFlagFiles) {
    std::string path = run.GamePath(flag.name);
    bool present = platform::FileExists(path);
    if (run.*flag.switch_on && present) platform::DeleteFile(path);
    // An existing flag file is left as it is: only its presence counts.
    if (!(run.*flag.switch_on) && !present) platform::WriteWholeFileOrEnd(path, flag.text);
  }
}

void SaveDownloadPath(const RunState& run) {
  std::string path = run.GamePath("GSZINFO.DAT");
  // "DISABLED!" leaves the file alone, so a path set earlier survives the
  // switch-off of in-game downloading.
  if (run.DownloadPath == kNoDownloadPath)
    platform::DeleteFile(path);
  else if (run.DownloadPath != kDownloadsDisabled)
    platform::WriteWholeFileOrEnd(path, run.DownloadPath + "\r\n");
}

void SaveDeedsToWin(const RunState& run) {
  std::string path = run.GamePath("WINGAME.DAT");
  if (run.DeedsToWin == kDefaultDeedsToWin)
    platform::DeleteFile(path);
  else
    platform::WriteWholeFileOrEnd(path, std::to_string(run.DeedsToWin) + "\r\n");
}

}  // namespace shell
