#include "door/door_start.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "door/drop_files.h"
#include "door/status_bar.h"
#include "platform/file.h"
#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/library.h"
#include "platform/program_end.h"
#include "platform/record_bytes.h"

namespace door {

namespace {

constexpr int kLocalSeconds = 3600;
constexpr int kFailurePauseMs = 1500;
constexpr uint8_t kSerial = 1;
constexpr uint8_t kTelnet = 2;
constexpr uint8_t kHostLibrary = 3;

// Where the WINServer user record keeps what the door takes from it.
constexpr size_t kWsNameOffset = 8;
constexpr size_t kWsNameMax = 71;
constexpr size_t kWsAliasMax = 72;
constexpr size_t kWsAnsiOffset = 0x2BC;
constexpr size_t kWsMinutesOffset = 0x340;

using LoggedInProc = int32_t(KELD_HOST_CALL*)(uint8_t* record);
using GetNodeProc = int32_t(KELD_HOST_CALL*)();

std::string BaseName(const std::string& path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

[[noreturn]] void FailStart(Door& door, std::string_view message) {
  door.screen().ClrScr();
  door.LocalWrite("\r\n");
  door.LocalWrite(message);
  door.LocalWrite("\r\n");
  // Without a terminal the screen shows nothing to anybody.
  if (!door.console().HasKeyboard())
    platform::ReportEnd(message.substr(message.find_first_not_of(' ')));
  door.Delay(kFailurePauseMs);
  door.Halt();
}

// The logged-in WINServer user. The library is the host's and exists only
// where the host runs; without it there is nobody to serve.
bool ProbeWinServer(DoorState& state, const std::string& library_dir) {
  platform::Library library;
  if (!library.LoadHost(library_dir, "WCSRV")) return false;
  auto logged_in = reinterpret_cast<LoggedInProc>(library.Find("WildcatLoggedIn"));
  auto get_node = reinterpret_cast<GetNodeProc>(library.Find("GetNode"));
  if (logged_in == nullptr || get_node == nullptr) return false;
  std::vector<uint8_t> record(kWinServerRecordSize, 0);
  if (logged_in(record.data()) != 1) return false;
  ReadWinServerUser(record, get_node(), state);
  return true;
}

// A serial line or telnet with the handle 0 or -1 has the caller on the
// program's standard input and output. (The host library owns its
// connection, whatever the handle.)
bool CallerOnStandardStreams(const DoorState& st) {
  bool on_a_stream = st.CommType == kSerial || st.CommType == kTelnet;
  return on_a_stream && (st.CommHandle == 0 || st.CommHandle == -1);
}

// A port number from DOOR.SYS or DORINFOx.DEF is no open handle: handed to
// CommOpenHandle it would be taken for one (on POSIX, for a file
// descriptor the program never opened), so the port is opened by number.
bool OpenTransport(Door& door, bool handle_is_port) {
  DoorState& st = door.state;
  if (CallerOnStandardStreams(st) && !handle_is_port)
    door.comm.CommSelectStandardStreams(st.CommType);
  else if (st.CommHandle == 0 || st.CommType == 0)
    return true;  // local, or no handle for another comm type: nothing to open
  else
    door.comm.CommSelect(st.CommType);
  if (handle_is_port)
    door.comm.CommOpenPort(st.CommHandle);
  else
    door.comm.CommOpenHandle(st.CommHandle);
  bool ok = door.comm.CommCarrier();
  if (st.CommType == kHostLibrary && !ProbeWinServer(st, door.comm.LibraryDirectory())) ok = false;
  return ok;
}

// What is left to do once the switches or the drop file have filled the
// state.
enum class Next { kOpen, kLocalLogin, kUsage, kNoDropFile };

struct Choice {
  Next next = Next::kOpen;
  bool handle_is_port = false;  // CommHandle holds a serial port number
};

// A file that cannot be read sets nothing.
Choice ReadDropFileAt(const std::string& path, DoorState& st) {
  DropFileKind kind = DropFileKindOf(path);
  std::string found = kind == DropFileKind::kNone ? std::string() : FindDropFile(path);
  if (found.empty()) return {Next::kNoDropFile};
  std::string text;
  int error = 0;
  if (!platform::ReadWholeFile(found, text, error)) return {};
  ReadDropFile(kind, text, st);
  return {Next::kOpen, GivesPortNumber(kind)};
}

void InstallStartHooks(Door& door, const CommandLine& command_line) {
  if (!door.hooks.OnLocalLogin) door.hooks.OnLocalLogin = [&door] { DefaultLocalLogin(door); };
  std::string program_name = BaseName(command_line.program);
  if (!door.hooks.OnUsage)
    door.hooks.OnUsage = [&door, program_name] { DefaultUsage(door, program_name); };
  InstallStatusHooks(door);
}

// The first that applies: local use, the WINServer host, a handle on a
// node, a drop file, the usage screen. Only fills the state: no hook runs.
Choice Choose(const Switches& sw, DoorState& st) {
  if (sw.local) {
    st.CommHandle = 0;
    st.CommType = 0;
    st.SecondsAllowed = kLocalSeconds;
    st.NodeNum = sw.node;
    return {Next::kLocalLogin};
  }
  if (sw.winserver) {
    st.CommHandle = 1;
    st.CommType = kHostLibrary;
    return {};
  }
  if (sw.handle >= 0 && sw.node > 0) {
    st.CommHandle = sw.handle;
    st.NodeNum = sw.node;
    st.CommType = sw.telnet ? kTelnet : kSerial;
    // The command line carries no time; the caller gets what a local
    // session gets rather than being sent back at the first check.
    st.SecondsAllowed = kLocalSeconds;
    return {};
  }
  if (!sw.drop_file.empty()) return ReadDropFileAt(sw.drop_file, st);
  return {Next::kUsage};
}

// Returns whether CommHandle holds a serial port number.
bool Decide(Door& door, const Switches& sw) {
  Choice choice = Choose(sw, door.state);
  if (choice.next == Next::kLocalLogin && door.hooks.OnLocalLogin) door.hooks.OnLocalLogin();
  if (choice.next == Next::kUsage && door.hooks.OnUsage) door.hooks.OnUsage();
  if (choice.next == Next::kNoDropFile) FailStart(door, "  Drop File Not Found");
  return choice.handle_is_port;
}

void FinishStart(Door& door) {
  DoorState& st = door.state;
  st.LastKeyTime = door.clock().SecondsSinceMidnight();
  st.TimerActive = true;
  // Half a second early, so the first check comes soon after the start.
  st.LastTick = door.clock().MillisSinceMidnight() - 500;
  st.StartTime = door.clock().SecondsSinceMidnight();
  door.DClrScr();
  door.screen().SetWindow(1, 1, 80, 24);
}

}  // namespace

Switches ParseSwitches(const std::vector<std::string>& args, const DoorHooks& hooks) {
  Switches sw;
  for (const std::string& arg : args) {
    if (platform::UpperCase(arg) == "/DEBUG") continue;
    if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) continue;
    char letter = platform::UpperCase(arg[1]);
    std::string rest = arg.substr(2);
    switch (letter) {
      case 'D':
        sw.drop_file = rest;
        break;
      case 'H':
        sw.handle = NumberOr(rest, -1);
        break;
      case 'L':
        sw.local = true;
        break;
      case 'N':
        sw.node = NumberOr(rest, 0);
        break;
      case 'T':
        sw.telnet = true;
        break;
      case 'W':
        sw.winserver = true;
        break;
      default:
        if (hooks.OnExtraParam) hooks.OnExtraParam(rest, letter);
    }
  }
  return sw;
}

void ReadWinServerUser(std::span<const uint8_t> record, int32_t node, DoorState& state) {
  if (record.size() < kWsMinutesOffset + sizeof(int32_t)) return;
  auto name_bytes = record.subspan(kWsNameOffset, kWsNameMax);
  auto end = std::find(name_bytes.begin(), name_bytes.end(), uint8_t{0});
  std::string name(name_bytes.begin(), end);
  state.UserName = name;
  std::string considered = name.substr(0, std::min(name.size(), kWsAliasMax));
  state.UserAlias = considered.substr(0, considered.find(' '));
  int32_t minutes = platform::GetLE<int32_t>(record, kWsMinutesOffset);
  state.SecondsAllowed = static_cast<int32_t>(int64_t{minutes} * 60);
  state.Ansi = platform::GetLE<int32_t>(record, kWsAnsiOffset) == 0;
  state.NodeNum = node;
}

void DefaultLocalLogin(Door& door) {
  door.screen().ClrScr();
  door.LocalWrite("\r\n  LOCAL LOGIN\r\n  Enter your name : ");
  std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ ";
  std::string name = door.DInputLine("SYSOP", letters, 0, 40, 40, 0x1F);
  door.state.UserName = name;
  door.state.UserAlias = name;
}

void DefaultUsage(Door& door, const std::string& program_name) {
  const std::string& p = program_name;
  const std::string lines[] = {
      "",
      " USAGE:",
      "",
      " " + p + " <PARAMETERS>",
      "",
      "  -D         PATH\\FILENAME OF DROPFILE",
      "  -H         COM PORT (OR SOCKET HANDLE IF -T USED)",
      "  -L         LOCAL MODE",
      "  -N         NODE NUMBER",
      "  -T         -H PARAMETER IS A SOCKET HANDLE",
      "  -W         WINSERVER DOOR32 MODE",
      "",
      " Examples:",
      "",
      " " + p + " -L",
      "  -  Run In Local Mode",
      " " + p + " -H1000 -N3 -T",
      "  -  Open Socket Handle 1000 On Node #3",
      " " + p + " -DC:\\GAMESRV\\NODE1\\DOOR32.SYS",
      "  -  Load Settings From DOOR32.SYS",
      " " + p + " -W",
      "     Run As A WINServer Native Door",
  };
  door.screen().ClrScr();
  for (size_t i = 0; i < std::size(lines); ++i) {
    door.LocalWrite(lines[i]);
    if (i + 1 < std::size(lines)) door.LocalWrite("\r\n");
  }
  door.Halt();
}

platform::TerminalUse TerminalUseOf(const CommandLine& command_line) {
  DoorState st;
  Choice choice = Choose(ParseSwitches(command_line.args, DoorHooks{}), st);
  // A missing drop file is told on a terminal if there is one.
  if (choice.next == Next::kNoDropFile) return platform::TerminalUse::kIfPresent;
  if (choice.next != Next::kOpen || st.CommType == 0) return platform::TerminalUse::kRequired;
  if (CallerOnStandardStreams(st)) return platform::TerminalUse::kNone;
  return platform::TerminalUse::kIfPresent;
}

void DoorStart(Door& door, const CommandLine& command_line) {
  door.comm.SetLibraryDirectory(platform::DirectoryOf(command_line.program));
  InstallStartHooks(door, command_line);
  Switches sw = ParseSwitches(command_line.args, door.hooks);
  bool handle_is_port = Decide(door, sw);
  if (door.state.CommType != 0 && !OpenTransport(door, handle_is_port))
    FailStart(door, "  No Carrier Detected");
  FinishStart(door);
  door.StatusName = "Tolldoor";
  if (door.state.CommHandle == -1) door.state.SecondsAllowed = kLocalSeconds;
}

}  // namespace door
