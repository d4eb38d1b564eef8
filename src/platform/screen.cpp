#include "platform/screen.h"

#include <algorithm>

namespace platform {

namespace {
constexpr uint8_t kBell = 7;
constexpr uint8_t kBackspace = 8;
constexpr uint8_t kLineFeed = 10;
constexpr uint8_t kCarriageReturn = 13;
}  // namespace

Screen::Screen() = default;

Cell Screen::At(int col, int row) const {
  if (col < 1 || col > kScreenCols || row < 1 || row > kScreenRows) return Cell{};
  return cells_[(row - 1) * kScreenCols + (col - 1)];
}

void Screen::Put(int col, int row, Cell cell) {
  if (col < 1 || col > kScreenCols || row < 1 || row > kScreenRows) return;
  CellAt(col, row) = cell;
  ++version_;
}

void Screen::PutText(int col, int row, std::string_view text, uint8_t attr) {
  for (char c : text) {
    if (col > kScreenCols) break;
    Put(col++, row, Cell{static_cast<uint8_t>(c), attr});
  }
}

std::string Screen::RowText(int row) const {
  std::string text;
  for (int col = 1; col <= kScreenCols; ++col) text += static_cast<char>(At(col, row).ch);
  return text;
}

void Screen::SetWindow(int left, int top, int right, int bottom) {
  left = std::clamp(left, 1, kScreenCols);
  right = std::clamp(right, left, kScreenCols);
  top = std::clamp(top, 1, kScreenRows);
  bottom = std::clamp(bottom, top, kScreenRows);
  window_ = Window{left, top, right, bottom};
  cursor_col_ = 1;
  cursor_row_ = 1;
  ++version_;
}

void Screen::GotoXY(int x, int y) {
  if (x < 1 || x > window_.Width() || y < 1 || y > window_.Height()) return;
  cursor_col_ = x;
  cursor_row_ = y;
  ++version_;
}

int Screen::LastOutputRow() const {
  auto shows_something = [](Cell cell) { return !IsBlank(cell.ch) || (cell.attr & 0xF0) != 0; };
  for (int row = window_.bottom; row > CursorScreenRow(); --row)
    for (int col = window_.left; col <= window_.right; ++col)
      if (shows_something(At(col, row))) return row;
  return CursorScreenRow();
}

void Screen::SetCursorVisible(bool visible) {
  if (visible == cursor_visible_) return;
  cursor_visible_ = visible;
  ++version_;
}

void Screen::ClrScr() {
  for (int row = window_.top; row <= window_.bottom; ++row)
    for (int col = window_.left; col <= window_.right; ++col)
      CellAt(col, row) = Cell{' ', text_attr_};
  cursor_col_ = 1;
  cursor_row_ = 1;
  ++version_;
}

void Screen::ClrEol() {
  int row = CursorScreenRow();
  for (int col = CursorScreenCol(); col <= window_.right; ++col)
    CellAt(col, row) = Cell{' ', text_attr_};
  ++version_;
}

void Screen::Write(std::string_view text) {
  for (char c : text) {
    uint8_t ch = static_cast<uint8_t>(c);
    switch (ch) {
      case kBell:
        ++bells_;
        break;
      case kBackspace:
        if (cursor_col_ > 1) --cursor_col_;
        break;
      case kLineFeed:
        LineFeed();
        break;
      case kCarriageReturn:
        cursor_col_ = 1;
        break;
      default:
        PutChar(ch);
    }
  }
  ++version_;
}

void Screen::PutChar(uint8_t ch) {
  if (cursor_col_ > window_.Width()) {
    cursor_col_ = 1;
    LineFeed();
  }
  CellAt(CursorScreenCol(), CursorScreenRow()) = Cell{ch, text_attr_};
  ++cursor_col_;
  // Like a PC console, wrap as soon as the last column is written, so the
  // cursor never rests outside the window.
  if (cursor_col_ > window_.Width()) {
    cursor_col_ = 1;
    LineFeed();
  }
}

void Screen::LineFeed() {
  if (cursor_row_ < window_.Height())
    ++cursor_row_;
  else
    ScrollWindowUp();
}

// Row by row, each a contiguous run of cells: a caller's text that scrolls
// the window on every line costs a few block copies, not a loop per cell.
void Screen::ScrollWindowUp() {
  const int width = window_.Width();
  for (int row = window_.top; row < window_.bottom; ++row) {
    const Cell* below = &CellAt(window_.left, row + 1);
    std::copy(below, below + width, &CellAt(window_.left, row));
  }
  Cell* last = &CellAt(window_.left, window_.bottom);
  std::fill(last, last + width, Cell{' ', text_attr_});
}

int Screen::TakeBells() {
  int bells = bells_;
  bells_ = 0;
  return bells;
}

}  // namespace platform
