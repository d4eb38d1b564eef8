#include "door/drop_files.h"

#include <algorithm>
#include <limits>

#include "platform/cp437.h"
#include "platform/files.h"
#include "platform/letter_case.h"

namespace door {

namespace {

constexpr size_t kDoor32Lines = 11;
constexpr size_t kDoorSysLines = 52;
constexpr size_t kDorInfoLines = 13;
constexpr size_t kInfoLines = 14;
constexpr uint8_t kSerial = 1;
constexpr uint8_t kTelnet = 2;
constexpr uint8_t kHostLibrary = 3;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Minutes in the file, seconds in the state. A 32-bit product keeps its
// low bits, as the game's own arithmetic does, rather than overflowing.
int32_t MinutesToSeconds(int32_t minutes) {
  return static_cast<int32_t>(int64_t{minutes} * 60);
}

// The BBS counts user records from 1, the door from 0.
int32_t FromOne(int32_t number) {
  return static_cast<int32_t>(int64_t{number} - 1);
}

std::string_view After(std::string_view text, size_t skip) {
  return text.size() > skip ? text.substr(skip) : std::string_view();
}

// A serial port number; port 0 means the caller sits at the local console.
void SetPort(DoorState& state, int32_t port) {
  state.CommHandle = port;
  if (port > 0) state.CommType = kSerial;
}

std::string JoinName(const std::string& first, const std::string& last) {
  return last.empty() ? first : first + " " + last;
}

std::string Separators() {
  return std::string("/") + platform::PathSeparator();
}

}  // namespace

DropFileKind DropFileKindOf(std::string_view path) {
  std::string upper = platform::UpperCase(path);
  auto has = [&](const char* name) { return upper.find(name) != std::string::npos; };
  if (has("DOOR32.SYS")) return DropFileKind::kDoor32Sys;
  if (has("DOOR.SYS")) return DropFileKind::kDoorSys;
  if (has("DORINFO")) return DropFileKind::kDorInfo;
  if (has("INFO.")) return DropFileKind::kInfo;
  return DropFileKind::kNone;
}

// The BBS may spell the name differently from the file it wrote ("door.sys"
// for DOOR.SYS), and on a file system that minds letter case only the
// disk's spelling opens. A file that is there but may not be read counts
// as found: its reader then sets nothing.
std::string FindDropFile(const std::string& path) {
  if (path.empty() || platform::FilePresent(path)) return path;
  size_t cut = path.find_last_of(Separators());
  std::string dir = cut == std::string::npos ? "" : path.substr(0, cut + 1);
  std::string name = path.substr(dir.size());
  if (name.empty()) return {};
  std::string found = platform::FindInDirectory(dir, name);
  if (platform::FilePresent(found)) return found;
  if (dir.empty()) return {};
  std::string canonical = platform::CanonicalDirectory(dir);
  if (canonical.empty()) return {};
  found = platform::FindInDirectory(canonical, name);
  return platform::FilePresent(found) ? found : std::string();
}

std::vector<std::string> DropFileLines(std::string_view text, size_t count) {
  std::vector<std::string> lines(count);
  for (size_t i = 0; i < count && !text.empty(); ++i) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines[i] = platform::Utf8TextToCp437(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

int32_t NumberOr(std::string_view text, int32_t fallback) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) text.remove_prefix(1);
  if (text.empty()) return fallback;
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return fallback;
    value = value * 10 + (c - '0');
    if (value > int64_t{std::numeric_limits<int32_t>::max()} + 1) return fallback;
  }
  value = negative ? -value : value;
  if (value > std::numeric_limits<int32_t>::max()) return fallback;
  return static_cast<int32_t>(value);
}

void ReadDoor32Sys(std::string_view text, DoorState& state) {
  std::vector<std::string> line = DropFileLines(text, kDoor32Lines);
  state.CommType = static_cast<uint8_t>(NumberOr(line[0], 0));
  state.CommHandle = NumberOr(line[1], -1);
  state.UserRecord = FromOne(NumberOr(line[4], 1));
  state.UserName = line[5];
  state.UserAlias = line[6];
  state.SecurityLevel = NumberOr(line[7], 0);
  state.SecondsAllowed = MinutesToSeconds(NumberOr(line[8], 0));
  state.Ansi = NumberOr(line[9], 1) != 0;
  state.NodeNum = NumberOr(line[10], 0);
}

// Line 1 is "COM" + port + ":"; only the digits between count.
void ReadDoorSys(std::string_view text, DoorState& state) {
  std::vector<std::string> line = DropFileLines(text, kDoorSysLines);
  std::string_view port = After(line[0], 3);
  if (!port.empty()) port.remove_suffix(1);
  SetPort(state, NumberOr(port, 0));
  state.NodeNum = NumberOr(line[3], 0);
  state.UserName = line[9];
  state.SecurityLevel = NumberOr(line[14], 0);
  state.SecondsAllowed = NumberOr(line[17], 0);
  state.Ansi = platform::UpperCase(line[19]) == "GR";
  state.UserRecord = FromOne(NumberOr(line[25], 1));
  state.UserAlias = line[35];
}

void ReadDorInfo(std::string_view text, DoorState& state) {
  std::vector<std::string> line = DropFileLines(text, kDorInfoLines);
  SetPort(state, NumberOr(After(line[3], 3), 0));
  state.UserAlias = line[6];
  state.UserName = JoinName(line[6], line[7]);
  state.Ansi = NumberOr(line[9], 1) == 1;
  state.SecurityLevel = NumberOr(line[10], 0);
  state.SecondsAllowed = MinutesToSeconds(NumberOr(line[11], 0));
}

void ReadInfo(std::string_view text, DoorState& state) {
  std::vector<std::string> line = DropFileLines(text, kInfoLines);
  state.UserRecord = NumberOr(line[0], 0);
  state.Ansi = NumberOr(line[1], 3) == 3;
  state.FairyFlag = platform::UpperCase(line[3]) == "FAIRY YES";
  state.SecondsAllowed = MinutesToSeconds(NumberOr(line[4], 0));
  state.UserAlias = line[5];
  state.UserName = JoinName(line[6], line[7]);
  SetPort(state, NumberOr(line[8], 0));
  std::string kind = platform::UpperCase(line[11]);
  if (kind == "TELNET") state.CommType = kTelnet;
  if (kind == "WC5") state.CommType = kHostLibrary;
  if (kind == "LOCAL") state.CommType = 0;
  state.CleanMode = platform::UpperCase(line[13]) == "CLEAN MODE ON";
}

void ReadDropFile(DropFileKind kind, std::string_view text, DoorState& state) {
  switch (kind) {
    case DropFileKind::kDoor32Sys:
      return ReadDoor32Sys(text, state);
    case DropFileKind::kDoorSys:
      return ReadDoorSys(text, state);
    case DropFileKind::kDorInfo:
      return ReadDorInfo(text, state);
    case DropFileKind::kInfo:
      return ReadInfo(text, state);
    case DropFileKind::kNone:
      return;
  }
}

bool GivesPortNumber(DropFileKind kind) {
  return kind == DropFileKind::kDoorSys || kind == DropFileKind::kDorInfo;
}

}  // namespace door
