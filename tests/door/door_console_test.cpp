// The door console end to end: the exact bytes a caller receives, keys
// from both sides, the line editor and the farewell at the program's end.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "door/door.h"
#include "platform/keys.h"
#include "platform/program_end.h"
#include "platform/virtual_console.h"
#include "support/capture_port.h"

namespace {

using testsupport::CapturePort;

// Records every wait; on_wait runs before each, so that a test can have a
// key typed once the clock gets to a time.
class WaitingConsole : public platform::VirtualConsole {
 public:
  using VirtualConsole::VirtualConsole;
  bool WaitForKeyOrEvent(int timeout_ms, const platform::Event& wake) override {
    ++event_waits;
    return VirtualConsole::WaitForKeyOrEvent(timeout_ms, wake);
  }
  bool WaitForKey(int timeout_ms) override {
    timeouts.push_back(timeout_ms);
    if (on_wait) on_wait();
    return VirtualConsole::WaitForKey(timeout_ms);
  }

  std::vector<int> timeouts;
  int event_waits = 0;  // waits that the caller's input also ends
  std::function<void()> on_wait;
};

// A capture port whose bytes outlive it.
struct KeptPort : CapturePort {
  explicit KeptPort(std::string* kept) : kept(kept) {}
  ~KeptPort() override { *kept = sent; }
  std::string* kept;
};

class DoorConsole : public testing::Test {
 protected:
  void GoRemote() { port = &testsupport::MakeRemote(door); }
  std::string Sent() { return std::exchange(port->sent, ""); }
  void Incoming(std::string_view bytes) {
    port->incoming.insert(port->incoming.end(), bytes.begin(), bytes.end());
  }
  platform::Screen& screen() { return console.screen(); }
  int32_t Now() { return clock.MillisSinceMidnight(); }

