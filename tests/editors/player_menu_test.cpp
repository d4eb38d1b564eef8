#include "editors/player_menu.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/capture_port.h"
#include "support/key_names.h"
#include "support/snoop_rig.h"

namespace {

using namespace testsupport::keys;

editors::PlayerMenuDef ThreeItems() {
  editors::PlayerMenuDef menu;
  const char* texts[] = {"Name", "Gold", "Return"};
  for (int n = 1; n <= 3; ++n) {
    ui::PickItem& item = menu.Item(n);
    item.Text = texts[n - 1];
    item.Hotkey = static_cast<char>('0' + n);
    item.Col = 10;
    item.Row = static_cast<uint8_t>(4 + n);
  }
  menu.Count = 3;
  return menu;
}

// The cursor is hidden while the menu waits for keys and shown again when
// it returns; keys that do nothing (Left, Right, a key that is no hot key)
// draw nothing, only a move redraws the pointer.
TEST(PlayerMenu, HidesTheCursorAndRedrawsOnlyAfterAMove) {
  testsupport::SnoopRig rig;
  testsupport::CapturePort& caller = testsupport::MakeRemote(rig.door);
  std::vector<size_t> sent;
  std::vector<bool> cursor_shown;
  rig.console.on_read = [&] {
    sent.push_back(caller.sent.size());
    cursor_shown.push_back(rig.console.screen().CursorVisible());
  };
  rig.console.Type(kLeft + kRight + "x" + kDown + "\r");
  rig.ui.MenuPos = -1;
  EXPECT_EQ(editors::PlayerMenu(rig.ui, ThreeItems()), 2);
  ASSERT_EQ(sent.size(), 8u);
  EXPECT_EQ(sent[6], sent[0]);
  EXPECT_GT(sent[7], sent[6]);
  EXPECT_EQ(cursor_shown, std::vector<bool>(8, false));
  EXPECT_TRUE(rig.console.screen().CursorVisible());
  EXPECT_EQ(rig.Row(6).substr(6, 8), "=> (2) G");
}

}  // namespace
