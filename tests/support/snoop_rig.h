// A rig whose console also keeps the screen as it was each time the
// program read a key, so a test can look at screens that a later pass has
// since cleared.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "door/door.h"
#include "platform/virtual_console.h"
#include "ui/ui.h"

namespace testsupport {

class SnoopConsole : public platform::VirtualConsole {
 public:
  using VirtualConsole::VirtualConsole;
  char ReadKey() override {
    if (PendingKeys() > 0) shown.push_back(Dump());
    if (on_read) on_read();
    return VirtualConsole::ReadKey();
  }
  void Present() override {
    if (on_present) on_present();
    VirtualConsole::Present();
  }
  std::vector<std::string> shown;
  // Called before each key byte is read, and each time the screen is
  // brought to the terminal.
  std::function<void()> on_read;
  std::function<void()> on_present;
};

struct SnoopRig {
  platform::VirtualClock clock;
  SnoopConsole console{&clock};
  door::Door door{console, clock};
  ui::Ui ui{door};

  std::string Row(int row) const { return console.screen().RowText(row); }
  // Whether any screen the operator saw while a key was read held the text.
  bool Showed(const std::string& text) const {
    for (const auto& screen : console.shown)
      if (screen.find(text) != std::string::npos) return true;
    return false;
  }
};

}  // namespace testsupport