  platform::VirtualClock clock;
  WaitingConsole console{&clock};
  door::Door door{console, clock};
  CapturePort* port = nullptr;
};

// Each operation and the bytes it sends; a dark foreground repeats the
// current background (blue here) after its own. The local screen shows
// the same (local_ansi_test.cpp renders it); with no transport behind it,
// it still does.
TEST_F(DoorConsole, CursorColourAndPipeCodeSequencesAreExact) {
  GoRemote();
  screen().SetTextAttr(0x17);
  const std::vector<std::pair<std::function<void()>, std::string>> cases = {
      {[&] { door.DGotoCol(1); }, "\x1b[255D"},
      {[&] { door.DGotoCol(10); }, "\x1b[255D\x1b[9C"},
      {[&] { door.DSetFore(12); }, "\x1b[1;31m"},
      {[&] { door.DSetFore(4); }, "\x1b[0;31m\x1b[44m"},
      {[&] { door.DSetBack(14); }, "\x1b[43m"},
      {[&] { door.DSetAttr(0x1F); }, "\x1b[1;37m\x1b[44m"},
      {[&] { door.DClrScr(); }, "\x1b[2J\x1b[1;1f"},
      {[&] { door.DGotoRowCol(5, 12); }, "\x1b[5;12f"},
      {[&] { door.DClrEol(); }, "\x1b[K"},
      {[&] { door.DWriteLn("ok"); }, "ok\r\n"},
      {[&] { door.DWrite("|9F"); }, "\x1b[1;37m\x1b[44m"},
      {[&] { door.DWrite("|1f"); }, "\x1b[1;37m\x1b[44m"},
      // Scanning goes on after a "|" that is no code.
      {[&] { door.DWrite("|zz|07."); }, "|zz\x1b[0;37m\x1b[44m\x1b[40m."},
      {[&] { door.DWrite("a|Z|G0ab|1"); }, "a|Z|G0ab|1"},
      {[&] { door.DWrite("|"); }, "|"},
      {[&] { door.DWrite(std::string(300, 'a')); }, std::string(255, 'a')},
  };
  for (const auto& [operation, bytes] : cases) {
    operation();
    EXPECT_EQ(Sent(), bytes);
  }
  EXPECT_EQ(screen().TextAttr(), 0x07);

  door.DGotoRowCol(5, 12);
  door.state.CommType = 0;
  door.DWrite("local only");
  EXPECT_EQ(Sent(), "\x1b[5;12f");
  door.state.CommType = 2;
  door.comm.CommSelect(4);  // no such comm type
  EXPECT_EQ(door.comm.current(), nullptr);
  door.DWrite("still shown");
  EXPECT_EQ(screen().RowText(5).substr(11, 21), "local onlystill shown");
}

// Local keys are read first; an extended key comes as its scan code.
TEST_F(DoorConsole, KeysFromBothSides) {
  clock.SetTime(10, 0, 5);
  console.Type("a");
  console.Extended(platform::key::kUp);
  EXPECT_EQ(door.DReadKey(), 'a');
  EXPECT_EQ(door.state.LastKeyTime, 36005);
  EXPECT_EQ(door.DReadKey(), 'H');

  GoRemote();
  Incoming(std::string("\r\n\0Hr", 5));  // a line feed is dropped
  console.Type("l");
  EXPECT_EQ(door.DReadKey(), 'l');
  EXPECT_EQ(door.DReadKey(), '\r');
  EXPECT_EQ(door.DReadKey(), 'H');
  EXPECT_EQ(door.DReadKey(), 'r');

  // A 0 with nothing after it is dropped; the wait goes on until the
  // caller types again, and the caller's input ends each wait as a local
  // key does.
  int32_t start = Now();
  Incoming(std::string(1, '\0'));
  console.on_wait = [&] {
    if (Now() >= start + 3000 && port->incoming.empty()) Incoming("y");
  };
  EXPECT_EQ(door.DReadKey(), 'y');
  EXPECT_GE(Now(), start + 3000);
  EXPECT_EQ(door.state.LastKeyTime, Now() / 1000);
  EXPECT_GE(console.event_waits, 3);
  EXPECT_EQ(console.event_waits, static_cast<int>(console.timeouts.size()));
}

// The console sleeps until the next once-a-second check rather than
// spinning. (That the checks come each second, the time limit's exact
// second shows: status_bar_test.cpp.)
TEST_F(DoorConsole, WaitingSleepsUntilTheNextCheck) {
  door.state.TimerActive = true;
  door.state.LastTick = Now() - 500;
  int32_t key_at = Now() + 10'000;
  console.on_wait = [&] {
    if (Now() >= key_at && console.PendingKeys() == 0) console.Type("k");
  };
  EXPECT_EQ(door.DReadKey(), 'k');
  EXPECT_EQ(console.event_waits, 0);  // no caller, so only the keyboard
  EXPECT_LE(console.timeouts.size(), 22u);
  for (int t : console.timeouts) EXPECT_TRUE(t >= 1 && t <= 1000) << t;
}

// The line editor, as the local login uses it: a field as wide as its
// longest text, and only a caller's name's letters allowed.
TEST_F(DoorConsole, InputLineEditing) {
  const std::string letters = "abcdefghijklmnopqrstuvwxyz";
  auto input = [&](std::string_view initial, std::string_view keys, int max_len) {
    screen().GotoXY(5, 3);
    screen().ClrEol();
    console.Type(keys);
    return door.DInputLine(initial, letters, 0, max_len, max_len, 0x1E);
  };
  auto field = [&](int length) { return screen().RowText(3).substr(4, length); };

  EXPECT_EQ(input("abcdefgh", "xy\x1b", 5), "abcde");
  // An extended key arrives as its scan code and is typed when allowed:
  // Up is "H"; Down ("P") is not allowed here.
  console.Type(std::string("Ab\0H\0P\r", 7));
  EXPECT_EQ(door.DInputLine("", "AbH", 0, 10, 10, 0x1E), "AbH");
  EXPECT_EQ(input("", "\rz\r", 5), "z");
  EXPECT_EQ(console.PendingKeys(), 0u);

  EXPECT_EQ(input("oldtext", "\x19\rnew\r", 10), "new");
  EXPECT_EQ(field(11), "new        ");
  EXPECT_EQ(screen().At(5, 3).attr, 0x1E);
  EXPECT_EQ(screen().TextAttr(), 0x07);
  EXPECT_EQ(screen().WhereY() * 100 + screen().WhereX(), 401);
  EXPECT_EQ(input("", "abc\b\bx\r", 10), "ax");
  EXPECT_EQ(field(3), "ax ");
  EXPECT_EQ(input("", "aXbc1c\r", 3), "abc");
}

TEST_F(DoorConsole, ExitProcedureLeavesFreshLinesInGreyAndLetsTheTransportGo) {
  std::string kept;
  auto kept_port = std::make_unique<KeptPort>(&kept);
  port = kept_port.get();
  door.comm.Install(std::move(kept_port));
  door.state.CommType = 2;
  screen().GotoXY(5, 2);
  door.DSetAttr(0x1F);
  Sent();
  platform::RunExitProcs();
  EXPECT_EQ(screen().WhereY() * 100 + screen().WhereX(), 501);
  EXPECT_EQ(screen().TextAttr(), 0x07);
  EXPECT_EQ(kept, "\x1b[0;37m\x1b[44m\x1b[40m");  // the line ends stay local
  EXPECT_EQ(door.comm.current(), nullptr);
}

}  // namespace
