// The local console: the screen it shows and the keyboard it reads.
// Backends: the real terminal (POSIX), and the virtual console of the tests.
#pragma once

#include "platform/event.h"
#include "platform/screen.h"

namespace platform {

class Console {
 public:
  virtual ~Console() = default;

  Screen& screen() { return screen_; }
  const Screen& screen() const { return screen_; }

  // True when a key is waiting. Never blocks.
  virtual bool KeyPressed() = 0;
  // Shows the screen, then waits for and returns the next key byte; an
  // extended key arrives as 0, and the following call returns its scan code.
  virtual char ReadKey() = 0;
  // Waits until a key is waiting or timeout_ms have passed; true when a key
  // is waiting. Shows the screen first.
  virtual bool WaitForKey(int timeout_ms) = 0;
  // As WaitForKey, and also ends when `wake` is set (a remote caller's
  // input, say), so that one wait serves both sides.
  virtual bool WaitForKeyOrEvent(int timeout_ms, const Event& wake) = 0;
  // Brings what is displayed up to date with the screen.
  virtual void Present() = 0;
  // False for a console whose screen is kept in memory only: nobody sits
  // at it, KeyPressed stays false and ReadKey never returns.
  virtual bool HasKeyboard() const { return true; }

 protected:
  Screen screen_;
};

}  // namespace platform
