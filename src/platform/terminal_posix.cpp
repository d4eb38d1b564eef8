// The console on a POSIX terminal: raw mode on standard input and output,
// keys read through poll() so that waiting never spins, and signals turned
// into an orderly end on the main thread. Without a terminal the same
// console keeps its screen in memory only, waits without keys and still
// ends in order on a signal.
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/event_posix.h"
#include "platform/key_decoder.h"
#include "platform/letter_case.h"
#include "platform/program_end.h"
#include "platform/raw_mode_posix.h"
#include "platform/terminal.h"
#include "platform/terminal_renderer.h"

namespace platform {

namespace {

// How long the rest of an escape sequence may take to follow its ESC before
// the ESC counts as the Escape key.
constexpr int kEscapeTimeoutMs = 40;

volatile sig_atomic_t termination_requested = 0;
volatile sig_atomic_t resized = 0;
// Written by the signal handlers so that a poll() about to sleep wakes up.
int wake_pipe[2] = {-1, -1};

void WakeUp() {
  int saved_errno = errno;
  if (wake_pipe[1] >= 0) {
    ssize_t ignored = ::write(wake_pipe[1], "!", 1);
    (void)ignored;
  }
  errno = saved_errno;
}

void OnTermination(int) {
  termination_requested = 1;
  WakeUp();
}

void OnResize(int) {
  resized = 1;
  WakeUp();
}

void SetFlags(int fd) {
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
  ::fcntl(fd, F_SETFD, FD_CLOEXEC);
}

void OpenWakePipe() {
  if (wake_pipe[0] >= 0 || ::pipe(wake_pipe) != 0) return;
  SetFlags(wake_pipe[0]);
  SetFlags(wake_pipe[1]);
}

void DrainWakePipe() {
  char buffer[64];
  while (::read(wake_pipe[0], buffer, sizeof buffer) > 0) {
  }
}

constexpr std::array<int, 4> kHandledSignals = {SIGINT, SIGTERM, SIGHUP, SIGWINCH};

void InstallSignalHandlers(std::array<struct sigaction, 4>& previous) {
  for (size_t i = 0; i < kHandledSignals.size(); ++i) {
    struct sigaction action {};
    action.sa_handler = kHandledSignals[i] == SIGWINCH ? OnResize : OnTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: a blocked call returns and the flag is seen
    ::sigaction(kHandledSignals[i], &action, &previous[i]);
    // A signal the caller chose to ignore (nohup, a background job) stays
    // ignored.
    if (previous[i].sa_handler == SIG_IGN) ::sigaction(kHandledSignals[i], &previous[i], nullptr);
  }
}

void RestoreSignalHandlers(const std::array<struct sigaction, 4>& previous) {
  for (size_t i = 0; i < kHandledSignals.size(); ++i)
    ::sigaction(kHandledSignals[i], &previous[i], nullptr);
}

int64_t NowMs() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t{now.tv_sec} * 1000 + now.tv_nsec / 1'000'000;
}

void WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<size_t>(written));
    } else if (written < 0 && errno == EAGAIN) {
      pollfd out{fd, POLLOUT, 0};
      ::poll(&out, 1, -1);
    } else if (written >= 0 || errno != EINTR) {
      return;  // the terminal is gone; nothing left to show it on
    }
  }
}

// The terminal's size as it is now; the screen's when it cannot be told.
winsize TerminalSize() {
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0) {
    size.ws_col = kScreenCols;
    size.ws_row = kScreenRows;
  }
  return size;
}

[[noreturn]] void Refuse(const std::string& why) {
  ReportEnd(why);
  EndProgram();
}

std::string LocaleName() {
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "";
}

// Whether the character set of the locale that the C library resolves
// from LC_ALL, LC_CTYPE and LANG is UTF-8. The locale is only looked at:
// the program's own handling of characters stays that of the C locale. A
// locale this system does not have is judged by its name.
bool LocaleIsUtf8() {
  std::string saved = ::setlocale(LC_CTYPE, nullptr);
  bool utf8 = false;
  if (::setlocale(LC_CTYPE, "") != nullptr) {
    utf8 = std::string_view(::nl_langinfo(CODESET)) == "UTF-8";
  } else {
    std::string name = UpperCase(LocaleName());
    utf8 = name.find("UTF-8") != std::string::npos || name.find("UTF8") != std::string::npos;
  }
  ::setlocale(LC_CTYPE, saved.c_str());
  return utf8;
}

