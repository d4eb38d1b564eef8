#include "door/local_ansi.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace door {

namespace {

constexpr char kEsc = 27;
constexpr uint8_t kBright = 0x08;
constexpr uint8_t kBlink = 0x80;
constexpr uint8_t kBackground = 0x70;
constexpr uint8_t kForeground = 0x0F;

// A count of zero or an absent one means one, as terminals take it. The
// upper bound keeps the cursor arithmetic far from overflow; no window is
// that large anyway.
int Count(int32_t param) {
  return std::clamp<int32_t>(param, 1, 1000);
}

bool IsIgnoredInSequence(char c) {
  return c == ' ' || c == '<' || c == '=' || c == '>' || c == '?';
}

uint8_t WithForeground(uint8_t attr, int ansi) {
  uint8_t fore = AnsiColourMap(static_cast<uint8_t>(ansi));
  if ((attr & kForeground) >= kBright) fore |= kBright;
  return static_cast<uint8_t>((attr & kBackground) | fore);
}

uint8_t WithBackground(uint8_t attr, int ansi) {
  uint8_t back = AnsiColourMap(static_cast<uint8_t>(ansi));
  return static_cast<uint8_t>((attr & (kBlink | kForeground)) | (back << 4));
}

uint8_t Reversed(uint8_t attr) {
  int fore = attr & 0x07;
  int back = (attr >> 4) & 0x07;
  return static_cast<uint8_t>((fore << 4) | back);
}

}  // namespace

uint8_t AnsiColourMap(uint8_t colour) {
  static constexpr uint8_t kMap[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return kMap[colour & 7];
}

void LocalAnsi::Render(platform::Screen& screen, std::string_view text) {
  // Ordinary characters go to the screen in runs, straight from the text:
  // a run ends where an ESC, a "[" or a sequence starts, and at the end.
  size_t run = 0;
  auto flush = [&](size_t end) {
    if (end > run) screen.Write(text.substr(run, end - run));
  };
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == kEsc) {
      flush(i);
      escape_pending_ = true;
      in_sequence_ = false;
    } else if (escape_pending_ && c == '[') {
      flush(i);
      escape_pending_ = false;
      in_sequence_ = true;
      digits_.clear();
      index_ = 1;
      params_.fill(-1);
    } else if (!in_sequence_) {
      // Characters between an ESC and its "[" are shown like any other.
      continue;
    } else if (c >= '0' && c <= '9') {
      digits_ += c;
    } else if (c == ';') {
      StoreParameter();
      if (index_ < static_cast<int>(params_.size())) ++index_;
    } else if (!IsIgnoredInSequence(c)) {
      StoreParameter();
      Execute(screen, c);
      in_sequence_ = false;
    }
    run = i + 1;
  }
  flush(text.size());
}

void LocalAnsi::StoreParameter() {
  // Saturates instead of overflowing on an absurd run of digits.
  int64_t value = 0;
  for (char d : digits_) {
    value = std::min<int64_t>(value * 10 + (d - '0'), std::numeric_limits<int32_t>::max());
  }
  params_[index_ - 1] = static_cast<int32_t>(value);
  digits_.clear();
}

void LocalAnsi::Execute(platform::Screen& screen, char command) {
  const platform::Window& w = screen.window();
  int x = screen.WhereX();
  int y = screen.WhereY();
  switch (command) {
    case 'A':
      screen.GotoXY(x, std::max(1, y - Count(params_[0])));
      break;
    case 'B':
      screen.GotoXY(x, std::min(w.Height(), y + Count(params_[0])));
      break;
    case 'C':
      screen.GotoXY(std::min(w.Width(), x + Count(params_[0])), y);
      break;
    case 'D':
      screen.GotoXY(std::max(1, x - Count(params_[0])), y);
      break;
    case 'H':
    case 'f':
      // GotoXY leaves the cursor alone when the place is outside the window.
      screen.GotoXY(std::max(1, params_[1]), std::max(1, params_[0]));
      break;
    case 'J':
      if (params_[0] == 2) screen.ClrScr();
      break;
    case 'K':
      screen.ClrEol();
      break;
    case 'm':
      ApplySgr(screen);
      break;
    case 's':
      saved_col_ = x;
      saved_row_ = y;
      break;
    case 'u':
      screen.GotoXY(saved_col_, saved_row_);
      break;
    default:
      break;
  }
}

void LocalAnsi::ApplySgr(platform::Screen& screen) {
  uint8_t attr = screen.TextAttr();
  for (int32_t p : params_) {
    if (p < 0) break;
    if (p == 0) {
      attr = 0x07;
    } else if (p == 1) {
      attr |= kBright;
    } else if (p == 7) {
      attr = Reversed(attr);
    } else if (p == 8) {
      attr = 0;
    } else if (p >= 30 && p <= 37) {
      attr = WithForeground(attr, p - 30);
    } else if (p >= 40 && p <= 47) {
      attr = WithBackground(attr, p - 40);
    }
  }
  screen.SetTextAttr(attr);
}

}  // namespace door
