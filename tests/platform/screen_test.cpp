#include "platform/screen.h"

#include <gtest/gtest.h>

namespace {

using platform::Screen;

TEST(Screen, WritesWrapAtTheWindowEdgeAndScrollOnlyTheWindow) {
  Screen screen;
  screen.PutText(1, 25, "status", 0x1F);
  screen.SetWindow(1, 1, 80, 24);
  screen.GotoXY(79, 24);
  screen.Write("ab");  // b fills column 80 and the window scrolls
  EXPECT_EQ(screen.At(79, 23).ch, 'a');
  EXPECT_EQ(screen.At(80, 23).ch, 'b');
  EXPECT_EQ(screen.WhereX(), 1);
  EXPECT_EQ(screen.WhereY(), 24);
  for (int i = 0; i < 30; ++i) screen.Write("\r\nline");
  EXPECT_EQ(screen.RowText(25).substr(0, 6), "status");
  EXPECT_EQ(screen.At(1, 25).attr, 0x1F);
  EXPECT_EQ(screen.RowText(24).substr(0, 5), "line ");
}

TEST(Screen, ControlsMoveTheCursor) {
  Screen screen;
  screen.Write("abc\bX\rY\nZ");
  EXPECT_EQ(screen.RowText(1).substr(0, 3), "YbX");
  EXPECT_EQ(screen.RowText(2).substr(0, 2), " Z");
  screen.Write("\a\a");
  EXPECT_EQ(screen.TakeBells(), 2);
  EXPECT_EQ(screen.TakeBells(), 0);
  screen.GotoXY(1, 1);
  screen.Write("\b");  // never past the first column
  EXPECT_EQ(screen.WhereX(), 1);
}

TEST(Screen, ClearingUsesTheCurrentAttributeInsideTheWindow) {
  Screen screen;
  screen.PutText(1, 1, "keep me", 0x07);
  screen.SetWindow(10, 5, 20, 8);
  screen.SetTextAttr(0x1F);
  screen.ClrScr();
  EXPECT_EQ(screen.At(10, 5), (platform::Cell{' ', 0x1F}));
  EXPECT_EQ(screen.At(21, 5).attr, 0x07);
  EXPECT_EQ(screen.RowText(1).substr(0, 7), "keep me");
  screen.GotoXY(3, 2);
  EXPECT_EQ(screen.CursorScreenCol(), 12);
  EXPECT_EQ(screen.CursorScreenRow(), 6);
  screen.GotoXY(12, 1);  // outside the window: ignored
  EXPECT_EQ(screen.WhereX(), 3);
  screen.Write("xy");
  screen.GotoXY(3, 2);
  screen.SetTextAttr(0x07);
  screen.ClrEol();
  EXPECT_EQ(screen.At(12, 6), (platform::Cell{' ', 0x07}));
  EXPECT_EQ(screen.At(20, 6).attr, 0x07);
  EXPECT_EQ(screen.At(21, 6).attr, 0x07);
}

}  // namespace
