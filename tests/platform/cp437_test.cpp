#include "platform/cp437.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace platform {
namespace {

// Decodes a string that must hold exactly one UTF-8 character.
char32_t OnlyCodePoint(std::string_view text) {
  auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  if (text.size() == 1 && byte(0) < 0x80) return byte(0);
  if (text.size() == 2 && (byte(0) & 0xE0) == 0xC0 && (byte(1) & 0xC0) == 0x80)
    return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
  if (text.size() == 3 && (byte(0) & 0xF0) == 0xE0 && (byte(1) & 0xC0) == 0x80 &&
      (byte(2) & 0xC0) == 0x80)
    return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
  return 0;
}

TEST(Cp437, EveryByteIsOneDistinctCharacterThatMapsBack) {
  std::set<char32_t> seen;
  for (int byte = 1; byte <= 0xFF; ++byte) {
    char32_t cp = OnlyCodePoint(Cp437ToUtf8(static_cast<uint8_t>(byte)));
    ASSERT_NE(cp, 0u) << "byte " << byte;
    EXPECT_TRUE(seen.insert(cp).second) << "byte " << byte << " repeats a glyph";
    EXPECT_EQ(UnicodeToCp437(cp), byte);
    EXPECT_TRUE(byte < 0x20 || byte >= 0x7F || cp == static_cast<char32_t>(byte)) << byte;
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
