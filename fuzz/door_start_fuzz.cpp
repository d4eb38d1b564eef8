// Arbitrary bytes as a command line or as one of the four drop files, and
// the status bar drawn from whatever state a drop file left. Whatever
// arrives: the switches follow their rules, a drop file's comm type agrees
// with its port, either line end reads the same, and the bar keeps its
// frame, shows no control characters and touches nothing above row 25.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "door/door.h"
#include "door/door_start.h"
#include "door/drop_files.h"
#include "door/status_bar.h"
#include "platform/screen.h"
#include "platform/virtual_console.h"

namespace {

constexpr int kBarRow = platform::kScreenRows;
constexpr int32_t kDaySeconds = 86'400;

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "door_start_fuzz: %s\n", what);
  std::abort();
}

std::vector<std::string> SplitArgs(std::string_view text) {
  std::vector<std::string> args;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && text[i] != '\0') continue;
    args.emplace_back(text.substr(start, i - start));
    start = i + 1;
  }
  return args;
}

char Letter(const std::string& arg) {
  std::string upper = arg;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (upper == "/DEBUG" || arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) return 0;
  return upper[1];
}

void FuzzSwitches(std::string_view text) {
  std::vector<std::string> args = SplitArgs(text);
  door::DoorHooks hooks;
  size_t extra = 0;
  hooks.OnExtraParam = [&](const std::string&, char letter) {
    Require(std::string_view("DHLNTW").find(letter) == std::string_view::npos,
            "a known switch went to OnExtraParam");
    ++extra;
  };
  door::Switches sw = door::ParseSwitches(args, hooks);
  bool local = false;
  size_t unknown = 0;
  for (const std::string& arg : args) {
    char letter = Letter(arg);
    if (letter == 'L') local = true;
    if (letter != 0 && std::string_view("DHLNTW").find(letter) == std::string_view::npos) ++unknown;
  }
  Require(sw.local == local, "local switch");
  Require(extra == unknown, "every unknown switch reaches OnExtraParam once");
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

std::string Fields(const door::DoorState& s) {
  return std::to_string(s.CommType) + "|" + std::to_string(s.CommHandle) + "|" +
         std::to_string(s.UserRecord) + "|" + s.UserName + "|" + s.UserAlias + "|" +
         std::to_string(s.SecurityLevel) + "|" + std::to_string(s.SecondsAllowed) + "|" +
         std::to_string(s.Ansi) + "|" + std::to_string(s.NodeNum) + "|" +
         std::to_string(s.FairyFlag) + "|" + std::to_string(s.CleanMode);
}

void CheckComm(door::DropFileKind kind, const door::DoorState& s) {
  if (door::GivesPortNumber(kind)) {
    Require(s.CommType == (s.CommHandle > 0 ? 1 : 0), "port number and comm type disagree");
  } else if (kind == door::DropFileKind::kInfo) {
    Require(s.CommType <= 3, "INFO comm type out of range");
  }
}

void MarkScreen(platform::Screen& screen) {
  for (int row = 1; row < kBarRow; ++row)
    for (int col = 1; col <= platform::kScreenCols; ++col)
      screen.Put(col, row, platform::Cell{static_cast<uint8_t>('a' + (col + row) % 26), 0x4E});
  screen.GotoXY(7, 9);
}

void CheckBar(const platform::Screen& screen) {
  for (int row = 1; row < kBarRow; ++row)
    for (int col = 1; col <= platform::kScreenCols; ++col)
      Require(
          screen.At(col, row) == platform::Cell{static_cast<uint8_t>('a' + (col + row) % 26), 0x4E},
          "the status bar wrote above its row");
  Require(screen.WhereX() == 7 && screen.WhereY() == 9, "the status bar moved the cursor");
  for (int col : {1, 29, 49, 63, 80})
    Require(screen.At(col, kBarRow) == platform::Cell{0xFE, 0x1E}, "frame mark missing");
  for (int col = 1; col <= platform::kScreenCols; ++col) {
    uint8_t ch = screen.At(col, kBarRow).ch;
    Require(ch >= 0x20 && ch != 0x7F, "a control character on the status bar");
  }
}

// The state a drop file left, shown at some time of day.
void DrawBar(const door::DoorState& state, uint32_t when) {
  platform::VirtualClock clock;
  platform::VirtualConsole console(&clock);
  door::Door door(console, clock);
  door.state = state;
  door.state.StartTime = static_cast<int32_t>(when % kDaySeconds);
  door.state.LastKeyTime = static_cast<int32_t>((when / kDaySeconds) % kDaySeconds);
  clock.SetMillis(static_cast<int32_t>((when >> 7) % (kDaySeconds * 1000)));
  door.StatusName = "Tolldoor";
  MarkScreen(console.screen());
  door::DrawStatusBar(door);
  CheckBar(console.screen());
  Require(door::FormatHMS(door::SecondsLeft(door)).size() == 8, "FormatHMS width");
  Require(door::FormatMS(door::IdleSeconds(door)).size() == 5, "FormatMS width");
}

void FuzzDropFile(door::DropFileKind kind, std::string_view text, uint32_t when) {
  door::DoorState state;
  door::ReadDropFile(kind, text, state);
  CheckComm(kind, state);
  if (text.find('\r') == std::string_view::npos) {
    door::DoorState crlf;
    door::ReadDropFile(kind, WithCrLf(text), crlf);
    Require(Fields(crlf) == Fields(state), "CR LF and LF read differently");
  }
  DrawBar(state, when);
}

}  // namespace

// Input: a selector byte (command line or one of the four layouts), four
// bytes of time, then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 5) return 0;
  uint32_t when = data[1] | data[2] << 8 | data[3] << 16 | uint32_t{data[4]} << 24;
  std::string_view text(reinterpret_cast<const char*>(data + 5), size - 5);
  static constexpr door::DropFileKind kKinds[] = {
      door::DropFileKind::kDoor32Sys, door::DropFileKind::kDoorSys, door::DropFileKind::kDorInfo,
      door::DropFileKind::kInfo};
  int choice = data[0] % 5;
  if (choice == 4)
    FuzzSwitches(text);
  else
    FuzzDropFile(kKinds[choice], text, when);
  return 0;
}
