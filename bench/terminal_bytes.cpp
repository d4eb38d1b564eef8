// Counts the bytes sent to the terminal for the same changes of a typical
// program screen, by our renderer and by ncurses, so that a change to the
// renderer can be judged against a well-tuned reference.
#define NCURSES_WIDECHAR 1
#include <curses.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "door/door.h"
#include "platform/cp437.h"
#include "platform/keys.h"
#include "platform/screen.h"
#include "platform/terminal_renderer.h"
#include "platform/virtual_console.h"
#include "shell/main_loop.h"
#include "shell/run_state.h"
#include "ui/ui.h"

namespace {

using platform::Cell;
using platform::kScreenCols;
using platform::kScreenRows;
using platform::Screen;

constexpr uint8_t kRule = 0xC4;  // ─
constexpr uint8_t kMark = 0xFE;  // ■
constexpr int kBoxLeft = 20, kBoxRight = 60, kBoxTop = 4, kBoxBottom = 14;
constexpr int kMarkerCol = kBoxLeft + 2;

// An item line: light grey text whose first letter, the hot key, is white.
void PutItem(Screen& screen, int row, const std::string& text) {
  screen.Put(kBoxLeft + 5, row, Cell{static_cast<uint8_t>(text[0]), 0x0F});
  screen.PutText(kBoxLeft + 6, row, text.substr(1), 0x07);
}

void DrawBox(Screen& screen) {
  constexpr uint8_t kBoxAttr = 0x0C;
  std::string top(kBoxRight - kBoxLeft + 1, '\xcd');
  std::string bottom = top;
  top.front() = '\xd5', top.back() = '\xb8';
  bottom.front() = '\xd4', bottom.back() = '\xbe';
  screen.PutText(kBoxLeft, kBoxTop, top, kBoxAttr);
  screen.PutText(kBoxLeft, kBoxBottom, bottom, kBoxAttr);
  for (int row = kBoxTop + 1; row < kBoxBottom; ++row) {
    screen.Put(kBoxLeft, row, Cell{0xB3, kBoxAttr});
    screen.Put(kBoxRight, row, Cell{0xB3, kBoxAttr});
  }
}

void DrawStatusBar(Screen& screen) {
  screen.PutText(1, kScreenRows, std::string(kScreenCols, ' '), 0x1F);
  int col = 2;
  for (const char* label : {"F1 Help", "Enter Select", "Esc Quit", "Node 1"}) {
    screen.Put(col, kScreenRows, Cell{kMark, 0x1E});
    screen.PutText(col + 2, kScreenRows, label, 0x1F);
    col += 4 + static_cast<int>(std::string(label).size());
  }
}

void DrawProgramScreen(Screen& screen) {
  screen.PutText(27, 1, "KeldCfg 4.07 - Configuration", 0x0F);
  screen.PutText(1, 2, std::string(78, static_cast<char>(kRule)), 0x04);
  DrawBox(screen);
  const char* items[] = {"Game settings", "Player editor",  "Monster editor",
                         "Item editor",   "Event editor",   "Node setup",
                         "Maintenance",   "Reset the game", "Quit to the BBS"};
  for (int i = 0; i < 9; ++i) PutItem(screen, kBoxTop + 1 + i, items[i]);
  screen.PutText(kMarkerCol, kBoxTop + 1, "=>", 0x0F);
  screen.PutText(3, 24, "Sets the name of the game, the daily turns and the bank interest.", 0x03);
  DrawStatusBar(screen);
  screen.GotoXY(kMarkerCol, kBoxTop + 1);
}

// ncurses, writing into a temporary file as an xterm-256color of 80x25.
class Curses {
 public:
  Curses() {
    setenv("TERM", "xterm-256color", 1);
    setenv("LINES", "25", 1);
    setenv("COLUMNS", "80", 1);
    std::setlocale(LC_ALL, "C.UTF-8");
    out_ = std::tmpfile();
    in_ = std::fopen("/dev/null", "r");
    screen_ = newterm("xterm-256color", out_, in_);
    if (screen_ == nullptr) {
      std::fprintf(stderr, "newterm failed\n");
      std::exit(1);
    }
    set_term(screen_);
    typeahead(-1);  // the input is /dev/null, always "ready": never hold back output
    start_color();
  }
  ~Curses() {
    endwin();
    delscreen(screen_);
    std::fclose(out_);
    std::fclose(in_);
  }