TerminalCaps CapsFromEnvironment() {
  const char* term = std::getenv("TERM");
  return TerminalCaps{LocaleIsUtf8(), IsAnsiSysTerminal(term != nullptr ? term : "")};
}

// The terminal as the program found it: to draw on, and to give back.
struct TerminalSetup {
  termios saved;
  winsize size;
  TerminalCaps caps;
};

class PosixConsole final : public Console {
 public:
  // On the terminal, or without one (nullopt).
  explicit PosixConsole(const std::optional<TerminalSetup>& terminal);
  ~PosixConsole() override;

  bool KeyPressed() override;
  char ReadKey() override;
  bool WaitForKey(int timeout_ms) override;
  bool WaitForKeyOrEvent(int timeout_ms, const Event& wake) override;
  void Present() override;
  bool HasKeyboard() const override { return terminal_.has_value(); }

 private:
  void ReadInput();
  void ReadAvailable();
  bool WaitForInput(int timeout_ms, const Event* wake = nullptr);
  void Restore();

  std::optional<TerminalSetup> terminal_;
  std::array<struct sigaction, 4> previous_handlers_{};
  TerminalRenderer renderer_;
  KeyDecoder decoder_;
  uint64_t presented_version_ = 0;
  int exit_proc_ = 0;
  bool restored_ = false;
};

PosixConsole::PosixConsole(const std::optional<TerminalSetup>& terminal)
    : terminal_(terminal),
      renderer_(terminal ? terminal->caps : TerminalCaps{}),
      decoder_(terminal ? terminal->caps.utf8 : true) {
  OpenWakePipe();
  InstallSignalHandlers(previous_handlers_);
  exit_proc_ = AddExitProc([this] { Restore(); });
  if (!terminal_) return;
  renderer_.SetTerminalSize(terminal_->size.ws_col, terminal_->size.ws_row);
  // TCSANOW keeps what was typed before the program got this far.
  termios raw = RawMode(terminal_->saved);
  ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
}

PosixConsole::~PosixConsole() {
  RemoveExitProc(exit_proc_);
  Restore();
}

// The program's last screen stays on the terminal, and the shell's prompt
// comes below it.
void PosixConsole::Restore() {
  if (restored_) return;
  restored_ = true;
  if (terminal_) {
    Present();
    WriteAll(STDOUT_FILENO, renderer_.Leave(screen_));
    // TCSAFLUSH: keys typed for the program must not go on to the shell.
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &terminal_->saved);
  }
  RestoreSignalHandlers(previous_handlers_);
}

bool PosixConsole::KeyPressed() {
  CheckTerminationRequest();
  // A program that polls the keyboard while it works still shows its work,
  // as the screen of a PC would.
  if (screen_.version() != presented_version_) Present();
  ReadInput();
  return decoder_.HasKey();
}

char PosixConsole::ReadKey() {
  Present();
  CheckTerminationRequest();
  for (;;) {
    ReadInput();
    if (decoder_.HasKey()) return decoder_.TakeKey();
    WaitForInput(-1);
  }
}

bool PosixConsole::WaitForKey(int timeout_ms) {
  Present();
  CheckTerminationRequest();
  int64_t deadline = NowMs() + std::max(timeout_ms, 0);
  for (;;) {
    ReadInput();
    if (decoder_.HasKey()) return true;
    int64_t left = deadline - NowMs();
    if (left <= 0) return false;
    WaitForInput(static_cast<int>(left));
  }
}

bool PosixConsole::WaitForKeyOrEvent(int timeout_ms, const Event& wake) {
  Present();
  CheckTerminationRequest();
  ReadInput();
  if (decoder_.HasKey() || wake.IsSet()) return decoder_.HasKey();
  WaitForInput(std::max(timeout_ms, 0), &wake);
  ReadInput();
  return decoder_.HasKey();
}

