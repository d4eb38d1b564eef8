// The console on Windows: the 80x25 screen written cell by cell into the
// console's screen buffer at the top left of its window, keys read as
// console input records (an extended key as 0 and its PC scan code), and
// console control events turned into an orderly end on the main thread.
// A window made smaller than the screen shows the part that fits and a
// notice on its last row, as the POSIX terminal does.
#include <windows.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <string>
#include <string_view>

#include "platform/cp437.h"
#include "platform/event_win32.h"
#include "platform/program_end.h"
#include "platform/terminal.h"
#include "platform/termination_win32.h"

namespace platform {

namespace {

std::atomic<bool> termination_requested{false};

// Runs on a thread of its own that the system starts.
BOOL WINAPI OnControlEvent(DWORD event) {
  termination_requested = true;
  ::SetEvent(TerminationEvent());
  // For these the system ends the process as soon as the handler returns:
  // give the main thread the time to run the exit procedures first.
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
    ::Sleep(5000);
  return TRUE;
}

// The PC scan code of the keys that arrive as 0 and a scan code whatever
// the keyboard layout; 0 for the others.
char ExtendedScanCode(WORD virtual_key) {
  if (virtual_key >= VK_F1 && virtual_key <= VK_F10)
    return static_cast<char>(59 + (virtual_key - VK_F1));
  switch (virtual_key) {
    case VK_F11:
      return static_cast<char>(0x85);
    case VK_F12:
      return static_cast<char>(0x86);
    case VK_HOME:
      return 71;
    case VK_UP:
      return 72;
    case VK_PRIOR:
      return 73;
    case VK_LEFT:
      return 75;
    case VK_RIGHT:
      return 77;
    case VK_END:
      return 79;
    case VK_DOWN:
      return 80;
    case VK_NEXT:
      return 81;
    case VK_INSERT:
      return 82;
    case VK_DELETE:
      return 83;
    default:
      return 0;
  }
}

// Keys that are a control character whether or not the console reports
// the character with them.
char ControlCharacter(WORD virtual_key) {
  switch (virtual_key) {
    case VK_ESCAPE:
      return 27;
    case VK_RETURN:
      return 13;
    case VK_BACK:
      return 8;
    case VK_TAB:
      return 9;
    default:
      return 0;
  }
}

bool IsModifierOrLock(WORD virtual_key) {
  switch (virtual_key) {
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_LSHIFT:
    case VK_RSHIFT:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case VK_LWIN:
    case VK_RWIN:
    case VK_APPS:
    case VK_CAPITAL:
    case VK_NUMLOCK:
    case VK_SCROLL:
      return true;
    default:
      return false;
  }
}

[[noreturn]] void Refuse(const std::string& why) {
  std::fprintf(stderr, "keldcfg: %s\n", why.c_str());
  std::fflush(stderr);
  EndProgram();
}

std::string SizeText(int cols, int rows) {
  return std::to_string(cols) + "x" + std::to_string(rows);
}

// Shown on the last row of a window too small for the screen.
constexpr std::string_view kSmallNotice = " Please make this window 80x25 ";
constexpr WORD kNoticeAttr = 0x70;  // black on light grey

int WindowCols(const CONSOLE_SCREEN_BUFFER_INFO& info) {
  return info.srWindow.Right - info.srWindow.Left + 1;
}

int WindowRows(const CONSOLE_SCREEN_BUFFER_INFO& info) {
  return info.srWindow.Bottom - info.srWindow.Top + 1;
}

class Win32Console final : public Console {
 public:
  Win32Console(HANDLE input, HANDLE output, DWORD saved_mode,
               const CONSOLE_SCREEN_BUFFER_INFO& info);
  ~Win32Console() override;

  bool KeyPressed() override;
  char ReadKey() override;
  bool WaitForKey(int timeout_ms) override;
  bool WaitForKeyOrEvent(int timeout_ms, const Event& wake) override;
  void Present() override;

