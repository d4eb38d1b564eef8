// Colour-coded text: a backquote and one code character select a colour or
// a screen action. Plain characters go to the local screen only; colour
// changes go through the door console, so both sides see them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "door/door.h"

namespace ui {

class Ui {
 public:
  explicit Ui(door::Door& door) : door(door) {}

  door::Door& door;

  // Accent colours that screens splice into their texts; "/G" changes them.
  std::string HiCode = "`@";
  std::string LoCode = "`4";
  // 0 or 128; added to every foreground a code selects.
  uint8_t Blink = 0;

  void CWrite(std::string_view s);
  void CWriteLn(std::string_view s);
  // A red horizontal rule over columns 1-78 of a row.
  void DrawRule(int row);
};

// Layout helpers; texts may carry colour codes.
std::string StripCodes(std::string_view s);
std::string Centre(std::string_view s, int width);
std::string PadRight(std::string_view s, size_t width);
std::string CommaNumber(int32_t n);

}  // namespace ui
