#include "platform/terminal_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "platform/cp437.h"

namespace platform {
namespace {

constexpr const char* kFirstFrame = "\x1b[0;37;40m\x1b[H\x1b[2J\x1b[?25h";

constexpr TerminalCaps kAnsiSysCp437{false, true};

// What a terminal shows for a cell: a code page 437 terminal gets "?" for
// the glyphs whose bytes are controls.
Cell Sent(Cell cell, TerminalCaps caps) {
  if (!caps.utf8 && cell.ch != 0 && (cell.ch < 0x20 || cell.ch == 0x7F)) cell.ch = '?';
  return cell;
}

// A small ANSI terminal, 80x25 unless told otherwise: just what the
// renderer may send, and with ANSI.SYS's abilities only what that knew. It
// fails the test on anything else, on a line feed, on a move off the
// terminal and on writing past the last column, which would scroll or wrap
// a real terminal.
class FakeTerminal {
 public:
  explicit FakeTerminal(int cols = kScreenCols, int rows = kScreenRows, TerminalCaps caps = {})
      : caps(caps), cols_(cols), rows_(rows), cells_(static_cast<size_t>(cols * rows)) {}
  void Feed(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size();) i = Step(bytes, i);
  }
  Cell At(int col, int row) const { return cells_[Index(col, row)]; }
  std::string RowText(int row) const {
    std::string text;
    for (int c = 1; c <= cols_; ++c) text += static_cast<char>(At(c, row).ch);
    return text;
  }
  const TerminalCaps caps;
  int col = 1, row = 1;
  bool cursor_visible = true;

 private:
  size_t Index(int c, int r) const { return static_cast<size_t>((r - 1) * cols_ + c - 1); }

  size_t Step(const std::string& bytes, size_t i) {
    unsigned char byte = static_cast<unsigned char>(bytes[i]);
    if (byte == 0x1b) return Sequence(bytes, i);
    if (byte >= 0x20) return Print(bytes, i);
    if (byte == '\r' || byte == '\b') {
      col = byte == '\r' ? 1 : std::max(col - 1, 1);
      pending_wrap_ = false;
    } else {
      ADD_FAILURE() << "control byte " << int(byte);
    }
    return i + 1;
  }

  size_t Print(const std::string& bytes, size_t i) {
    size_t length = 1;
    unsigned char lead = static_cast<unsigned char>(bytes[i]);
    if (caps.utf8 && lead >= 0xE0)
      length = 3;
    else if (caps.utf8 && lead >= 0xC0)
      length = 2;
    int byte = caps.utf8 ? -1 : lead;
    for (int b = 0; b < 256 && byte < 0; ++b)
      if (Cp437ToUtf8(static_cast<uint8_t>(b)) == bytes.substr(i, length)) byte = b;
    EXPECT_GE(byte, 0) << "not a code page 437 glyph";
    EXPECT_NE(byte, 0x7F) << "DEL";
    if (pending_wrap_) ADD_FAILURE() << "wrote past the last column";
    cells_[Index(col, row)] = Cell{static_cast<uint8_t>(byte), Attr()};
    if (col == cols_)
      pending_wrap_ = true;
    else
      ++col;
    return i + length;
  }

  size_t Sequence(const std::string& bytes, size_t i) {
    EXPECT_EQ(bytes[i + 1], '[');
    size_t end = i + 2;
    bool private_mode = bytes[end] == '?';
    if (private_mode) ++end;
    std::vector<int> params{0};
    for (; end < bytes.size() && (isdigit(bytes[end]) || bytes[end] == ';'); ++end) {
      if (bytes[end] == ';')
        params.push_back(0);
      else
        params.back() = params.back() * 10 + (bytes[end] - '0');
    }
    char final = bytes[end];
    if (private_mode) {
      EXPECT_FALSE(caps.ansi_sys) << "a private mode";
      EXPECT_EQ(params[0], 25);
      cursor_visible = final == 'h';
    } else {
      Execute(final, params);
    }
    return end + 1;
  }