 private:
  void ReadInput();
  void Decode(const KEY_EVENT_RECORD& key);
  bool WaitForKeyUntil(int timeout_ms, const Event* wake);
  bool WaitForInput(DWORD timeout_ms, const Event* wake = nullptr);
  void FollowWindowSize();
  bool TooSmall() const { return window_cols_ < kScreenCols || window_rows_ < kScreenRows; }
  int VisibleCols() const { return std::min(kScreenCols, window_cols_); }
  int VisibleRows() const {
    return TooSmall() ? std::min(kScreenRows, window_rows_ - 1) : kScreenRows;
  }
  void Blank(int first, int rows, int cols, WORD attr);
  void DrawNotice();
  void ShowCursor(bool visible);
  void Restore();

  HANDLE input_;
  HANDLE output_;
  DWORD saved_mode_;
  WORD saved_attr_;
  CONSOLE_CURSOR_INFO saved_cursor_{};
  bool cursor_visible_;
  COORD origin_;  // the screen's top left cell in the console's buffer
  int window_cols_;
  int window_rows_;
  std::array<CHAR_INFO, kScreenCols * kScreenRows> shown_{};
  bool shown_valid_ = false;
  uint64_t presented_version_ = 0;
  std::deque<char> keys_;
  int exit_proc_ = 0;
  bool restored_ = false;
};

Win32Console::Win32Console(HANDLE input, HANDLE output, DWORD saved_mode,
                           const CONSOLE_SCREEN_BUFFER_INFO& info)
    : input_(input),
      output_(output),
      saved_mode_(saved_mode),
      saved_attr_(info.wAttributes),
      origin_{info.srWindow.Left, info.srWindow.Top},
      window_cols_(WindowCols(info)),
      window_rows_(WindowRows(info)) {
  ::GetConsoleCursorInfo(output_, &saved_cursor_);
  cursor_visible_ = saved_cursor_.bVisible != 0;
  ::SetConsoleCtrlHandler(OnControlEvent, TRUE);
  exit_proc_ = AddExitProc([this] { Restore(); });
  // Ctrl+C is a key like any other, as on a raw terminal; Ctrl+Break and
  // closing the window still end the program. A resized buffer wakes the
  // wait for a key, so that the screen follows at once.
  ::SetConsoleMode(input_, ENABLE_EXTENDED_FLAGS | ENABLE_WINDOW_INPUT);
}

Win32Console::~Win32Console() {
  RemoveExitProc(exit_proc_);
  Restore();
}

// The program's last screen stays in the console; the prompt comes under
// the last line the program wrote in its window (or under the cursor when
// that is lower), and what lies below, the status bar among it, is erased.
void Win32Console::Restore() {
  if (restored_) return;
  restored_ = true;
  Present();
  int row = std::clamp(screen_.LastOutputRow(), 1, std::max(VisibleRows(), 1));
  Blank(row, std::min(kScreenRows, window_rows_) - row, VisibleCols(), saved_attr_);
  ::SetConsoleCursorPosition(output_, COORD{origin_.X, static_cast<SHORT>(origin_.Y + row)});
  ::SetConsoleCursorInfo(output_, &saved_cursor_);
  ::SetConsoleTextAttribute(output_, saved_attr_);
  // Keys typed for the program must not go on to the command prompt.
  ::FlushConsoleInputBuffer(input_);
  ::SetConsoleMode(input_, saved_mode_);
  ::SetConsoleCtrlHandler(OnControlEvent, FALSE);
}

bool Win32Console::KeyPressed() {
  CheckTerminationRequest();
  // A program that polls the keyboard while it works still shows its work,
  // as the screen of a PC would.
  if (screen_.version() != presented_version_) Present();
  ReadInput();
  return !keys_.empty();
}

char Win32Console::ReadKey() {
  Present();
  CheckTerminationRequest();
  for (;;) {
    ReadInput();
    if (!keys_.empty()) {
      char key = keys_.front();
      keys_.pop_front();
      return key;
    }
    WaitForInput(INFINITE);
  }
}

bool Win32Console::WaitForKey(int timeout_ms) {
  return WaitForKeyUntil(timeout_ms, nullptr);
}

bool Win32Console::WaitForKeyOrEvent(int timeout_ms, const Event& wake) {
  return WaitForKeyUntil(timeout_ms, &wake);
}

// Console input that is no key (the mouse, focus, a resized buffer) wakes
// the wait too; it goes on until a key, a set `wake` or the time limit.
bool Win32Console::WaitForKeyUntil(int timeout_ms, const Event* wake) {
  Present();
  CheckTerminationRequest();
  ULONGLONG deadline = ::GetTickCount64() + static_cast<ULONGLONG>(std::max(timeout_ms, 0));
  for (;;) {
    ReadInput();
    if (!keys_.empty()) return true;
    ULONGLONG now = ::GetTickCount64();
    if ((wake != nullptr && wake->IsSet()) || now >= deadline) return false;
    WaitForInput(static_cast<DWORD>(deadline - now), wake);
  }
}

// Writes the smallest rectangle of the buffer that holds every changed cell
// the window shows.
void Win32Console::Present() {
  FollowWindowSize();
  std::array<CHAR_INFO, kScreenCols * kScreenRows> cells;
  int left = kScreenCols, top = kScreenRows, right = -1, bottom = -1;
  for (int row = 0; row < VisibleRows(); ++row) {
    for (int col = 0; col < VisibleCols(); ++col) {
      Cell cell = screen_.At(col + 1, row + 1);
      CHAR_INFO& info = cells[row * kScreenCols + col];
      info.Char.UnicodeChar = static_cast<WCHAR>(Cp437Glyph(cell.ch));
      // Bit 7, blink on a PC, is the bright background here as well.
      info.Attributes = cell.attr;
      const CHAR_INFO& was = shown_[row * kScreenCols + col];
      if (shown_valid_ && was.Char.UnicodeChar == info.Char.UnicodeChar &&
          was.Attributes == info.Attributes)
        continue;
      left = std::min(left, col);
      right = std::max(right, col);
      top = std::min(top, row);
      bottom = std::max(bottom, row);
    }
  }
  if (right >= 0) {
    SMALL_RECT region{static_cast<SHORT>(origin_.X + left), static_cast<SHORT>(origin_.Y + top),
                      static_cast<SHORT>(origin_.X + right),
                      static_cast<SHORT>(origin_.Y + bottom)};
    ::WriteConsoleOutputW(output_, cells.data(), COORD{kScreenCols, kScreenRows},
                          COORD{static_cast<SHORT>(left), static_cast<SHORT>(top)}, &region);
    for (int row = top; row <= bottom; ++row)
      for (int col = left; col <= right; ++col)
        shown_[row * kScreenCols + col] = cells[row * kScreenCols + col];
  }
  if (!shown_valid_ && TooSmall()) DrawNotice();
  shown_valid_ = true;
  // A cursor outside the window would scroll the window to it.
  int col = std::min(screen_.CursorScreenCol(), VisibleCols());
  int row = std::min(screen_.CursorScreenRow(), std::max(VisibleRows(), 1));
  ::SetConsoleCursorPosition(output_, COORD{static_cast<SHORT>(origin_.X + col - 1),
                                            static_cast<SHORT>(origin_.Y + row - 1)});
  ShowCursor(screen_.CursorVisible());
  for (int bells = screen_.TakeBells(); bells > 0; --bells) ::MessageBeep(MB_OK);
  presented_version_ = screen_.version();
}

// A window of another size is drawn afresh from its new top left cell.
void Win32Console::FollowWindowSize() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (::GetConsoleScreenBufferInfo(output_, &info) == 0) return;
  if (WindowCols(info) == window_cols_ && WindowRows(info) == window_rows_) return;
  window_cols_ = WindowCols(info);
  window_rows_ = WindowRows(info);
  origin_ = COORD{info.srWindow.Left, info.srWindow.Top};
  Blank(0, window_rows_, window_cols_, 0x07);
  shown_valid_ = false;
}

// Blanks `cols` cells of `rows` rows from the window's row `first` (0 the
// top), in one attribute.
void Win32Console::Blank(int first, int rows, int cols, WORD attr) {
  for (int row = first; row < first + rows; ++row) {
    COORD start{origin_.X, static_cast<SHORT>(origin_.Y + row)};
    DWORD written = 0;
    ::FillConsoleOutputCharacterW(output_, L' ', static_cast<DWORD>(cols), start, &written);
    ::FillConsoleOutputAttribute(output_, attr, static_cast<DWORD>(cols), start, &written);
  }
}

void Win32Console::DrawNotice() {
  // The window's last column stays empty, as on a terminal that could wrap.
  size_t length = std::min(kSmallNotice.size(), static_cast<size_t>(std::max(window_cols_ - 1, 0)));
  std::array<CHAR_INFO, kSmallNotice.size()> notice;
  for (size_t i = 0; i < length; ++i) {
    notice[i].Char.UnicodeChar = static_cast<WCHAR>(kSmallNotice[i]);
    notice[i].Attributes = kNoticeAttr;
  }
  if (length == 0) return;
  SHORT row = static_cast<SHORT>(origin_.Y + window_rows_ - 1);
  SMALL_RECT region{origin_.X, row, static_cast<SHORT>(origin_.X + length - 1), row};
  ::WriteConsoleOutputW(output_, notice.data(), COORD{static_cast<SHORT>(length), 1}, COORD{0, 0},
                        &region);
}

void Win32Console::ShowCursor(bool visible) {
  if (visible == cursor_visible_) return;
  CONSOLE_CURSOR_INFO cursor = saved_cursor_;
  cursor.bVisible = visible ? TRUE : FALSE;
  if (::SetConsoleCursorInfo(output_, &cursor) != 0) cursor_visible_ = visible;
}

void Win32Console::ReadInput() {
  bool resized = false;
  DWORD waiting = 0;
  while (::GetNumberOfConsoleInputEvents(input_, &waiting) != 0 && waiting > 0) {
    std::array<INPUT_RECORD, 32> records;
    DWORD count = 0;
    if (::ReadConsoleInputW(input_, records.data(), static_cast<DWORD>(records.size()), &count) ==
        0)
      EndProgram();  // cannot read keys at all
    for (DWORD i = 0; i < count; ++i) {
      if (records[i].EventType == KEY_EVENT) Decode(records[i].Event.KeyEvent);
      if (records[i].EventType == WINDOW_BUFFER_SIZE_EVENT) resized = true;
    }
  }
  if (resized) Present();
}

void Win32Console::Decode(const KEY_EVENT_RECORD& key) {
  if (key.bKeyDown == 0) return;
  std::string bytes;
  if (char scan = ExtendedScanCode(key.wVirtualKeyCode); scan != 0) {
    bytes = {0, scan};
  } else if (char control = ControlCharacter(key.wVirtualKeyCode); control != 0) {
    bytes = {control};
  } else if (key.uChar.UnicodeChar != 0) {
    int byte = UnicodeToCp437(key.uChar.UnicodeChar);
    if (byte < 0) return;  // no such character on a PC screen
    bytes = {static_cast<char>(byte)};
  } else if (!IsModifierOrLock(key.wVirtualKeyCode) && key.wVirtualScanCode != 0) {
    bytes = {0, static_cast<char>(key.wVirtualScanCode)};
  }
  for (WORD i = 0; i < std::max<WORD>(key.wRepeatCount, 1); ++i)
    keys_.insert(keys_.end(), bytes.begin(), bytes.end());
}

// Waits up to timeout_ms for console input, a request to end or a set
// `wake` event; true when input is waiting.
bool Win32Console::WaitForInput(DWORD timeout_ms, const Event* wake) {
  std::array<HANDLE, 3> handles = {input_, TerminationEvent(),
                                   wake != nullptr ? EventHandle(*wake) : nullptr};
  DWORD count = wake != nullptr ? 3 : 2;
  DWORD woke = ::WaitForMultipleObjects(count, handles.data(), FALSE, timeout_ms);
  CheckTerminationRequest();
  if (woke == WAIT_FAILED) EndProgram();  // cannot wait for keys at all
  return woke == WAIT_OBJECT_0;
}

// Makes the console window at least 80x25 where the console allows it.
bool FitScreen(HANDLE output, CONSOLE_SCREEN_BUFFER_INFO& info) {
  auto fits = [&] {
    return info.srWindow.Right - info.srWindow.Left + 1 >= kScreenCols &&
           info.srWindow.Bottom - info.srWindow.Top + 1 >= kScreenRows;
  };
  if (fits()) return true;
  COORD buffer{std::max<SHORT>(info.dwSize.X, kScreenCols),
               std::max<SHORT>(info.dwSize.Y, kScreenRows)};
  ::SetConsoleScreenBufferSize(output, buffer);
  SHORT top = std::min<SHORT>(info.srWindow.Top, static_cast<SHORT>(buffer.Y - kScreenRows));
  SMALL_RECT window{0, top, kScreenCols - 1, static_cast<SHORT>(top + kScreenRows - 1)};
  ::SetConsoleWindowInfo(output, TRUE, &window);
  return ::GetConsoleScreenBufferInfo(output, &info) != 0 && fits();
}

// The console of a door without a console of its own: the screen is kept
// in memory, nobody types, and waits end on their event, the time limit or
// a request to end the program.
class MemoryConsole final : public Console {
 public:
  MemoryConsole() { ::SetConsoleCtrlHandler(OnControlEvent, TRUE); }
  bool KeyPressed() override {
    CheckTerminationRequest();
    return false;
  }
  char ReadKey() override {
    for (;;) WaitForKey(-1);
  }
  bool WaitForKey(int timeout_ms) override {
    CheckTerminationRequest();
    ::WaitForSingleObject(TerminationEvent(), WaitMs(timeout_ms));
    CheckTerminationRequest();
    return false;
  }
  bool WaitForKeyOrEvent(int timeout_ms, const Event& wake) override {
    CheckTerminationRequest();
    std::array<HANDLE, 2> handles = {TerminationEvent(), EventHandle(wake)};
    ::WaitForMultipleObjects(2, handles.data(), FALSE, WaitMs(std::max(timeout_ms, 0)));
    CheckTerminationRequest();
    return false;
  }
  void Present() override {}
  bool HasKeyboard() const override { return false; }
};

}  // namespace

HANDLE TerminationEvent() {
  static HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
  return event;
}

std::unique_ptr<Console> OpenLocalConsole(TerminalUse use) {
  HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  CONSOLE_SCREEN_BUFFER_INFO info{};
  bool on_console = use != TerminalUse::kNone && ::GetConsoleMode(input, &mode) != 0 &&
                    ::GetConsoleScreenBufferInfo(output, &info) != 0;
  if (!on_console) {
    if (use == TerminalUse::kRequired)
      Refuse("standard input and output must be a console of at least " +
             SizeText(kScreenCols, kScreenRows));
    return std::make_unique<MemoryConsole>();
  }
  if (!FitScreen(output, info))
    Refuse("this program needs a console window of at least " + SizeText(kScreenCols, kScreenRows) +
           "; this one is " +
           SizeText(info.srWindow.Right - info.srWindow.Left + 1,
                    info.srWindow.Bottom - info.srWindow.Top + 1));
  return std::make_unique<Win32Console>(input, output, mode, info);
}

void CheckTerminationRequest() {
  if (!termination_requested.exchange(false)) return;
  ::ResetEvent(TerminationEvent());
  EndProgram();
}

}  // namespace platform