  // Copies the whole screen into ncurses and refreshes; ncurses itself
  // finds what changed. Returns the bytes the refresh wrote.
  long Show(const Screen& screen) {
    for (int row = 1; row <= kScreenRows; ++row)
      for (int col = 1; col <= kScreenCols; ++col) Put(col, row, screen.At(col, row));
    move(screen.CursorScreenRow() - 1, screen.CursorScreenCol() - 1);
    long before = Bytes();
    refresh();
    return Bytes() - before;
  }

 private:
  long Bytes() {
    std::fflush(out_);
    return std::ftell(out_);
  }

  // The same sixteen colours: ncurses numbers them as ANSI does, 8-15 bright.
  short Pair(uint8_t attr) {
    if (attr == 0x07) return 0;  // pair 0 is light grey on black already
    auto found = pairs_.find(attr);
    if (found != pairs_.end()) return found->second;
    int fg = platform::AnsiForeground(attr), bg = platform::AnsiBackground(attr);
    short pair = static_cast<short>(pairs_.size() + 1);
    init_pair(pair, static_cast<short>(fg >= 90 ? fg - 90 + 8 : fg - 30),
              static_cast<short>(bg >= 100 ? bg - 100 + 8 : bg - 40));
    pairs_[attr] = pair;
    return pair;
  }

  void Put(int col, int row, Cell cell) {
    std::string_view utf8 = platform::Cp437ToUtf8(cell.ch);
    wchar_t glyph[2] = {0, 0};
    std::mbstate_t state{};
    std::mbrtowc(&glyph[0], utf8.data(), utf8.size(), &state);
    cchar_t wide;
    setcchar(&wide, glyph, A_NORMAL, Pair(cell.attr), nullptr);
    mvadd_wch(row - 1, col - 1, &wide);  // ERR in the last cell, which is still set
  }

  FILE* out_ = nullptr;
  FILE* in_ = nullptr;
  SCREEN* screen_ = nullptr;
  std::map<uint8_t, short> pairs_;
};

// The program's own main menu, before and after Down moves its selection
// from the first item to the second.
std::vector<Screen> MainMenuScreens() {
  platform::VirtualClock clock;
  platform::VirtualConsole console(&clock);
  door::Door door(console, clock);
  ui::Ui ui(door);
  shell::RunState run;
  std::vector<Screen> shown;
  console.SetOnExhausted([&] {
    shown.push_back(console.screen());
    if (shown.size() == 1) console.Extended(platform::key::kDown);
    if (shown.size() == 2) console.Key(platform::key::kEscape);
  });
  shell::RunMainLoop(ui, run);
  return shown;
}

struct Case {
  const char* name;
  std::function<void(Screen&)> change;
};

// Shows the cases one after the other on one screen; true when ours sent
// more for any of them.
bool PrintCases(const std::vector<Case>& cases) {
  Screen screen;
  platform::TerminalRenderer renderer;
  Curses curses;
  bool larger = false;
  for (const Case& c : cases) {
    c.change(screen);
    size_t ours = renderer.Render(screen).size();
    long theirs = curses.Show(screen);
    larger = larger || static_cast<long>(ours) > theirs;
    std::printf("%-26s %8zu %8ld\n", c.name, ours, theirs);
  }
  return larger;
}

}  // namespace

int main() {
  std::printf("%-26s %8s %8s\n", "case", "ours", "ncurses");
  // What each sends before any content: ncurses sets up the terminal
  // (alternate screen, scroll region, modes) in its first frame.
  bool larger = PrintCases({{"    blank first frame", [](Screen&) {}}});
  larger = PrintCases({
               {"(a) first full frame", DrawProgramScreen},
               {"(b) one cell changed",
                [](Screen& s) {
                  s.Put(35, 1, Cell{'5', 0x0F});
                }},
               {"(c) marker moved down",
                [](Screen& s) {
                  s.PutText(kMarkerCol, kBoxTop + 1, "  ", 0x07);
                  s.PutText(kMarkerCol, kBoxTop + 2, "=>", 0x0F);
                  s.GotoXY(kMarkerCol, kBoxTop + 2);
                }},
           }) ||
           larger;
  std::vector<Screen> menu = MainMenuScreens();
  larger = PrintCases({{"(d) main menu shown", [&](Screen& s) { s = menu[0]; }},
                       {"(e) main menu item down", [&](Screen& s) { s = menu[1]; }}}) ||
           larger;
  return larger ? 1 : 0;
}