// A resized terminal is drawn afresh: below the size needed, the part that
// fits and a notice asking for that size.
void PosixConsole::Present() {
  presented_version_ = screen_.version();
  if (!terminal_) {
    screen_.TakeBells();  // nobody to hear them
    return;
  }
  if (resized) {
    resized = 0;
    winsize size = TerminalSize();
    renderer_.SetTerminalSize(size.ws_col, size.ws_row);
    renderer_.Invalidate();
  }
  std::string bytes = renderer_.Render(screen_, screen_.CursorVisible());
  bytes.append(static_cast<size_t>(screen_.TakeBells()), '\a');
  if (!bytes.empty()) WriteAll(STDOUT_FILENO, bytes);
}

// Reads what has arrived. Only an unfinished escape sequence makes it wait,
// and then no longer than the escape timeout.
void PosixConsole::ReadInput() {
  if (!terminal_) return;
  for (;;) {
    ReadAvailable();
    if (!decoder_.InSequence()) return;
    if (!WaitForInput(kEscapeTimeoutMs)) {
      decoder_.Flush();
      return;
    }
  }
}

void PosixConsole::ReadAvailable() {
  uint8_t buffer[256];
  for (;;) {
    ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) return;
    for (ssize_t i = 0; i < count; ++i) decoder_.Feed(buffer[i]);
  }
}

// Waits up to timeout_ms (-1: without end) for input, dealing with the
// signals that arrive meanwhile; true when input is waiting. A set `wake`
// event also ends the wait (with false). Without a terminal there is no
// input to wait for.
bool PosixConsole::WaitForInput(int timeout_ms, const Event* wake) {
  int64_t deadline = timeout_ms < 0 ? -1 : NowMs() + timeout_ms;
  for (;;) {
    std::array<pollfd, 3> fds = {{{terminal_ ? STDIN_FILENO : -1, POLLIN, 0},
                                  {wake_pipe[0], POLLIN, 0},
                                  {wake != nullptr ? EventFd(*wake) : -1, POLLIN, 0}}};
    int wait = deadline < 0 ? -1 : static_cast<int>(std::max<int64_t>(deadline - NowMs(), 0));
    int ready = ::poll(fds.data(), fds.size(), wait);
    if (ready < 0 && errno != EINTR) EndProgram();  // cannot wait for keys at all
    if (ready > 0 && (fds[1].revents & POLLIN) != 0) DrainWakePipe();
    CheckTerminationRequest();
    if (resized) Present();
    if (ready > 0 && (fds[0].revents & POLLIN) != 0) return true;
    if (ready > 0 && (fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) EndProgram();
    if (ready > 0 && fds[2].revents != 0) return false;
    if (deadline >= 0 && NowMs() >= deadline) return false;
  }
}

}  // namespace

std::unique_ptr<Console> OpenLocalConsole(TerminalUse use) {
  const std::string needed =
      std::to_string(kMinTerminalCols) + "x" + std::to_string(kMinTerminalRows);
  bool on_terminal =
      use != TerminalUse::kNone && ::isatty(STDIN_FILENO) != 0 && ::isatty(STDOUT_FILENO) != 0;
  if (!on_terminal) {
    if (use == TerminalUse::kRequired)
      Refuse("standard input and output must be a terminal of at least " + needed);
    return std::make_unique<PosixConsole>(std::nullopt);
  }
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col < kMinTerminalCols ||
      size.ws_row < kMinTerminalRows)
    Refuse("this program needs a terminal of at least " + needed + "; this one is " +
           std::to_string(size.ws_col) + "x" + std::to_string(size.ws_row));
  termios saved{};
  if (::tcgetattr(STDIN_FILENO, &saved) != 0) Refuse("cannot read the terminal's settings");
  return std::make_unique<PosixConsole>(TerminalSetup{saved, size, CapsFromEnvironment()});
}

void CheckTerminationRequest() {
  if (termination_requested == 0) return;
  termination_requested = 0;
  EndProgram();
}

}  // namespace platform
