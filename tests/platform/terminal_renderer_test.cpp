#include "platform/terminal_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/cp437.h"

namespace platform {
namespace {

constexpr TerminalCaps kAnsiSysCp437{false, true};

// A small ANSI terminal: just what the renderer may send, and with
// ANSI.SYS's abilities only what that knew. It fails the test on anything
// else, on a line feed, on a move off the terminal and on writing past the
// last column, which would scroll or wrap a real terminal.
class FakeTerminal {
 public:
  explicit FakeTerminal(TerminalCaps caps) : caps(caps) {}
  void Feed(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size();)
      i = bytes[i] == '\x1b' ? Sequence(bytes, i) : Print(bytes, i);
  }
  Cell& At(int c, int r) { return cells_[static_cast<size_t>((r - 1) * kScreenCols + c - 1)]; }
  const TerminalCaps caps;
  int col = 1, row = 1;
  bool cursor_visible = true;

 private:
  // One character in the terminal's encoding, a carriage return or a
  // backspace.
  size_t Print(const std::string& bytes, size_t i) {
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (lead == '\r' || lead == '\b') {
      col = lead == '\r' ? 1 : std::max(col - 1, 1);
      pending_wrap_ = false;
      return i + 1;
    }
    size_t length = !caps.utf8 || lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : 3;
    int byte = caps.utf8 ? -1 : lead;
    for (int b = 0; b < 256 && byte < 0; ++b)
      if (Cp437ToUtf8(static_cast<uint8_t>(b)) == bytes.substr(i, length)) byte = b;
    EXPECT_TRUE(caps.utf8 ? byte >= 0 : byte >= 0x20 && byte != 0x7F) << "byte " << int(lead);
    EXPECT_FALSE(pending_wrap_) << "wrote past the last column";
    At(col, row) = Cell{static_cast<uint8_t>(std::max(byte, 0)), Attr()};
    pending_wrap_ = col == kScreenCols;
    if (col < kScreenCols) ++col;
    return i + length;
  }

  size_t Sequence(const std::string& bytes, size_t i) {
    EXPECT_EQ(bytes[i + 1], '[');
    size_t end = std::min(bytes.find_first_not_of("0123456789;?", i + 2), bytes.size() - 1);
    std::string text = bytes.substr(i + 2, end - i - 2);
    if (text[0] == '?') {
      EXPECT_FALSE(caps.ansi_sys) << "a private mode";
      EXPECT_EQ(text, "?25");
      cursor_visible = bytes[end] == 'h';
      return end + 1;
    }
    std::vector<int> params;
    std::stringstream list(text);
    for (std::string p; std::getline(list, p, ';');) params.push_back(p.empty() ? 0 : std::stoi(p));
    if (params.empty()) params.push_back(0);
    Execute(bytes[end], params);
    return end + 1;
  }

  void Execute(char final, const std::vector<int>& params) {
    int n = std::max(params[0], 1);
    pending_wrap_ = false;
    if (std::string("HABCDGdmKXJ").find(final) == std::string::npos)
      ADD_FAILURE() << "sequence " << final;
    if (caps.ansi_sys && std::string("GdX").find(final) != std::string::npos)
      ADD_FAILURE() << "no ANSI.SYS sequence: " << final;
    row += final == 'B' ? n : final == 'A' ? -n : 0;
    col += final == 'C' ? n : final == 'D' ? -n : 0;
    if (final == 'H' || final == 'd') row = n;
    if (final == 'H') col = params.size() > 1 ? std::max(params[1], 1) : 1;
    if (final == 'G') col = n;
    if (final == 'm')
      for (int p : params) Sgr(p);
    int erase = final == 'K' ? kScreenCols - col + 1 : final == 'X' ? n : 0;
    for (int x = col; x < col + erase && x <= kScreenCols; ++x) At(x, row) = Cell{' ', Attr()};
    if (final == 'J') {
      EXPECT_EQ(params[0], 2);
      std::fill(cells_.begin(), cells_.end(), Cell{' ', Attr()});
    }
    EXPECT_TRUE(col >= 1 && col <= kScreenCols && row >= 1 && row <= kScreenRows)
        << col << "," << row;
  }

