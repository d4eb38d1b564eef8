// The local screen shows what the caller's terminal would: colour and
// cursor sequences written through the door console, rendered locally.
#include <gtest/gtest.h>

#include <string>

#include "door/door.h"
#include "platform/virtual_console.h"

namespace {

class LocalAnsi : public testing::Test {
 protected:
  platform::Screen& screen() { return console.screen(); }
  void Write(std::string_view s) { door.DWrite(s); }
  std::string Row(int row, int from, int length) {
    return screen().RowText(row).substr(from - 1, length);
  }
  void ExpectCursor(int x, int y) {
    EXPECT_EQ(screen().WhereX(), x);
    EXPECT_EQ(screen().WhereY(), y);
  }

  platform::VirtualClock clock;
  platform::VirtualConsole console{&clock};
  door::Door door{console, clock};
};

TEST_F(LocalAnsi, ClearingAndAttributes) {
  Write("hello\x1b[2J");
  EXPECT_EQ(Row(1, 1, 5), "     ");
  ExpectCursor(1, 1);

  auto attr_after = [&](uint8_t before, std::string_view seq) {
    screen().SetTextAttr(before);
    Write(seq);
    return screen().TextAttr();
  };
  EXPECT_EQ(attr_after(0x07, "\x1b[1;37;44m"), 0x1F);
  EXPECT_EQ(attr_after(0x1F, "\x1b[m"), 0x07);
  EXPECT_EQ(attr_after(0x9F, "\x1b[31m"), 0x1C);
  EXPECT_EQ(attr_after(0x07, "\x1b[31m"), 0x04);
  EXPECT_EQ(attr_after(0x0C, "\x1b[45m"), 0x5C);
}

TEST_F(LocalAnsi, OrdinaryCharactersAroundSequences) {
  screen().SetTextAttr(0x07);
  Write(
      "\x1b"
      "ab[2C");  // what comes between ESC and "[" is shown
  EXPECT_EQ(Row(1, 1, 5), "ab   ");
  ExpectCursor(5, 1);
  Write("\x1b[5Zx");  // an unknown command does nothing
  EXPECT_EQ(Row(1, 5, 1), "x");

  screen().GotoXY(1, 2);
  Write("ab\x1b");
  EXPECT_EQ(Row(2, 1, 2), "ab");
  Write("[1;3");
  Write("2mc");
  EXPECT_EQ(Row(2, 1, 4), "abc ");
  EXPECT_EQ(screen().At(2, 2).attr, 0x07);
  EXPECT_EQ(screen().At(3, 2).attr, 0x0A);
}

TEST_F(LocalAnsi, CursorMovesStayInsideTheWindow) {
  screen().SetWindow(11, 6, 40, 15);
  Write("\x1b[3;4fX");
  EXPECT_EQ(screen().At(14, 8).ch, 'X');
  ExpectCursor(5, 3);
  Write("\x1b[10;1f\x1b[99C");
  ExpectCursor(30, 10);
  Write("\x1b[255D");
  ExpectCursor(1, 10);
  Write("\x1b[11;1f\x1b[1;31f");  // outside the window: ignored
  ExpectCursor(1, 10);
  screen().PutText(1, 9, std::string(80, 'z'), 0x07);
  Write("\x1b[4;7f\x1b[K");
  EXPECT_EQ(Row(9, 16, 26), "z" + std::string(24, ' ') + "z");
}

TEST_F(LocalAnsi, ScrollingNeverTouchesTheStatusRow) {
  screen().SetWindow(1, 1, 80, 24);
  screen().PutText(1, 25, "STATUS BAR", 0x1E);
  for (int i = 0; i < 100; ++i) Write("line " + std::to_string(i) + "\r\n");
  Write(std::string(200, 'x'));
  Write("\x1b[K\x1b[2J");
  Write("\x1b[24;1H" + std::string(80, 'y'));
  EXPECT_EQ(Row(25, 1, 12), "STATUS BAR  ");
  EXPECT_EQ(screen().At(1, 25).attr, 0x1E);
  EXPECT_EQ(Row(23, 1, 3), "yyy");
  ExpectCursor(1, 24);
}

}  // namespace
