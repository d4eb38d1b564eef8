#include "platform/cp437.h"

#include <array>
#include <string>

namespace platform {

namespace {

// The glyph of each screen byte, as a PC draws it.
constexpr std::array<char16_t, 256> kGlyphs = {
    0x0020, 0x263A, 0x263B, 0x2665, 0x2666, 0x2663, 0x2660, 0x2022,  // 00
    0x25D8, 0x25CB, 0x25D9, 0x2642, 0x2640, 0x266A, 0x266B, 0x263C,  //
    0x25BA, 0x25C4, 0x2195, 0x203C, 0x00B6, 0x00A7, 0x25AC, 0x21A8,  // 10
    0x2191, 0x2193, 0x2192, 0x2190, 0x221F, 0x2194, 0x25B2, 0x25BC,  //
    0x0020, 0x0021, 0x0022, 0x0023, 0x0024, 0x0025, 0x0026, 0x0027,  // 20
    0x0028, 0x0029, 0x002A, 0x002B, 0x002C, 0x002D, 0x002E, 0x002F,  //
    0x0030, 0x0031, 0x0032, 0x0033, 0x0034, 0x0035, 0x0036, 0x0037,  // 30
    0x0038, 0x0039, 0x003A, 0x003B, 0x003C, 0x003D, 0x003E, 0x003F,  //
    0x0040, 0x0041, 0x0042, 0x0043, 0x0044, 0x0045, 0x0046, 0x0047,  // 40
    0x0048, 0x0049, 0x004A, 0x004B, 0x004C, 0x004D, 0x004E, 0x004F,  //
    0x0050, 0x0051, 0x0052, 0x0053, 0x0054, 0x0055, 0x0056, 0x0057,  // 50
    0x0058, 0x0059, 0x005A, 0x005B, 0x005C, 0x005D, 0x005E, 0x005F,  //
    0x0060, 0x0061, 0x0062, 0x0063, 0x0064, 0x0065, 0x0066, 0x0067,  // 60
    0x0068, 0x0069, 0x006A, 0x006B, 0x006C, 0x006D, 0x006E, 0x006F,  //
    0x0070, 0x0071, 0x0072, 0x0073, 0x0074, 0x0075, 0x0076, 0x0077,  // 70
    0x0078, 0x0079, 0x007A, 0x007B, 0x007C, 0x007D, 0x007E, 0x2302,  //
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  //
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  //
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  //
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  //
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  //
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  //
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  //
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  //
};

// Look-alikes people type for glyphs the table names by another code point.
struct Alias {
  char16_t code_point;
  uint8_t byte;
};
constexpr std::array<Alias, 4> kAliases = {{
    {0x03B2, 0xE1},  // Greek beta for the sharp s
    {0x03BC, 0xE6},  // Greek mu for the micro sign
    {0x2211, 0xE4},  // n-ary sum for capital sigma
    {0x2126, 0xEA},  // ohm sign for capital omega
}};

std::string EncodeUtf8(char32_t cp) {
  std::string text;
  if (cp < 0x80) {
    text += static_cast<char>(cp);
  } else if (cp < 0x800) {
    text += static_cast<char>(0xC0 | (cp >> 6));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | (cp >> 12));
    text += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return text;
}

// The length of the well-formed UTF-8 character at the front of `text`,
// with its code point; 0 when the bytes there are none.
size_t DecodeUtf8(std::string_view text, char32_t& code_point) {
  auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  uint8_t lead = byte(0);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  size_t length = 0;
  char32_t smallest = 0;  // anything below it is an overlong form
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    smallest = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  code_point = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (byte(i) & 0x3F);
  }
  bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
  return code_point >= smallest && code_point <= 0x10FFFF && !surrogate ? length : 0;
}

const std::array<std::string, 256>& Utf8Glyphs() {
  static const std::array<std::string, 256> glyphs = [] {
    std::array<std::string, 256> texts;
    for (size_t i = 0; i < texts.size(); ++i) texts[i] = EncodeUtf8(kGlyphs[i]);
    return texts;
  }();
  return glyphs;
}

}  // namespace

char16_t Cp437Glyph(uint8_t byte) {
  return kGlyphs[byte];
}

std::string_view Cp437ToUtf8(uint8_t byte) {
  return Utf8Glyphs()[byte];
}

int UnicodeToCp437(char32_t code_point) {
  if (code_point < 0x80) return static_cast<int>(code_point);
  // Byte 0 shares the blank with the space, so it is never the answer.
  for (int byte = 1; byte <= 0xFF; ++byte)
    if (kGlyphs[byte] == code_point) return byte;
  for (const Alias& alias : kAliases)
    if (alias.code_point == code_point) return alias.byte;
  return -1;
}

std::string Utf8TextToCp437(std::string_view text) {
  std::string converted;
  bool beyond_ascii = false;
  for (size_t at = 0; at < text.size();) {
    char32_t code_point = 0;
    size_t length = DecodeUtf8(text.substr(at), code_point);
    if (length == 0) return std::string(text);
    if (length == 1) {
      converted += text[at];
    } else {
      beyond_ascii = true;
      // A glyph whose byte is a control (☺ is 1) stands for no character
      // of a text.
      int byte = UnicodeToCp437(code_point);
      converted += byte >= 0x80 ? static_cast<char>(byte) : '?';
    }
    at += length;
  }
  return beyond_ascii ? converted : std::string(text);
}

}  // namespace platform