  // Bold and blink stay on until SGR 0; the bright colours 90-97 and
  // 100-107 are colours of their own.
  void Sgr(int p) {
    constexpr int kAnsiToPc[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    int colour = p % 10 < 8 ? kAnsiToPc[p % 10] : -1;
    bool bright = p >= 90 && !caps.ansi_sys;
    if (p == 0) {
      fg_ = 7;
      bg_ = 0;
      bold_ = blink_ = false;
    } else if (p == 1 || p == 5) {
      (p == 1 ? bold_ : blink_) = true;
    } else if (colour >= 0 && (p / 10 == 3 || (p / 10 == 9 && bright))) {
      fg_ = colour | (bright ? 8 : 0);
    } else if (colour >= 0 && (p / 10 == 4 || (p / 10 == 10 && bright))) {
      bg_ = colour | (bright ? 8 : 0);
    } else {
      ADD_FAILURE() << "SGR " << p;
    }
  }
  uint8_t Attr() const {
    return static_cast<uint8_t>(fg_ | (bold_ ? 8 : 0) | (bg_ | (blink_ ? 8 : 0)) << 4);
  }

  std::vector<Cell> cells_ = std::vector<Cell>(kScreenCols * kScreenRows);
  int fg_ = 7, bg_ = 0;
  bool bold_ = false, blink_ = false, pending_wrap_ = false;
};

// A blank shows only its background; a code page 437 terminal shows "?"
// for the glyphs whose bytes are controls.
void ExpectShows(FakeTerminal& terminal, const Screen& screen) {
  auto look = [&](Cell cell) {
    if (cell.ch == ' ' || cell.ch == 0 || cell.ch == 0xFF)
      return Cell{' ', static_cast<uint8_t>(cell.attr & 0xF0)};
    if (!terminal.caps.utf8 && (cell.ch < 0x20 || cell.ch == 0x7F)) cell.ch = '?';
    return cell;
  };
  for (int row = 1; row <= kScreenRows; ++row)
    for (int col = 1; col <= kScreenCols; ++col)
      ASSERT_TRUE(look(terminal.At(col, row)) == look(screen.At(col, row))) << col << "," << row;
  EXPECT_EQ(terminal.col, screen.CursorScreenCol());
  EXPECT_EQ(terminal.row, screen.CursorScreenRow());
}

class RendererTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(renderer.Render(screen), "\x1b[0;37;40m\x1b[H\x1b[2J\x1b[?25h");
  }
  Screen screen;
  TerminalRenderer renderer;
};

TEST_F(RendererTest, SendsOnlyTheChangesWithTheCheapestMovesAndColours) {
  // A blank that changes colour where only its background shows is unchanged.
  screen.Put(5, 5, Cell{' ', 0x0E});
  screen.Put(6, 5, Cell{0, 0x07});
  EXPECT_EQ(renderer.Render(screen), "");
  screen.Put(10, 5, Cell{'X', 0x07});
  EXPECT_EQ(renderer.Render(screen), "\x1b[5;10HX\x1b[H");
  // One run, one colour change; the two blanks before it are cheaper to
  // rewrite than to step over.
  screen.PutText(3, 2, "Hello", 0x1E);
  EXPECT_EQ(renderer.Render(screen), "\x1b[B  \x1b[93;44mHello\x1b[H");
  // Only the half of the colours that changed is sent.
  screen.PutText(8, 2, "ab", 0x1F);
  screen.PutText(10, 2, "cd", 0x4F);
  EXPECT_EQ(renderer.Render(screen), "\x1b[2;8H\x1b[97mab\x1b[41mcd\x1b[H");
}

TEST_F(RendererTest, BlankRunsAreErased) {
  screen.PutText(1, 25, std::string(80, ' '), 0x1F);
  EXPECT_EQ(renderer.Render(screen), "\x1b[25H\x1b[44m\x1b[K\x1b[H");
  // Inside a row, and to the end of a row on a wider terminal, erase a count.
  TerminalRenderer wide;
  wide.SetTerminalSize(132, 25);
  screen.PutText(1, 24, std::string(20, ' '), 0x20);
  EXPECT_EQ(wide.Render(screen).substr(17),
            "\x1b[24H\x1b[42m\x1b[20X\x1b[B\x1b[44m\x1b[80X\x1b[H\x1b[?25h");
}

