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

#include "platform/screen.h"

namespace platform {

class TerminalRenderer {
 public:
  TerminalRenderer() { Invalidate(); }

  // Forgets what the terminal shows (at the start, after a resize): the
  // next frame clears it and draws every cell again.
  void Invalidate();
  // The terminal's size; a new size redraws everything. A terminal smaller
  // than the screen shows the part that fits, clipped at its edges and
  // never wrapped or scrolled, and a notice on its last row that asks for
  // the full size. (One wider than the screen would colour the cells right
  // of it when a line is erased with a coloured background.)
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

  bool TooSmall() const { return terminal_cols_ < kScreenCols || terminal_rows_ < kScreenRows; }
  // The screen's columns and rows that the terminal shows.
  int VisibleCols() const { return std::min(kScreenCols, terminal_cols_); }
  int VisibleRows() const {
    return TooSmall() ? std::min(kScreenRows, terminal_rows_ - 1) : kScreenRows;
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
