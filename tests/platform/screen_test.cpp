#include "platform/screen.h"

#include <gtest/gtest.h>

namespace {

using platform::Screen;

// Wrapping and scrolling inside the window are checked through the door
// console's local rendering (tests/door/local_ansi_test.cpp).
TEST(Screen, ControlsMoveTheCursorAndClearingStaysInTheWindow) {
  Screen screen;
  screen.Write("abc\bX\rY\nZ\a\a");
  EXPECT_EQ(screen.RowText(1).substr(0, 3), "YbX");
  EXPECT_EQ(screen.RowText(2).substr(0, 2), " Z");
  EXPECT_EQ(screen.TakeBells(), 2);
  EXPECT_EQ(screen.TakeBells(), 0);
  screen.GotoXY(1, 1);
  screen.Write("\b");  // never past the first column
  EXPECT_EQ(screen.WhereX(), 1);

  // Clearing uses the current attribute inside the window.
  screen.SetWindow(10, 5, 20, 8);
  screen.SetTextAttr(0x1F);
  screen.ClrScr();
  EXPECT_EQ(screen.At(10, 5), (platform::Cell{' ', 0x1F}));
  EXPECT_EQ(screen.At(21, 5).attr, 0x07);
  screen.GotoXY(3, 2);
  EXPECT_EQ(screen.CursorScreenCol(), 12);
  EXPECT_EQ(screen.CursorScreenRow(), 6);
  screen.SetTextAttr(0x07);
  screen.ClrEol();
  EXPECT_EQ(screen.At(12, 6), (platform::Cell{' ', 0x07}));
  EXPECT_EQ(screen.At(11, 6).attr, 0x1F);
}

}  // namespace
