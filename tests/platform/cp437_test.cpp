#include "platform/cp437.h"

#include <gtest/gtest.h>

#include <string>

namespace platform {
namespace {

// Bytes 0x80 and up come back through the text conversion, which also
// shows their UTF-8 well formed; so do the controls, whose glyphs stand for
// no character of a text.
TEST(Cp437, EveryByteIsOneDistinctCharacterThatMapsBack) {
  for (int byte = 1; byte <= 0xFF; ++byte) {
    const auto screen_byte = static_cast<uint8_t>(byte);
    EXPECT_EQ(UnicodeToCp437(Cp437Glyph(screen_byte)), byte);  // so no two share a glyph
    EXPECT_EQ(Utf8TextToCp437(Cp437ToUtf8(screen_byte)),
              byte < 0x20 || byte == 0x7F ? "?" : std::string(1, static_cast<char>(byte)));
  }
  EXPECT_EQ(Cp437ToUtf8(0), " ");

  // The glyphs that screens draw with, and look-alikes typed for them.
  std::string glyphs;
  for (int byte : {0x01, 0x7F, 0x82, 0xC4, 0xE1, 0xFE, 0xFF})
    glyphs += Cp437ToUtf8(static_cast<uint8_t>(byte));
  EXPECT_EQ(glyphs, "☺⌂é─ß■\u00a0");
  EXPECT_EQ(UnicodeToCp437(U'ł'), -1);
  EXPECT_EQ(UnicodeToCp437(U'β'), 0xE1);
  EXPECT_EQ(UnicodeToCp437(U'μ'), 0xE6);
  EXPECT_EQ(UnicodeToCp437(U'\t'), '\t');
}

}  // namespace
}  // namespace platform
