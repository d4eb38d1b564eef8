// The 80x25 text screen: a grid of character cells with attributes, a text
// window, a cursor inside it and a current text attribute. Every console
// backend keeps one of these and shows it; all positions are 1-based.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

inline constexpr int kScreenCols = 80;
inline constexpr int kScreenRows = 25;

// Attribute byte as on a PC text screen: foreground in bits 0-3,
// background in bits 4-6, bit 7 blink (shown as a bright background).
struct Cell {
  uint8_t ch = ' ';
  uint8_t attr = 0x07;
  bool operator==(const Cell&) const = default;
};

// 0 and 255 show as blank on a PC, as a space does: a blank cell shows
// only its background.
inline bool IsBlank(uint8_t ch) {
  return ch == ' ' || ch == 0 || ch == 0xFF;
}

struct Window {
  int left = 1, top = 1, right = kScreenCols, bottom = kScreenRows;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
};

class Screen {
 public:
  Screen();

  // Whole-screen cell access, screen coordinates. Out-of-range positions
  // read as a blank cell and are ignored on write.
  Cell At(int col, int row) const;
  void Put(int col, int row, Cell cell);
  // Writes characters with one attribute starting at (col, row), without
  // touching the cursor; stops at the right edge of the screen.
  void PutText(int col, int row, std::string_view text, uint8_t attr);
  // The characters of a screen row, trailing blanks kept.
  std::string RowText(int row) const;

  void SetWindow(int left, int top, int right, int bottom);
  const Window& window() const { return window_; }

  // Cursor, relative to the window.
  int WhereX() const { return cursor_col_; }
  int WhereY() const { return cursor_row_; }
  // Ignored when the position lies outside the window.
  void GotoXY(int x, int y);
  // Cursor in screen coordinates, for the backends.
  int CursorScreenCol() const { return window_.left + cursor_col_ - 1; }
  int CursorScreenRow() const { return window_.top + cursor_row_ - 1; }
  // The window's lowest row that shows anything (a character, or a blank
  // with a background colour), and never one above the cursor's: where a
  // backend hands the console back, the prompt goes on the row below.
  int LastOutputRow() const;

  // Whether the text cursor is shown; screens that draw their own pointer
  // hide it while they run.
  bool CursorVisible() const { return cursor_visible_; }
  void SetCursorVisible(bool visible);

  uint8_t TextAttr() const { return text_attr_; }
  void SetTextAttr(uint8_t attr) { text_attr_ = attr; }

  void ClrScr();  // clears the window with the current attribute, cursor home
  void ClrEol();  // clears from the cursor to the window's right edge

  // Writes text at the cursor: printable bytes are placed with the current
  // attribute and wrap at the window's right edge; CR returns to the first
  // column, LF moves down (scrolling the window at its bottom), backspace
  // moves left, bell is counted for the backend to sound.
  void Write(std::string_view text);

  // Bells written since the last call.
  int TakeBells();
  // Bumped on every change; lets a backend skip redrawing an unchanged screen.
  uint64_t version() const { return version_; }

 private:
  Cell& CellAt(int col, int row) { return cells_[(row - 1) * kScreenCols + (col - 1)]; }
  void PutChar(uint8_t ch);
  void LineFeed();
  void ScrollWindowUp();

  std::array<Cell, kScreenCols * kScreenRows> cells_{};
  Window window_{};
  int cursor_col_ = 1;
  int cursor_row_ = 1;
  uint8_t text_attr_ = 0x07;
  bool cursor_visible_ = true;
  int bells_ = 0;
  uint64_t version_ = 0;
};

}  // namespace platform
