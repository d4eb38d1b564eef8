#include "door/status_bar.h"

namespace door {

namespace {

constexpr int32_t kDaySeconds = 86'400;
constexpr int kBarRow = platform::kScreenRows;
constexpr uint8_t kFrameAttr = 0x1E;  // yellow on blue
constexpr uint8_t kTextAttr = 0x1F;   // white on blue
constexpr char kMark = '\xFE';
constexpr int kMarkCols[] = {1, 29, 49, 63, 80};
constexpr int kNameCol = 3;
constexpr size_t kNameWidth = 22;
constexpr int kStatusNameCol = 31;
constexpr int kIdleCol = 51;
constexpr size_t kIdleWidth = 11;
constexpr int kLeftCol = 65;
constexpr int kEndPauseMs = 1500;
constexpr uint8_t kWhiteOnBlack = 15;

std::string TwoChars(int32_t n) {
  std::string s = std::to_string(n);
  return s.size() == 1 ? "0" + s : s.substr(0, 2);
}

// Exactly `width` characters: cut, or filled with spaces.
std::string Fitted(std::string s, size_t width) {
  s.resize(width, ' ');
  return s;
}

// A name comes from the BBS's drop file and may hold any byte; a control
// character in it is shown as "?" so that it reads as what it is.
std::string Printable(std::string s) {
  for (char& c : s) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return s;
}

std::string Frame() {
  std::string frame(platform::kScreenCols, ' ');
  for (int col : kMarkCols) frame[col - 1] = kMark;
  return frame;
}

// The idle and time-limit ends differ only in their line; both go to the
// caller as well as the local screen.
[[noreturn]] void EndSession(Door& door, std::string_view line) {
  door.DSetAttr(kWhiteOnBlack);
  door.DClrScr();
  door.DNewLine();
  door.DWriteLn(line);
  door.Delay(kEndPauseMs);
  door.Halt();
}

}  // namespace

int32_t SecondsBetween(int32_t from, int32_t to) {
  int64_t d = int64_t{to} - from;
  return static_cast<int32_t>(d < 0 ? d + kDaySeconds : d);
}

int32_t IdleSeconds(Door& door) {
  return SecondsBetween(door.state.LastKeyTime, door.clock().SecondsSinceMidnight());
}

int32_t SecondsLeft(Door& door) {
  int32_t used = SecondsBetween(door.state.StartTime, door.clock().SecondsSinceMidnight());
  return static_cast<int32_t>(int64_t{door.state.SecondsAllowed} - used);
}

std::string FormatHMS(int32_t seconds) {
  return TwoChars(seconds / 3600) + ":" + TwoChars(seconds % 3600 / 60) + ":" +
         TwoChars(seconds % 60);
}

std::string FormatMS(int32_t seconds) {
  return TwoChars(seconds / 60) + ":" + TwoChars(seconds % 60);
}

void FastWrite(platform::Screen& screen, std::string_view s, int col, int row, uint8_t attr) {
  screen.PutText(col, row, s, attr);
}

void DrawStatusBar(Door& door) {
  platform::Screen& screen = door.screen();
  FastWrite(screen, Frame(), 1, kBarRow, kFrameAttr);
  FastWrite(screen, Printable(Fitted(door.state.UserName, kNameWidth)), kNameCol, kBarRow,
            kTextAttr);
  FastWrite(screen, door.StatusName, kStatusNameCol, kBarRow, kTextAttr);
  FastWrite(screen, Fitted("Idle: " + FormatMS(IdleSeconds(door)), kIdleWidth), kIdleCol, kBarRow,
            kTextAttr);
  FastWrite(screen, "Left: " + FormatHMS(SecondsLeft(door)), kLeftCol, kBarRow, kTextAttr);
}

// Only the local screen is told: the caller is gone.
void DefaultCarrierLost(Door& door) {
  door.screen().SetTextAttr(kWhiteOnBlack);
  door.screen().ClrScr();
  door.LocalWrite("\r\n");
  door.LocalWrite("   Caller Dropped Carrier.  Returning To BBS...\r\n");
  door.Delay(kEndPauseMs);
  door.Halt();
}

void DefaultIdleTimeout(Door& door) {
  EndSession(door, "  Idle Time Limit Exceeded.  Returning To BBS...");
}

void DefaultTimeUp(Door& door) {
  EndSession(door, "  Your Time Has Expired.  Returning To BBS...");
}

void InstallStatusHooks(Door& door) {
  DoorHooks& hooks = door.hooks;
  if (!hooks.OnStatusBar) hooks.OnStatusBar = [&door] { DrawStatusBar(door); };
  if (!hooks.OnCarrierLost) hooks.OnCarrierLost = [&door] { DefaultCarrierLost(door); };
  if (!hooks.OnIdleTimeout) hooks.OnIdleTimeout = [&door] { DefaultIdleTimeout(door); };
  if (!hooks.OnTimeUp) hooks.OnTimeUp = [&door] { DefaultTimeUp(door); };
}

}  // namespace door
