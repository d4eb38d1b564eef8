#include "ui/ui.h"

#include <cstdlib>

namespace ui {

namespace {

constexpr char kCodeMark = '`';

// Foreground colour selected by each code character.
int ForegroundOf(char code) {
  switch (code) {
    case '^':
      return 0;
    case '!':
      return 11;
    case '@':
      return 12;
    case '#':
      return 13;
    case '$':
      return 14;
    case '%':
      return 15;
    case '0':
      return 10;
    default:
      if (code >= '1' && code <= '9') return code - '0';
      return -1;
  }
}

bool IsCodeCharacter(char c) {
  return ForegroundOf(c) >= 0 || c == kCodeMark || c == 'b' || c == 'c';
}

}  // namespace

void Ui::CWrite(std::string_view s) {
  s = s.substr(0, 255);
  std::string plain;  // ordinary characters waiting for the local screen
  auto flush = [&] {
    door.LocalWrite(plain);
    plain.clear();
  };
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] != kCodeMark) {
      plain += s[i++];
      continue;
    }
    flush();
    // A backquote at the very end has no code character: it shows as itself.
    char code = i + 1 < s.size() ? s[i + 1] : '\0';
    if (code == 'r') {
      if (i + 2 < s.size() && s[i + 2] >= '0' && s[i + 2] <= '7') door.DSetBack(s[i + 2] - '0');
      i += 3;
      continue;
    }
    if (!IsCodeCharacter(code)) {
      door.DWrite("`");
      i += 1;
      continue;
    }
    i += 2;
    if (code == kCodeMark) {
      door.DWrite("`");
    } else if (code == 'b') {
      Blink = Blink == 0 ? 128 : 0;
    } else if (code == 'c') {
      door.screen().ClrScr();
      door.LocalWrite("\r\n\r\n");
    } else {
      door.DSetFore(ForegroundOf(code) + Blink);
    }
  }
  flush();
}

void Ui::CWriteLn(std::string_view s) {
  CWrite(s);
  door.DWriteLn("");
}

void Ui::DrawRule(int row) {
  door.DSetFore(4);
  door.DGotoRowCol(row, 1);
  door.DWrite(std::string(78, '\xC4'));
}

std::string StripCodes(std::string_view s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == kCodeMark)
      ++i;  // the code character goes with it
    else
      out += s[i];
  }
  return out;
}

std::string Centre(std::string_view s, int width) {
  int n = (width - static_cast<int>(StripCodes(s).size())) / 2;
  std::string pad(n > 0 ? static_cast<size_t>(n) : 0, ' ');
  return pad + std::string(s) + pad;
}

std::string PadRight(std::string_view s, size_t width) {
  std::string out(s);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string CommaNumber(int32_t n) {
  // Group the digits only, so a minus sign never gets a comma after it.
  std::string digits = std::to_string(std::abs(static_cast<int64_t>(n)));
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return n < 0 ? "-" + out : out;
}

}  // namespace ui