// The shell's prompt comes on the line under the program's last text (see
// the ANSI.SYS test), or under the cursor when that is lower, and what lies
// below, the status bar among it, is erased.
TEST_F(RendererTest, LeavingShowsTheCursorUnderTheLastTextAndForgetsTheTerminal) {
  EXPECT_EQ(renderer.Render(screen, false), "\x1b[?25l");
  screen.GotoXY(5, 25);
  renderer.Render(screen, false);
  EXPECT_EQ(renderer.Leave(screen), "\r\x1b[0m\x1b[?25h\n\x1b[J");
  EXPECT_EQ(renderer.Render(screen).substr(0, 17), "\x1b[0;37;40m\x1b[H\x1b[2J");

  screen.SetWindow(1, 1, 80, 24);
  screen.PutText(3, 10, "the last line", 0x07);
  screen.GotoXY(5, 12);
  renderer.Render(screen);
  EXPECT_EQ(renderer.Leave(screen), "\r\x1b[0m\n\x1b[J");
}

// Bold and blink for bright colours, no hiding of the cursor, the screen's
// own bytes; leaving erases the rows below the last text one by one.
TEST(Renderer, AnAnsiSysTerminalInCodePage437GetsOnlyWhatItKnows) {
  Screen screen;
  TerminalRenderer renderer(kAnsiSysCp437);
  // A glyph whose byte is a control goes out as "?".
  screen.PutText(1, 1, "\xd5\xcd\xb8\x01\x81", 0x9E);
  EXPECT_EQ(renderer.Render(screen, false),
            "\x1b[0;37;40m\x1b[H\x1b[2J\x1b[1;5;33;44m\xd5\xcd\xb8?\x81\r");

  screen.SetWindow(1, 1, 80, 24);
  screen.PutText(1, 10, "the last line", 0x07);
  screen.GotoXY(1, 3);
  renderer.Render(screen);
  std::string erase_below;
  for (int row = 11; row <= 25; ++row) erase_below += "\x1b[B\x1b[K";
  EXPECT_EQ(renderer.Leave(screen), "\x1b[7B\x1b[0m" + erase_below + "\x1b[10H\n");
}

TEST(Renderer, RandomChangesAlwaysShowTheScreen) {
  for (TerminalCaps caps : {TerminalCaps{}, kAnsiSysCp437}) {
    SCOPED_TRACE(caps.ansi_sys ? "ANSI.SYS, code page 437" : "UTF-8");
    std::mt19937 random(1234);
    auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    const uint8_t attrs[] = {0x07, 0x0F, 0x0C, 0x1E, 0x1F, 0x4F, 0x9E, 0x70};
    const uint8_t chars[] = {' ', ' ', 'a', 'Z', '=', 0xC4, 0xCD, 0xB3, 0xFE, 0, 0xFF, 0x01};
    Screen screen;
    TerminalRenderer renderer(caps);
    FakeTerminal terminal(caps);
    for (int frame = 0; frame < 300; ++frame) {
      for (int change = pick(0, 6); change > 0; --change) {
        int col = pick(1, kScreenCols), row = pick(1, kScreenRows);
        uint8_t attr = attrs[pick(0, 7)];
        for (int n = pick(1, 90); n > 0 && col <= kScreenCols; --n)
          screen.Put(col++, row,
                     Cell{chars[pick(0, 11)], pick(0, 3) == 0 ? attrs[pick(0, 7)] : attr});
      }
      screen.GotoXY(pick(1, kScreenCols), pick(1, kScreenRows));
      if (frame == 150) renderer.Invalidate();
      renderer.SetTerminalSize(frame < 100 ? 80 : 132, 25);
      terminal.Feed(renderer.Render(screen, frame % 7 != 0));
      ExpectShows(terminal, screen);
      EXPECT_EQ(terminal.cursor_visible, caps.ansi_sys || frame % 7 != 0);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace platform