  void Execute(char final, const std::vector<int>& params) {
    int n = std::max(params[0], 1);
    pending_wrap_ = false;
    if (caps.ansi_sys && std::string("GdX").find(final) != std::string::npos)
      ADD_FAILURE() << "no ANSI.SYS sequence: " << final;
    switch (final) {
      case 'H':
        row = n;
        col = params.size() > 1 ? std::max(params[1], 1) : 1;
        break;
      case 'A':
        row -= n;
        break;
      case 'B':
        row += n;
        break;
      case 'C':
        col += n;
        break;
      case 'D':
        col -= n;
        break;
      case 'G':
        col = n;
        break;
      case 'd':
        row = n;
        break;
      case 'm':
        for (int p : params) Sgr(p);
        break;
      case 'K':
        Erase(cols_ - col + 1);
        break;
      case 'X':
        Erase(n);
        break;
      case 'J':
        EXPECT_EQ(params[0], 2);
        std::fill(cells_.begin(), cells_.end(), Cell{' ', Attr()});
        break;
      default:
        ADD_FAILURE() << "sequence " << final;
    }
    EXPECT_TRUE(col >= 1 && col <= cols_ && row >= 1 && row <= rows_) << col << "," << row;
  }

  void Erase(int count) {
    for (int x = col; x < col + count && x <= cols_; ++x) cells_[Index(x, row)] = Cell{' ', Attr()};
  }

  // Bold and blink stay on until SGR 0; the bright colours 90-97 and
  // 100-107 are colours of their own.
  void Sgr(int p) {
    constexpr int kAnsiToPc[8] = {0, 4, 2, 6, 1, 5, 3, 7};
    bool bright = !caps.ansi_sys;
    if (p == 0) {
      fg_ = 7, bg_ = 0, bold_ = blink_ = bright_fg_ = bright_bg_ = false;
    } else if (p == 1) {
      bold_ = true;
    } else if (p == 5) {
      blink_ = true;
    } else if (p >= 30 && p <= 37) {
      fg_ = kAnsiToPc[p - 30], bright_fg_ = false;
    } else if (bright && p >= 90 && p <= 97) {
      fg_ = kAnsiToPc[p - 90], bright_fg_ = true;
    } else if (p >= 40 && p <= 47) {
      bg_ = kAnsiToPc[p - 40], bright_bg_ = false;
    } else if (bright && p >= 100 && p <= 107) {
      bg_ = kAnsiToPc[p - 100], bright_bg_ = true;
    } else {
      ADD_FAILURE() << "SGR " << p;
    }
  }
  uint8_t Attr() const {
    return static_cast<uint8_t>(fg_ | (bold_ || bright_fg_ ? 0x08 : 0) | bg_ << 4 |
                                (blink_ || bright_bg_ ? 0x80 : 0));
  }

  int cols_, rows_;
  std::vector<Cell> cells_;
  int fg_ = 7, bg_ = 0;
  bool bold_ = false, blink_ = false, bright_fg_ = false, bright_bg_ = false;
  bool pending_wrap_ = false;
};

bool LooksAlike(Cell a, Cell b) {
  auto blank = [](Cell c) { return c.ch == ' ' || c.ch == 0 || c.ch == 0xFF; };
  if (blank(a) && blank(b)) return (a.attr & 0xF0) == (b.attr & 0xF0);
  return a == b;
}

// The terminal shows the screen's cells in the `cols` x `rows` corner.
void ExpectShows(const FakeTerminal& terminal, const Screen& screen, int cols = kScreenCols,
                 int rows = kScreenRows) {
  for (int row = 1; row <= rows; ++row)
    for (int col = 1; col <= cols; ++col)
      ASSERT_TRUE(LooksAlike(terminal.At(col, row), Sent(screen.At(col, row), terminal.caps)))
          << "cell " << col << "," << row;
  if (cols < kScreenCols || rows < kScreenRows) return;
  EXPECT_EQ(terminal.col, screen.CursorScreenCol());
  EXPECT_EQ(terminal.row, screen.CursorScreenRow());
}

class RendererTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(renderer.Render(screen), kFirstFrame); }
  Screen screen;
  TerminalRenderer renderer;
};

TEST_F(RendererTest, AnUnchangedScreenSendsNothingAndInvalidateRedraws) {
  EXPECT_EQ(renderer.Render(screen), "");
  // A blank that changes colour where only its background shows is unchanged.
  screen.Put(5, 5, Cell{' ', 0x0E});
  screen.Put(6, 5, Cell{0, 0x07});
  EXPECT_EQ(renderer.Render(screen), "");
  renderer.Invalidate();
  EXPECT_EQ(renderer.Render(screen), "\x1b[0;37;40m\x1b[H\x1b[2J");
}

