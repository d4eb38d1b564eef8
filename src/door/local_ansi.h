// Renders ANSI colour and cursor sequences on the local screen, so that it
// shows what the remote caller sees. The state survives between calls, so a
// sequence may arrive split across writes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/screen.h"

namespace door {

// PC colour number (0-7) to ANSI colour number and back (the table is its
// own inverse).
uint8_t AnsiColourMap(uint8_t colour);

class LocalAnsi {
 public:
  void Render(platform::Screen& screen, std::string_view text);

 private:
  void StoreParameter();
  void Execute(platform::Screen& screen, char command);
  void ApplySgr(platform::Screen& screen);

  bool escape_pending_ = false;
  bool in_sequence_ = false;
  std::string digits_;
  int index_ = 1;
  std::array<int32_t, 10> params_{};
  int saved_col_ = 1;
  int saved_row_ = 1;
};

}  // namespace door
