#include "platform/terminal_renderer.h"

#include <string_view>
#include <utility>

#include "platform/cp437.h"

namespace platform {

namespace {

constexpr std::array<int, 8> kPcToAnsiColour = {0, 4, 2, 6, 1, 5, 3, 7};
// Light grey on black, the colours of a cleared PC screen, then home and
// clear: with the background set first the cleared cells are black even
// where the terminal's own default colours differ.
constexpr std::string_view kStartFrame = "\x1b[0;37;40m\x1b[H\x1b[2J";
constexpr uint8_t kStartAttr = 0x07;
// Shown on the last row of a terminal too small for the screen.
constexpr std::string_view kSmallNotice = " Please make this terminal 80x24 ";
constexpr uint8_t kNoticeAttr = 0x70;  // black on light grey

uint8_t Background(uint8_t attr) {
  return attr & 0xF0;
}

// What a cell looks like: a blank shows only its background, so blanks that
// differ in foreground alone look the same and need no redraw.
Cell Appearance(Cell cell) {
  if (IsBlank(cell.ch)) return Cell{' ', Background(cell.attr)};
  return cell;
}

// A control sequence with one number, left out when it is the default 1.
std::string Csi(int n, char final) {
  std::string text = "\x1b[";
  if (n != 1) text += std::to_string(n);
  text += final;
  return text;
}

std::string CursorPosition(int col, int row) {
  if (col == 1) return row == 1 ? "\x1b[H" : "\x1b[" + std::to_string(row) + "H";
  return "\x1b[" + std::to_string(row) + ";" + std::to_string(col) + "H";
}

void KeepShorter(std::string& best, std::string candidate) {
  if (candidate.size() < best.size()) best = std::move(candidate);
}

// The byte a code page 437 terminal is sent for a screen byte: the byte
// itself, but "?" for the glyphs whose bytes a terminal takes for controls.
std::string_view Cp437Byte(uint8_t byte) {
  static const std::array<char, 256> bytes = [] {
    std::array<char, 256> table{};
    for (size_t i = 0; i < table.size(); ++i)
      table[i] = i < 0x20 || i == 0x7F ? '?' : static_cast<char>(i);
    table[0] = ' ';
    return table;
  }();
  return {&bytes[byte], 1};
}

}  // namespace

bool IsAnsiSysTerminal(std::string_view term) {
  if (term == "ansi.sys") return true;
  for (std::string_view name : {"ansi", "pcansi", "scoansi"}) {
    if (term.substr(0, name.size()) != name) continue;
    if (term.size() == name.size() || term[name.size()] == '-') return true;
  }
  return false;
}

int AnsiForeground(uint8_t attr) {
  int colour = kPcToAnsiColour[attr & 0x07];
  return (attr & 0x08) != 0 ? 90 + colour : 30 + colour;
}

int AnsiBackground(uint8_t attr) {
  int colour = kPcToAnsiColour[(attr >> 4) & 0x07];
  return (attr & 0x80) != 0 ? 100 + colour : 40 + colour;
}

void TerminalRenderer::Invalidate() {
  valid_ = false;
  cursor_.known = false;
  notice_shown_ = false;
}

void TerminalRenderer::SetTerminalSize(int cols, int rows) {
  if (cols == terminal_cols_ && rows == terminal_rows_) return;
  terminal_cols_ = cols;
  terminal_rows_ = rows;
  Invalidate();
}

std::string TerminalRenderer::Render(const Screen& screen, bool cursor_visible) {
  out_.clear();
  if (terminal_cols_ < 1 || terminal_rows_ < 1) return {};
  if (!valid_) StartFrame();
  for (int row = 1; row <= VisibleRows(); ++row) DrawRow(screen, row);
  if (TooSmall() && !notice_shown_) DrawNotice();
  MoveTo(std::min(screen.CursorScreenCol(), VisibleCols()),
         std::clamp(screen.CursorScreenRow(), 1, std::max(VisibleRows(), 1)));
  if (!caps_.ansi_sys && cursor_visible_ != cursor_visible) {
    out_ += cursor_visible ? "\x1b[?25h" : "\x1b[?25l";
    cursor_visible_ = cursor_visible;
  }
  return std::move(out_);
}

// The prompt goes under the last line the program wrote in its window (or
// under the cursor when that is lower); what lies below, the status bar
// among it, is erased.
std::string TerminalRenderer::Leave(const Screen& screen) {
  out_.clear();
  int row = std::clamp(screen.LastOutputRow(), 1, std::max(VisibleRows(), 1));
  MoveTo(1, row);  // before the reset: the move may rewrite cells in their colours
  out_ += "\x1b[0m";
  attr_ = kStartAttr;
  if (caps_.ansi_sys) {
    EraseBelow(row);
    out_ += "\n";
  } else {
    if (cursor_visible_ != true) out_ += "\x1b[?25h";
    out_ += "\n\x1b[J";
  }
  cursor_visible_ = true;
  Invalidate();
  return std::move(out_);
}

// ANSI.SYS erases no more than the whole display or a line: each row below
// is erased on its own, and the cursor goes back to the row given.
void TerminalRenderer::EraseBelow(int row) {
  for (int below = row + 1; below <= VisibleRows(); ++below) {
    MoveTo(1, below);
    out_ += "\x1b[K";
  }
  MoveTo(1, row);
}

void TerminalRenderer::DrawNotice() {
  MoveTo(1, terminal_rows_);
  SetAttr(kNoticeAttr);
  // The terminal's last column stays empty: writing there could wrap.
  std::string_view notice = kSmallNotice.substr(0, static_cast<size_t>(terminal_cols_ - 1));
  out_ += notice;
  cursor_.col += static_cast<int>(notice.size());
  notice_shown_ = true;
}

void TerminalRenderer::StartFrame() {
  out_ += kStartFrame;
  attr_ = kStartAttr;
  shown_.fill(Appearance(Cell{' ', kStartAttr}));
  cursor_ = Cursor{true, 1, 1};
  valid_ = true;
}

void TerminalRenderer::DrawRow(const Screen& screen, int row) {
  for (int col = 1; col <= VisibleCols();) {
    Cell want = Appearance(screen.At(col, row));
    if (want == Shown(col, row)) {
      ++col;
      continue;
    }
    int next = want.ch == ' ' ? EraseBlankRun(screen, col, row) : 0;
    if (next == 0) {
      WriteCell(screen, col, row);
      next = col + 1;
    }
    col = next;
  }
}

// Blanks the changed blanks from `col` on with one erase when that is
// shorter than writing spaces; returns the column after them, or 0 when
// spaces are cheaper.
int TerminalRenderer::EraseBlankRun(const Screen& screen, int col, int row) {
  Cell want = Appearance(screen.At(col, row));
  int run_end = col;
  int last_changed = col;
  for (int x = col + 1; x <= VisibleCols(); ++x) {
    Cell cell = Appearance(screen.At(x, row));
    if (cell != want) break;
    run_end = x;
    if (cell != Shown(x, row)) last_changed = x;
  }
  int count = last_changed - col + 1;
  bool to_line_end = run_end == VisibleCols() && (want.attr == 0 || terminal_cols_ <= kScreenCols);
  if (!to_line_end && caps_.ansi_sys) return 0;  // no erasing of characters there
  std::string erase = to_line_end ? "\x1b[K" : Csi(count, 'X');
  // Spaces leave the cursor after the run, an erase leaves it at its start:
  // within the row that costs a step forward.
  size_t cost = erase.size() + (to_line_end ? 0 : Csi(count, 'C').size());
  if (cost >= static_cast<size_t>(count)) return 0;
  MoveTo(col, row);
  SetBlankBackground(screen, col, row, want.attr);
  out_ += erase;
  int end = to_line_end ? VisibleCols() : last_changed;
  for (int x = col; x <= end; ++x) Shown(x, row) = want;
  return end + 1;
}

void TerminalRenderer::WriteCell(const Screen& screen, int col, int row) {
  Cell want = Appearance(screen.At(col, row));
  MoveTo(col, row);
  if (want.ch == ' ')
    SetBlankBackground(screen, col, row, want.attr);
  else
    SetAttr(want.attr);
  out_ += Glyph(want.ch);
  Shown(col, row) = want;
  // In the last column the cursor stays put with a wrap pending, or wraps,
  // depending on the terminal: only an absolute move is safe after it.
  if (col == VisibleCols())
    cursor_.known = false;
  else
    cursor_.col = col + 1;
}

// A blank needs only its background. The foreground is taken from the text
// that follows on the same background, so that text needs no change of its
// own; failing that, the current foreground stays.
void TerminalRenderer::SetBlankBackground(const Screen& screen, int col, int row,
                                          uint8_t background) {
  if (Background(attr_) == background) return;
  uint8_t attr = (attr_ & 0x0F) | background;
  for (int x = col + 1; x <= VisibleCols(); ++x) {
    Cell next = Appearance(screen.At(x, row));
    if (next.ch == ' ' || next == Shown(x, row)) continue;
    if (Background(next.attr) == background) attr = next.attr;
    break;
  }
  SetAttr(attr);
}

void TerminalRenderer::SetAttr(uint8_t attr) {
  if (attr == attr_) return;
  out_ += caps_.ansi_sys ? AnsiSysSgr(attr) : Sgr(attr);
  attr_ = attr;
}

// Sends only the half of the attribute that changed.
std::string TerminalRenderer::Sgr(uint8_t attr) const {
  std::string params;
  if (AnsiForeground(attr) != AnsiForeground(attr_)) params = std::to_string(AnsiForeground(attr));
  if (AnsiBackground(attr) != AnsiBackground(attr_)) {
    if (!params.empty()) params += ';';
    params += std::to_string(AnsiBackground(attr));
  }
  return "\x1b[" + params + "m";
}

// Bold (the bright bit) and blink can be turned on, but only SGR 0 turns
// them off; after it both colours are sent again, since a terminal's own
// defaults may differ from a PC's.
std::string TerminalRenderer::AnsiSysSgr(uint8_t attr) const {
  constexpr uint8_t kBold = 0x08, kBlink = 0x80;
  bool reset = (attr_ & ~attr & (kBold | kBlink)) != 0;
  std::string params = reset ? "0;" : "";
  if ((attr & kBold) != 0 && (reset || (attr_ & kBold) == 0)) params += "1;";
  if ((attr & kBlink) != 0 && (reset || (attr_ & kBlink) == 0)) params += "5;";
  if (reset || (attr & 0x07) != (attr_ & 0x07))
    params += std::to_string(30 + kPcToAnsiColour[attr & 0x07]) + ";";
  if (reset || (attr & 0x70) != (attr_ & 0x70))
    params += std::to_string(40 + kPcToAnsiColour[(attr >> 4) & 0x07]) + ";";
  params.back() = 'm';
  return "\x1b[" + params;
}

void TerminalRenderer::MoveTo(int col, int row) {
  if (cursor_.known && cursor_.col == col && cursor_.row == row) return;
  out_ += CheapestMove(col, row);
  cursor_ = Cursor{true, col, row};
}

std::string TerminalRenderer::CheapestMove(int col, int row) const {
  std::string best = CursorPosition(col, row);
  if (cursor_.known) KeepShorter(best, VerticalMove(row) + HorizontalMove(col, row));
  return best;
}

// An absolute move within a row or a column comes first, as the cheapest of
// equals; ANSI.SYS knows none, and there the whole position is the
// fall-back.
std::string TerminalRenderer::VerticalMove(int row) const {
  int rows = row - cursor_.row;
  if (rows == 0) return "";
  std::string best = caps_.ansi_sys ? CursorPosition(cursor_.col, row) : Csi(row, 'd');
  KeepShorter(best, rows > 0 ? Csi(rows, 'B') : Csi(-rows, 'A'));
  return best;
}

std::string TerminalRenderer::HorizontalMove(int col, int row) const {
  int from = cursor_.col;
  if (col == from) return "";
  std::string best = caps_.ansi_sys ? CursorPosition(col, row) : Csi(col, 'G');
  if (col > from) {
    KeepShorter(best, ForwardFrom(from, col, row));
  } else {
    KeepShorter(best, std::string(from - col, '\b'));
    KeepShorter(best, Csi(from - col, 'D'));
  }
  KeepShorter(best, "\r" + ForwardFrom(1, col, row));
  return best;
}

// Moves right along a row: a cursor-forward, or rewriting the cells on the
// way when they are short and already in the current colours. Those cells
// come before the next change, so they are up to date.
std::string TerminalRenderer::ForwardFrom(int from, int to, int row) const {
  if (from == to) return "";
  std::string forward = Csi(to - from, 'C');
  std::string cells;
  for (int x = from; x < to; ++x) {
    const Cell& cell = Shown(x, row);
    if (!Writable(cell)) return forward;
    cells += Glyph(cell.ch);
    if (cells.size() >= forward.size()) return forward;
  }
  return cells;
}

std::string_view TerminalRenderer::Glyph(uint8_t ch) const {
  return caps_.utf8 ? Cp437ToUtf8(ch) : Cp437Byte(ch);
}

bool TerminalRenderer::Writable(const Cell& cell) const {
  if (cell.ch == ' ') return Background(cell.attr) == Background(attr_);
  return cell.attr == attr_;
}

}  // namespace platform
