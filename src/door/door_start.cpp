#include "door/door_start.h"

#include <cctype>
#include <cstdlib>

namespace door {

namespace {

constexpr int kLocalSeconds = 3600;
constexpr int kFailurePauseMs = 1500;

struct Switches {
  std::string drop_file;
  int32_t handle = -1;
  int32_t node = 0;
  bool local = false;
  bool telnet = false;
  bool winserver = false;
};

std::string Upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

int32_t NumberOr(const std::string& text, int32_t fallback) {
  if (text.empty()) return fallback;
  char* end = nullptr;
  long value = std::strtol(text.c_str(), &end, 10);
  return *end == '\0' ? static_cast<int32_t>(value) : fallback;
}

Switches ParseSwitches(Door& door, const std::vector<std::string>& args) {
  Switches sw;
  for (const std::string& arg : args) {
    if (Upper(arg) == "/DEBUG") continue;
    if (arg.size() < 2 || (arg[0] != '-' && arg[0] != '/')) continue;
    char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(arg[1])));
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
        if (door.hooks.OnExtraParam) door.hooks.OnExtraParam(rest, letter);
    }
  }
  return sw;
}

std::string BaseName(const std::string& path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

[[noreturn]] void FailStart(Door& door, const char* message) {
  door.screen().ClrScr();
  door.LocalWrite("\r\n");
  door.LocalWrite(message);
  door.LocalWrite("\r\n");
  door.Delay(kFailurePauseMs);
  door.Halt();
}

// No transport can be opened in this build, so a remote start never has a
// carrier.
bool OpenTransport(Door& door) {
  if (door.state.CommHandle == 0 || door.state.CommType == 0) return true;
  door.comm.CommSelect(door.state.CommType);
  door.comm.CommOpenHandle(door.state.CommHandle);
  return door.comm.CommCarrier();
}

void FinishStart(Door& door) {
  DoorState& st = door.state;
  st.LastKeyTime = door.clock().SecondsSinceMidnight();
  st.TimerActive = true;
  st.LastTick = door.clock().MillisSinceMidnight() - 500;
  st.StartTime = door.clock().SecondsSinceMidnight();
  door.DClrScr();
  door.screen().SetWindow(1, 1, 80, 24);
}

}  // namespace

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

void DoorStart(Door& door, const CommandLine& command_line) {
  if (!door.hooks.OnLocalLogin) door.hooks.OnLocalLogin = [&door] { DefaultLocalLogin(door); };
  std::string program_name = BaseName(command_line.program);
  if (!door.hooks.OnUsage)
    door.hooks.OnUsage = [&door, program_name] { DefaultUsage(door, program_name); };

  Switches sw = ParseSwitches(door, command_line.args);
  DoorState& st = door.state;
  if (sw.local) {
    st.CommHandle = 0;
    st.CommType = 0;
    st.SecondsAllowed = kLocalSeconds;
    st.NodeNum = sw.node;
    if (door.hooks.OnLocalLogin) door.hooks.OnLocalLogin();
  } else if (sw.winserver) {
    st.CommHandle = 1;
    st.CommType = 3;
  } else if (sw.handle >= 0 && sw.node > 0) {
    st.CommHandle = sw.handle;
    st.NodeNum = sw.node;
    st.CommType = sw.telnet ? 2 : 1;
  } else if (!sw.drop_file.empty()) {
    // Drop files are not read by this build yet.
    FailStart(door, "  Drop File Not Found");
  } else if (door.hooks.OnUsage) {
    door.hooks.OnUsage();
  }

  if (st.CommType != 0 && !OpenTransport(door)) FailStart(door, "  No Carrier Detected");

  FinishStart(door);
  door.StatusName = "Tolldoor";
  if (st.CommHandle == -1) st.SecondsAllowed = kLocalSeconds;
}

}  // namespace door
