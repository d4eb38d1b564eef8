// Draws the screen on an ANSI terminal with as few bytes as it can: it
// remembers what the terminal shows and sends only the cells that differ,
// choosing the cheapest cursor moves and colour changes on the way. Pure
// logic: the caller writes the bytes.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/screen.h"

namespace platform {

// The smallest terminal that shows the program's screens whole: all their
// rows but the status bar's, which is left out when the terminal has no
// row for it.
inline constexpr int kMinTerminalCols = kScreenCols;
inline constexpr int kMinTerminalRows = kScreenRows - 1;

// What the terminal understands, told by the locale and the terminal type.
struct TerminalCaps {
  // UTF-8 text. Otherwise the screen's code page 437 bytes go out as they
  // are, for a terminal that shows that code page (a caller's, behind a
  // board's pseudo-terminal); a cell holding one of the glyphs below 0x20
  // shows "?", since those bytes would be taken for controls.
  bool utf8 = true;
  // No more than an ANSI.SYS-style terminal knows: cursor position and
  // moves, erasing the display and a line, SGR 0, 1, 5, 7, 30-37 and 40-47.
  // Bright text is bold (SGR 1), a blinking cell blinks (SGR 5), and the
  // cursor stays shown.
  bool ansi_sys = false;
};

// Whether a terminal type (TERM) names an ANSI.SYS-style terminal: ansi,
// ansi-bbs, ansi.sys, pcansi, scoansi and the other "-" variants of these.
bool IsAnsiSysTerminal(std::string_view term);

class TerminalRenderer {
 public:
  explicit TerminalRenderer(TerminalCaps caps = {}) : caps_(caps) { Invalidate(); }

  // Forgets what the terminal shows (at the start, after a resize): the
  // next frame clears it and draws every cell again.
  void Invalidate();
  // The terminal's size; a new size redraws everything. A terminal of
  // kMinTerminalRows shows every row but the status bar's. One smaller than
  // that shows the part that fits, clipped at its edges and never wrapped
  // or scrolled, and a notice on its last row that asks for the size
  // needed. (One wider than the screen would colour the cells right of it
  // when a line is erased with a coloured background.)
  void SetTerminalSize(int cols, int rows);

  // The bytes that bring the terminal up to date with the screen and leave
  // its cursor at the screen's cursor, shown or hidden.
  std::string Render(const Screen& screen, bool cursor_visible = true);
  // The bytes that hand the terminal back to the shell: default colours,
  // cursor shown, on the line below the program's last output. Forgets the
  // terminal's state.
  std::string Leave(const Screen& screen);

 private:
  struct Cursor {
    bool known = false;
    int col = 1, row = 1;
  };

  bool TooSmall() const {
    return terminal_cols_ < kMinTerminalCols || terminal_rows_ < kMinTerminalRows;
  }
  // The screen's columns and rows that the terminal shows.
  int VisibleCols() const { return std::min(kScreenCols, terminal_cols_); }
  int VisibleRows() const {
    return std::min(kScreenRows, TooSmall() ? terminal_rows_ - 1 : terminal_rows_);
  }
  void DrawNotice();

  Cell& Shown(int col, int row) { return shown_[(row - 1) * kScreenCols + (col - 1)]; }
  const Cell& Shown(int col, int row) const { return shown_[(row - 1) * kScreenCols + (col - 1)]; }
  void StartFrame();
  void DrawRow(const Screen& screen, int row);
  int EraseBlankRun(const Screen& screen, int col, int row);
  void WriteCell(const Screen& screen, int col, int row);
  void SetBlankBackground(const Screen& screen, int col, int row, uint8_t background);
  void SetAttr(uint8_t attr);
  void MoveTo(int col, int row);
  std::string CheapestMove(int col, int row) const;
  std::string VerticalMove(int row) const;
  std::string HorizontalMove(int col, int row) const;
  std::string ForwardFrom(int from, int to, int row) const;
  bool Writable(const Cell& cell) const;
  std::string_view Glyph(uint8_t ch) const;
  std::string Sgr(uint8_t attr) const;
  std::string AnsiSysSgr(uint8_t attr) const;
  void EraseBelow(int row);

  TerminalCaps caps_;
  std::array<Cell, kScreenCols * kScreenRows> shown_{};
  bool valid_ = false;
  uint8_t attr_ = 0x07;  // the terminal's current colours
  Cursor cursor_;
  std::optional<bool> cursor_visible_;
  bool notice_shown_ = false;
  int terminal_cols_ = kScreenCols;
  int terminal_rows_ = kScreenRows;
  std::string out_;
};

// The SGR parameters of a PC attribute's foreground and background.
int AnsiForeground(uint8_t attr);
int AnsiBackground(uint8_t attr);

}  // namespace platform
