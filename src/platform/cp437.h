// Code page 437, the character set of the PC text screen, and Unicode: the
// terminal shows the screen as UTF-8 and types UTF-8 back.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// The Unicode code point of the glyph a PC shows for a screen byte (all lie
// in the Basic Multilingual Plane); 0 shows as blank.
char16_t Cp437Glyph(uint8_t byte);

// The UTF-8 text of the glyph a PC shows for a screen byte. The bytes below
// 0x20 are glyphs on the screen (☺ ☻ ♥ ...), not controls; 0 shows as blank.
std::string_view Cp437ToUtf8(uint8_t byte);

// The screen byte that shows a code point, or -1 when code page 437 has no
// such glyph. ASCII maps to itself, controls included.
int UnicodeToCp437(char32_t code_point);

// Text written in UTF-8 (boards on Linux write their drop files that way)
// in screen bytes: when the text is valid UTF-8 and holds characters
// beyond ASCII, each of those becomes its code page 437 byte, or "?" where
// the code page has none. Any other text is taken for screen bytes already
// and stays as it is.
std::string Utf8TextToCp437(std::string_view text);

}  // namespace platform
