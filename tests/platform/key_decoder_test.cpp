#include "platform/key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace platform {
namespace {

// Feeds the bytes, then (when asked) the escape timeout, and returns the keys.
std::string Decode(KeyDecoder& decoder, std::string_view bytes, bool timeout = false) {
  for (char byte : bytes) decoder.Feed(static_cast<uint8_t>(byte));
  if (timeout) decoder.Flush();
  std::string keys;
  while (decoder.HasKey()) keys += decoder.TakeKey();
  return keys;
}

std::string Decode(std::string_view bytes, bool timeout = false) {
  KeyDecoder decoder;
  return Decode(decoder, bytes, timeout);
}

// Extended keys as the PC knows them: a zero byte, then the scan code
// ("H" the up arrow, "P" down, "K" left, "M" right, "G" Home, "O" End, "I"
// PgUp, "Q" PgDn, "R" Ins, "S" Del, ";" to "D" F1 to F10).
std::string Ext(std::string_view scans) {
  std::string keys;
  for (char scan : scans) keys += {'\0', scan};
  return keys;
}

TEST(KeyDecoder, OrdinaryCursorAndFunctionKeysInEveryForm) {
  // Line feed and DEL are the terminal's Enter and Backspace; Ctrl-@ must
  // not pose as the start of an extended key.
  using namespace std::string_literals;
  EXPECT_EQ(Decode("aZ 9~\t\x03\rx\ny\x7f\0b"s), "aZ 9~\t\x03\rx\ry\bb");
  EXPECT_EQ(Decode("\x1b[A\x1b[B\x1b[C\x1b[D\x1bOA\x1bOB\x1bOC\x1bOD\x1b[1;5A\x1b[1;2D"),
            Ext("HPMKHPMKHK"));
  EXPECT_EQ(Decode("\x1b[H\x1b[1~\x1b[7~\x1bOH\x1b[1;5H\x1b[F\x1b[4~\x1b[8~\x1bOF"),
            Ext("GGGGGOOOO"));
  EXPECT_EQ(Decode("\x1b[5~\x1b[6~\x1b[2~\x1b[3~\x1b[5;5~"), Ext("IQRSI"));
  EXPECT_EQ(Decode("\x1bOP\x1bOQ\x1bOR\x1bOS\x1b[11~\x1b[12~\x1b[13~\x1b[14~"), Ext(";<=>;<=>"));
  EXPECT_EQ(Decode("\x1b[1;2P\x1b[1;5Q\x1b[1;3R\x1b[1;2S\x1b[[A\x1b[[B\x1b[[C\x1b[[D\x1b[[E"),
            Ext(";<=>;<=>?"));
  EXPECT_EQ(Decode("\x1b[15~\x1b[17~\x1b[18~\x1b[19~\x1b[20~\x1b[21~"), Ext("?@ABCD"));
}

// F11 and beyond, a terminal's replies, keypad keys, back-tab, and a number
// too long for an int.
TEST(KeyDecoder, UnknownSequencesAreSwallowedWhole) {
  EXPECT_EQ(Decode("\x1b[16~x\x1b[23;2~y\x1b[?1;2cz\x1bOxq\x1b[Zw\x1b[99999999999~k"), "xyzqwk");
  EXPECT_EQ(Decode("\x1b[>0;276;0c\x1b[A"), Ext("H"));
}

TEST(KeyDecoder, ALoneEscapeComesOutOnlyAfterTheTimeoutAndSplitSequencesSurvive) {
  KeyDecoder decoder;
  EXPECT_EQ(Decode(decoder, "\x1b"), "");
  EXPECT_TRUE(decoder.InSequence());
  EXPECT_EQ(Decode(decoder, "", true), "\x1b");
  EXPECT_FALSE(decoder.InSequence());
  // Escape pressed twice, and Escape followed by a letter before the timeout.
  EXPECT_EQ(Decode("\x1b\x1b", true), "\x1b\x1b");
  EXPECT_EQ(Decode("\x1bq"), "\x1bq");
  EXPECT_EQ(Decode("\x1b\r"), "\x1b\r");
  // The timeout cuts a half-arrived sequence: only the ESC survives.
  EXPECT_EQ(Decode("\x1b[1;", true), "\x1b");
  EXPECT_EQ(Decode("\x1bO", true), "\x1b");
  // A flush with nothing pending emits nothing.
  EXPECT_EQ(Decode("a", true), "a");
  // Sequences survive any split, and broken ones do not eat keys.
  EXPECT_EQ(Decode(decoder, "\x1b"), "");
  EXPECT_EQ(Decode(decoder, "["), "");
  EXPECT_EQ(Decode(decoder, "1"), "");
  EXPECT_EQ(Decode(decoder, "5~"), Ext("?"));
  // A control byte inside a sequence ends it and counts as a key itself.
  EXPECT_EQ(Decode("\x1b[1\r"), "\r");
  EXPECT_EQ(Decode("\x1b[\x1b[B"), Ext("P"));
}

TEST(KeyDecoder, Utf8InputBecomesCodePage437) {
  EXPECT_EQ(Decode("\xc3\xa9\xe2\x94\x80\xe2\x96\xa0"), "\x82\xc4\xfe");  // é ─ ■
  KeyDecoder decoder;
  EXPECT_EQ(Decode(decoder, "\xc3"), "");
  EXPECT_FALSE(decoder.InSequence());          // no escape timeout for a split character
  EXPECT_EQ(Decode(decoder, "\xbc"), "\x81");  // ü
  // Characters without a glyph (€, an emoji) and glyphs of control bytes
  // (♥ is not Ctrl-C) are dropped; malformed input loses only the broken
  // character.
  EXPECT_EQ(Decode("a\xe2\x82\xacz\xf0\x9f\x98\x80y\xe2\x99\xa5x"), "azyx");
  EXPECT_EQ(Decode("\xbfw\xc3v\xffu"), "wvu");
  // A terminal outside UTF-8 types code page 437 bytes, which are the keys.
  KeyDecoder cp437(false);
  EXPECT_EQ(Decode(cp437, "\x81\xe1\xc3\xa9\x1b[A"), "\x81\xe1\xc3\xa9" + Ext("H"));
}

}  // namespace
}  // namespace platform
