// Arbitrary bytes through the door console's output path (pipe codes, then
// the local ANSI interpreter), cut into several writes so that sequences
// straddle write boundaries. Whatever arrives, the cursor stays inside the
// window and nothing outside the window changes: with the door's usual
// window of rows 1-24, the status row survives.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "door/door.h"
#include "platform/screen.h"
#include "platform/virtual_console.h"

namespace {

constexpr size_t kMaxWrite = 255;
constexpr uint8_t kMarkAttr = 0x4E;

bool Inside(const platform::Window& w, int col, int row) {
  return col >= w.left && col <= w.right && row >= w.top && row <= w.bottom;
}

platform::Cell Mark(int col, int row) {
  return platform::Cell{static_cast<uint8_t>('A' + (col + row) % 26), kMarkAttr};
}

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "local_ansi_fuzz: %s\n", what);
  std::abort();
}

void MarkOutside(platform::Screen& screen) {
  for (int row = 1; row <= platform::kScreenRows; ++row)
    for (int col = 1; col <= platform::kScreenCols; ++col)
      if (!Inside(screen.window(), col, row)) screen.Put(col, row, Mark(col, row));
}

void CheckOutside(const platform::Screen& screen) {
  for (int row = 1; row <= platform::kScreenRows; ++row)
    for (int col = 1; col <= platform::kScreenCols; ++col)
      if (!Inside(screen.window(), col, row))
        Require(screen.At(col, row) == Mark(col, row), "a cell outside the window changed");
}

void CheckCursor(const platform::Screen& screen) {
  const platform::Window& w = screen.window();
  Require(screen.WhereX() >= 1 && screen.WhereX() <= w.Width(), "cursor column outside window");
  Require(screen.WhereY() >= 1 && screen.WhereY() <= w.Height(), "cursor row outside window");
}

// Writes text in pieces DWrite takes whole, checking the cursor after each.
void WriteAll(door::Door& door, std::string_view text) {
  while (!text.empty()) {
    size_t n = std::min(text.size(), kMaxWrite);
    door.DWrite(text.substr(0, n));
    CheckCursor(door.screen());
    text.remove_prefix(n);
  }
}

}  // namespace

// Input: a window choice, a cut point, then the text.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  platform::VirtualClock clock;
  platform::VirtualConsole console(&clock);
  door::Door door(console, clock);
  platform::Screen& screen = console.screen();
  if (data[0] & 1)
    screen.SetWindow(11, 6, 60, 18);  // a box, so every edge is tried
  else
    screen.SetWindow(1, 1, 80, 24);  // the door's own window
  MarkOutside(screen);

  std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);
  size_t cut = std::min<size_t>(data[1], text.size());
  WriteAll(door, text.substr(0, cut));
  WriteAll(door, text.substr(cut));
  CheckOutside(screen);
  return 0;
}