TEST_F(RendererTest, ExactBytesForSmallChanges) {
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
  // A colour change alone is sent, the character again with it.
  screen.Put(10, 5, Cell{'X', 0x0C});
  EXPECT_EQ(renderer.Render(screen), "\x1b[5;10H\x1b[91;40mX\x1b[H");
}

// Blink shows as a bright background; box glyphs go out in UTF-8.
TEST_F(RendererTest, ColoursAndGlyphs) {
  screen.PutText(1, 1, "\xd5\xcd\xb8\xfe", 0x9E);
  EXPECT_EQ(renderer.Render(screen), "\x1b[93;104m╒═╕■\r");
}

TEST_F(RendererTest, BlankRunsAreErased) {
  screen.PutText(1, 25, std::string(80, ' '), 0x1F);
  EXPECT_EQ(renderer.Render(screen), "\x1b[25H\x1b[44m\x1b[K\x1b[H");
  // Inside a row, and to the end of a row on a wider terminal, erase a count.
  TerminalRenderer wide;
  wide.SetTerminalSize(132, 25);
  Screen other;
  other.PutText(1, 25, std::string(80, ' '), 0x1F);
  other.PutText(1, 24, std::string(20, ' '), 0x20);
  EXPECT_EQ(wide.Render(other).substr(17),
            "\x1b[24H\x1b[42m\x1b[20X\x1b[B\x1b[44m\x1b[80X\x1b[H\x1b[?25h");
}

TEST_F(RendererTest, CursorVisibilityAndLeaving) {
  EXPECT_EQ(renderer.Render(screen, false), "\x1b[?25l");
  EXPECT_EQ(renderer.Render(screen, false), "");
  screen.GotoXY(5, 25);
  EXPECT_EQ(renderer.Render(screen, false), "\x1b[25;5H");
  EXPECT_EQ(renderer.Leave(screen), "\r\x1b[0m\x1b[?25h\n\x1b[J");
  // Leaving forgets everything: the next frame starts afresh.
  EXPECT_EQ(renderer.Render(screen).substr(0, 17), "\x1b[0;37;40m\x1b[H\x1b[2J");
}

// The shell's prompt comes on the line under the program's last text, or
// under the cursor when that is lower, and the status bar below the text
// window is erased rather than left behind.
TEST_F(RendererTest, LeavingGoesUnderTheLastTextAndErasesTheStatusBar) {
  screen.SetWindow(1, 1, 80, 24);
  screen.PutText(1, 25, " SYSOP  Idle 0  Time left 60 ", 0x1F);
  screen.PutText(3, 10, "the last line", 0x07);
  screen.GotoXY(1, 3);
  renderer.Render(screen);
  EXPECT_EQ(renderer.Leave(screen), "\x1b[7B\x1b[0m\n\x1b[J");
  screen.GotoXY(5, 12);
  renderer.Render(screen);
  EXPECT_EQ(renderer.Leave(screen), "\r\x1b[0m\n\x1b[J");
}

