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

  // The current item of the menus and pickers, shared with their callers:
  // 1-26 an item, -1 "start at item 1", -1 to -10 on return F1 to F10.
  int16_t MenuPos = -1;
  // Items moved by Up and Down in a list picker: 2 for the two-column
  // lists, 1 while a single-column editor runs.
  uint8_t PickUpStep = 2;
  uint8_t PickDownStep = 2;

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
