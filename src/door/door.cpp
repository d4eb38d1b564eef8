#include "door/door.h"

#include <algorithm>
#include <string>

#include "door/status_bar.h"
#include "platform/keys.h"
#include "platform/program_end.h"

namespace door {

namespace {

constexpr size_t kMaxText = 255;
constexpr char kCtrlY = 25;
constexpr uint8_t kLineFeed = 10;
constexpr int32_t kDayMillis = 86'400'000;
// The periodic check runs when more than this has passed since the last.
constexpr int kTickMillis = 1000;
// The clock moves in steps of this size, so waking sooner than this after
// the check is due would only find it not due yet.
constexpr int kClockStepMillis = 10;

// The console's numeric arguments are bytes: larger values wrap as they
// would in a byte.
int Byte(int value) {
  return static_cast<uint8_t>(value);
}

std::string Csi(const std::string& body) {
  return "\x1b[" + body;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The time from one reading of the clock to a later one, across at most
// one midnight.
int32_t MillisBetween(int32_t from, int32_t to) {
  int32_t d = to - from;
  return d < 0 ? d + kDayMillis : d;
}

// How long DReadKey may sleep before it must look again: never past the
// next periodic check.
int WaitMillis(Door& door) {
  if (!door.state.TimerActive) return kTickMillis;
  int32_t elapsed = MillisBetween(door.state.LastTick, door.clock().MillisSinceMidnight());
  return std::clamp(kTickMillis + 1 - elapsed, kClockStepMillis, kTickMillis);
}

// Sleeps until a local key, the caller's input or the next check, whichever
// comes first.
void WaitForEitherSide(Door& door) {
  const platform::Event* remote = door.DIsLocal() ? nullptr : door.comm.CommInputSignal();
  if (remote != nullptr)
    door.console().WaitForKeyOrEvent(WaitMillis(door), *remote);
  else
    door.console().WaitForKey(WaitMillis(door));
}

// a - b as 32-bit arithmetic wraps, without overflowing.
int32_t Minus(int32_t a, int32_t b) {
  return static_cast<int32_t>(int64_t{a} - b);
}

// A warning is due when the time left is one second over a whole number of
// minutes, five or fewer. A negative time left never qualifies: its
// remainder is never 1.
bool IsWarningMinute(int32_t seconds_left) {
  return seconds_left % 60 == 1 && seconds_left / 60 <= 5;
}

bool TakeLocalKey(Door& door, char& key, bool& extended) {
  if (!door.console().KeyPressed()) return false;
  key = door.console().ReadKey();
  extended = key == platform::key::kExtended;
  if (extended) {
    key = door.console().ReadKey();
    if (!door.DIsLocal() && door.hooks.OnSysopKey && !door.hooks.OnSysopKey(key)) extended = false;
  }
  door.state.LastKeySource = 1;
  return true;
}

// A caller's terminal ends lines with CR LF; the LF is dropped so that one
// Enter arrives. An extended key comes as 0 and its scan code, and only
// counts when both bytes are there.
bool TakeRemoteKey(Door& door, char& key, bool& extended) {
  if (door.DIsLocal() || !door.comm.CommCharAvail()) return false;
  uint8_t byte = door.comm.CommGetChar();
  if (byte == kLineFeed) return false;
  extended = byte == 0;
  if (extended) {
    if (!door.comm.CommCharAvail()) return false;
    byte = door.comm.CommGetChar();
  }
  key = static_cast<char>(byte);
  door.state.LastKeySource = 2;
  return true;
}

// The single-line editor's field: where it starts, how wide it shows and
// what it holds.
struct Field {
  Door& door;
  std::string text;
  std::string_view allowed;
  char mask;
  int c0;
  int width;
  size_t max_len;

  int Length() const { return static_cast<int>(text.size()); }

  std::string Shown(int count, int from) const {
    return mask != 0 ? std::string(count, mask) : text.substr(from, count);
  }

  void Redraw() {
    door.DGotoCol(c0);
    if (Length() > width) {
      door.DWrite(Shown(width, Length() - width));
      door.DGotoCol(c0 + width);
    } else {
      door.DWrite(Shown(Length(), 0));
      door.DWrite(std::string(width - Length(), ' '));
      door.DGotoCol(c0 + Length());
    }
  }

  void Key(char key) {
    if (key == platform::key::kBackspace && !text.empty()) {
      text.pop_back();
      door.DWrite("\b \b");
      if (Length() >= width) Redraw();
    } else if (key == kCtrlY && !text.empty()) {
      text.clear();
      Redraw();
    } else if (allowed.find(key) != std::string_view::npos && text.size() < max_len) {
      text += key;
      if (Length() > width)
        Redraw();
      else
        door.DWrite(std::string(1, mask != 0 ? mask : key));
    }
  }
};

}  // namespace

Door::Door(platform::Console& console, platform::Clock& clock) : console_(console), clock_(clock) {
  exit_proc_id_ = platform::AddExitProc([this] { ExitProcedure(); });
}

Door::~Door() {
  if (exit_proc_id_ >= 0) platform::RemoveExitProc(exit_proc_id_);
}

// Output.

void Door::DWrite(std::string_view s) {
  std::string text = PipeCodes(s.substr(0, std::min(s.size(), kMaxText)));
  if (!DIsLocal() && !text.empty()) {
    comm.CommSendBlock(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  }
  local_ansi_.Render(screen(), text);
}

void Door::DWriteLn(std::string_view s) {
  std::string line(s);
  line += "\r\n";
  DWrite(line);
}

void Door::DNewLine() {
  DWrite("\r\n");
}

void Door::DClrScr() {
  DWrite(Csi("2J") + Csi("1;1f"));
}

void Door::DClrEol() {
  DWrite(Csi("K"));
}

void Door::DGotoRowCol(int row, int col) {
  DWrite(Csi(std::to_string(Byte(row)) + ";" + std::to_string(Byte(col)) + "f"));
}

// Far left first, then right: works without knowing where the cursor is.
void Door::DGotoCol(int col) {
  col = Byte(col);
  std::string seq = Csi("255D");
  if (col > 1) seq += Csi(std::to_string(col - 1) + "C");
  DWrite(seq);
}

void Door::DSetFore(int colour) {
  DWrite(AnsiFore(colour));
}

void Door::DSetBack(int colour) {
  DWrite(AnsiBack(colour));
}

void Door::DSetAttr(int attr) {
  attr = Byte(attr);
  DWrite(AnsiFore(attr % 16) + AnsiBack(attr / 16));
}

// A dark foreground needs "0;" to clear brightness, which also resets the
// background, so the current background is sent again after it.
std::string Door::AnsiFore(int colour) const {
  int c = Byte(colour) % 16;
  if (c >= 8) return Csi("1;" + std::to_string(30 + AnsiColourMap(c - 8)) + "m");
  return Csi("0;" + std::to_string(30 + AnsiColourMap(c)) + "m") +
         AnsiBack(console_.screen().TextAttr() / 16);
}

std::string Door::AnsiBack(int colour) const {
  return Csi(std::to_string(40 + AnsiColourMap(Byte(colour) % 8)) + "m");
}

// "|" and two hex digits select a colour, as BBS texts write them; the
// blink bit of the code is dropped.
std::string Door::PipeCodes(std::string_view s) const {
  if (s.size() < 3 || s.find('|') == std::string_view::npos) return std::string(s);
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    int hi = i + 2 < s.size() && s[i] == '|' ? HexDigit(s[i + 1]) : -1;
    int lo = hi >= 0 ? HexDigit(s[i + 2]) : -1;
    if (lo < 0) {
      out += s[i];
      continue;
    }
    int v = hi * 16 + lo;
    if (v > 127) v -= 128;
    out += AnsiFore(v % 16) + AnsiBack(v / 16);
    i += 2;
  }
  return out;
}

// Input.

bool Door::DKeyAvail() {
  DoorTick();
  if (console_.KeyPressed()) return true;
  return !DIsLocal() && comm.CommCharAvail();
}

char Door::DReadKey() {
  state.LastKeySource = 0;
  char key = 0;
  bool extended = false;
  for (;;) {
    while (!DKeyAvail()) WaitForEitherSide(*this);
    if (TakeLocalKey(*this, key, extended) || TakeRemoteKey(*this, key, extended)) break;
  }
  state.LastKey = key;
  state.LastKeyExtended = extended;
  state.LastKeyTime = clock_.SecondsSinceMidnight();
  return key;
}

std::string Door::DInputLine(std::string_view initial, std::string_view allowed, char mask,
                             int width, int max_len, uint8_t attr) {
  size_t limit = Byte(max_len);
  std::string first(initial.substr(0, std::min(initial.size(), limit)));
  uint8_t saved = screen().TextAttr();
  DSetAttr(attr);
  Field field{*this, first, allowed, mask, screen().WhereX(), Byte(width), limit};
  field.Redraw();
  char key = 0;
  do {
    // An extended key arrives as its scan code and counts as that
    // character: Up types "H" where "H" is allowed.
    key = DReadKey();
    field.Key(key);
  } while (key != platform::key::kEscape && !(key == platform::key::kEnter && !field.text.empty()));
  DSetAttr(saved);
  DNewLine();
  return key == platform::key::kEscape ? first : field.text;
}

// The console's idle wait is DReadKey's wait for a key, which sleeps until
// the next check is due; the check itself needs no pause of its own.
void Door::DoorTick() {
  if (!state.TimerActive) return;
  if (MillisBetween(state.LastTick, clock_.MillisSinceMidnight()) <= kTickMillis) return;
  // Taken before the hooks run as well as after: a hook that waits for a
  // key (a warning the caller must acknowledge) then gets the checks once
  // a second instead of re-entering this one at once.
  state.LastTick = clock_.MillisSinceMidnight();
  bool remote = !DIsLocal();
  if (remote && !comm.CommCarrier() && hooks.OnCarrierLost) hooks.OnCarrierLost();
  if (remote && state.IdleCheck && IdleSeconds(*this) > state.IdleLimit && hooks.OnIdleTimeout)
    hooks.OnIdleTimeout();
  int32_t idle_left = Minus(state.IdleLimit, IdleSeconds(*this));
  if (IsWarningMinute(idle_left) && hooks.OnIdleWarning) hooks.OnIdleWarning(idle_left / 60);
  if (SecondsLeft(*this) < 1 && hooks.OnTimeUp) hooks.OnTimeUp();
  int32_t time_left = SecondsLeft(*this);
  if (IsWarningMinute(time_left) && hooks.OnTimeWarning) hooks.OnTimeWarning(time_left / 60);
  if (hooks.OnStatusBar) hooks.OnStatusBar();
  state.LastTick = clock_.MillisSinceMidnight();
}

// The local side alone.

void Door::LocalWrite(std::string_view s) {
  screen().Write(s);
}

// Nobody sits at a console kept in memory only. Its wait for a local key
// watches the caller instead, as DReadKey's wait does: the once-a-second
// check runs, so that a hang-up, the idle limit or the time limit ends the
// program through its hook, and in between the wait sleeps. The caller's
// keys stay queued for the next DReadKey.
char Door::LocalReadKey() {
  if (console_.HasKeyboard()) return console_.ReadKey();
  for (;;) {
    DoorTick();
    console_.WaitForKey(WaitMillis(*this));
  }
}

void Door::Delay(int ms) {
  console_.Present();
  clock_.Sleep(ms);
}

void Door::Halt() {
  platform::EndProgram();
}

// Runs once at the very end, however the program ends: leaves the local
// screen on fresh lines in plain grey, and lets the transport go.
void Door::ExitProcedure() {
  exit_proc_id_ = -1;
  LocalWrite("\r\n\r\n\r\n");
  DSetAttr(7);
  if (!DIsLocal()) comm.CommDone();
}

}  // namespace door