// ANSI.SYS knows no bright colours, no erasing of characters and no hiding
// of the cursor; a code page 437 terminal gets the screen's bytes.
TEST(Renderer, AnAnsiSysTerminalInCodePage437GetsOnlyWhatItKnows) {
  Screen screen;
  TerminalRenderer renderer(kAnsiSysCp437);
  FakeTerminal terminal(kScreenCols, kScreenRows, kAnsiSysCp437);
  auto render = [&](bool cursor_visible = true) {
    std::string bytes = renderer.Render(screen, cursor_visible);
    terminal.Feed(bytes);
    return bytes;
  };
  EXPECT_EQ(render(false), "\x1b[0;37;40m\x1b[H\x1b[2J");
  // Bold and blink come on with SGR 1 and 5 and go off only with SGR 0. A
  // glyph whose byte is a control goes out as "?".
  screen.PutText(1, 1, "\xd5\xcd\xb8\x01\x81", 0x9E);
  EXPECT_EQ(render(), "\x1b[1;5;33;44m\xd5\xcd\xb8?\x81\r");
  screen.PutText(3, 2, "x", 0x07);
  EXPECT_EQ(render(), "\x1b[2;3H\x1b[0;37;40mx\x1b[H");
  screen.PutText(3, 2, "y", 0x0E);
  EXPECT_EQ(render(), "\x1b[B  \x1b[1;33my\x1b[H");
  // Blanks inside a row are written; to the end of a row they are erased.
  screen.PutText(1, 3, std::string(20, ' '), 0x10);
  screen.PutText(1, 25, std::string(80, ' '), 0x10);
  std::string blanks = render();
  EXPECT_NE(blanks.find(std::string(20, ' ')), std::string::npos) << blanks;
  EXPECT_NE(blanks.find("\x1b[K"), std::string::npos) << blanks;
  ExpectShows(terminal, screen);

  // Leaving erases the rows below the last text one by one, the status
  // bar's among them.
  screen.SetWindow(1, 1, 80, 24);
  screen.PutText(1, 10, "the last line", 0x07);
  screen.GotoXY(1, 3);
  renderer.Render(screen);
  std::string leave = renderer.Leave(screen);
  EXPECT_EQ(leave.substr(0, 8), "\x1b[7B\x1b[0m") << leave;
  size_t erased = 0;
  for (size_t at = leave.find("\x1b[K"); at != std::string::npos; at = leave.find("\x1b[K", at + 1))
    ++erased;
  EXPECT_EQ(erased, 15u);
  EXPECT_EQ(leave.substr(leave.size() - 6), "\x1b[10H\n");
}

// A terminal of 80x24 shows every row but the status bar's. A smaller one
// shows the corner that fits, never wrapped or scrolled, with a notice on
// its last row; large enough again, it gets the whole screen.
TEST(Renderer, ASmallTerminalShowsTheClippedScreenAndANoticeThenAllOfItAgain) {
  Screen screen;
  for (int row = 1; row <= kScreenRows; ++row)
    screen.PutText(1, row, std::string(kScreenCols, static_cast<char>('A' + row)), 0x1E);
  screen.GotoXY(70, 22);
  TerminalRenderer renderer;
  renderer.SetTerminalSize(80, 24);
  FakeTerminal rows24(80, 24);
  rows24.Feed(renderer.Render(screen));
  ExpectShows(rows24, screen, 80, 24);
  EXPECT_EQ(rows24.row, 22);
  renderer.SetTerminalSize(80, 25);
  FakeTerminal full;
  full.Feed(renderer.Render(screen));

  renderer.SetTerminalSize(60, 20);
  FakeTerminal small(60, 20);
  small.Feed(renderer.Render(screen));
  ExpectShows(small, screen, 60, 19);
  EXPECT_NE(small.RowText(20).find("80x24"), std::string::npos) << small.RowText(20);
  screen.PutText(55, 2, "changed while small", 0x0F);
  small.Feed(renderer.Render(screen));
  ExpectShows(small, screen, 60, 19);
  EXPECT_NE(small.RowText(20).find("80x24"), std::string::npos);

  renderer.SetTerminalSize(80, 25);
  full.Feed(renderer.Render(screen));
  ExpectShows(full, screen);
}

// Random changes, each frame checked on the fake terminal: whatever moves
// and erases the renderer picks, the terminal must end up showing the screen.
void RandomChanges(TerminalCaps caps) {
  std::mt19937 random(1234);
  auto pick = [&](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
  const uint8_t attrs[] = {0x07, 0x0F, 0x0C, 0x1E, 0x1F, 0x4F, 0x9E, 0x70};
  const uint8_t chars[] = {' ', ' ', 'a', 'Z', '=', 0xC4, 0xCD, 0xB3, 0xFE, 0, 0xFF, 0x01};
  Screen screen;
  TerminalRenderer renderer(caps);
  FakeTerminal terminal(kScreenCols, kScreenRows, caps);
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
    if (testing::Test::HasFatalFailure()) return;
  }
}

TEST(Renderer, RandomChangesAlwaysShowTheScreen) {
  for (TerminalCaps caps : {TerminalCaps{}, kAnsiSysCp437}) {
    SCOPED_TRACE(caps.ansi_sys ? "ANSI.SYS, code page 437" : "UTF-8");
    RandomChanges(caps);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
}  // namespace platform
