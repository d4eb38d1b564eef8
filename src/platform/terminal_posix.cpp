// The console on a POSIX terminal: raw mode on standard input and output,
// keys read through poll() so that waiting never spins, and signals turned
// into an orderly end on the main thread.
#include <fcntl.h>
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
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/event_posix.h"
#include "platform/key_decoder.h"
#include "platform/program_end.h"
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
  std::fprintf(stderr, "keldcfg: %s\n", why.c_str());
  std::fflush(stderr);
  EndProgram();
}

termios RawMode(termios mode) {
  mode.c_iflag &= ~(BRKINT | ICRNL | INLCR | IGNCR | INPCK | ISTRIP | IXON);
  mode.c_oflag &= ~OPOST;
  mode.c_cflag |= CS8;
  mode.c_lflag &= ~(ECHO | ICANON | IEXTEN | ISIG);
  // Reads return at once with what has arrived; poll() does the waiting.
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  return mode;
}

class PosixTerminal final : public Console {
 public:
  PosixTerminal(const termios& saved, const winsize& size);
  ~PosixTerminal() override;

  bool KeyPressed() override;
  char ReadKey() override;
  bool WaitForKey(int timeout_ms) override;
  bool WaitForKeyOrEvent(int timeout_ms, const Event& wake) override;
  void Present() override;

 private:
  void ReadInput();
  void ReadAvailable();
  bool WaitForInput(int timeout_ms, const Event* wake = nullptr);
  void Restore();

  termios saved_;
  std::array<struct sigaction, 4> previous_handlers_{};
  TerminalRenderer renderer_;
  KeyDecoder decoder_;
  uint64_t presented_version_ = 0;
  int exit_proc_ = 0;
  bool restored_ = false;
};

PosixTerminal::PosixTerminal(const termios& saved, const winsize& size) : saved_(saved) {
  renderer_.SetTerminalSize(size.ws_col, size.ws_row);
  OpenWakePipe();
  InstallSignalHandlers(previous_handlers_);
  exit_proc_ = AddExitProc([this] { Restore(); });
  // TCSANOW keeps what was typed before the program got this far.
  termios raw = RawMode(saved_);
  ::tcsetattr(STDIN_FILENO, TCSANOW, &raw);
}

PosixTerminal::~PosixTerminal() {
  RemoveExitProc(exit_proc_);
  Restore();
}

// The program's last screen stays on the terminal, and the shell's prompt
// comes below it.
void PosixTerminal::Restore() {
  if (restored_) return;
  restored_ = true;
  Present();
  WriteAll(STDOUT_FILENO, renderer_.Leave(screen_));
  // TCSAFLUSH: keys typed for the program must not go on to the shell.
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
  RestoreSignalHandlers(previous_handlers_);
}

bool PosixTerminal::KeyPressed() {
  CheckTerminationRequest();
  // A program that polls the keyboard while it works still shows its work,
  // as the screen of a PC would.
  if (screen_.version() != presented_version_) Present();
  ReadInput();
  return decoder_.HasKey();
}

char PosixTerminal::ReadKey() {
  Present();
  CheckTerminationRequest();
  for (;;) {
    ReadInput();
    if (decoder_.HasKey()) return decoder_.TakeKey();
    WaitForInput(-1);
  }
}

bool PosixTerminal::WaitForKey(int timeout_ms) {
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

bool PosixTerminal::WaitForKeyOrEvent(int timeout_ms, const Event& wake) {
  Present();
  CheckTerminationRequest();
  ReadInput();
  if (decoder_.HasKey() || wake.IsSet()) return decoder_.HasKey();
  WaitForInput(std::max(timeout_ms, 0), &wake);
  ReadInput();
  return decoder_.HasKey();
}

// A resized terminal is drawn afresh: below the screen's size, the part
// that fits and a notice asking for the full size.
void PosixTerminal::Present() {
  if (resized) {
    resized = 0;
    winsize size = TerminalSize();
    renderer_.SetTerminalSize(size.ws_col, size.ws_row);
    renderer_.Invalidate();
  }
  std::string bytes = renderer_.Render(screen_, screen_.CursorVisible());
  bytes.append(static_cast<size_t>(screen_.TakeBells()), '\a');
  presented_version_ = screen_.version();
  if (!bytes.empty()) WriteAll(STDOUT_FILENO, bytes);
}

// Reads what has arrived. Only an unfinished escape sequence makes it wait,
// and then no longer than the escape timeout.
void PosixTerminal::ReadInput() {
  for (;;) {
    ReadAvailable();
    if (!decoder_.InSequence()) return;
    if (!WaitForInput(kEscapeTimeoutMs)) {
      decoder_.Flush();
      return;
    }
  }
}

void PosixTerminal::ReadAvailable() {
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
// event also ends the wait (with false).
bool PosixTerminal::WaitForInput(int timeout_ms, const Event* wake) {
  int64_t deadline = timeout_ms < 0 ? -1 : NowMs() + timeout_ms;
  for (;;) {
    std::array<pollfd, 3> fds = {{{STDIN_FILENO, POLLIN, 0},
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

std::unique_ptr<Console> OpenTerminal() {
  if (::isatty(STDIN_FILENO) == 0 || ::isatty(STDOUT_FILENO) == 0)
    Refuse("standard input and output must be a terminal of at least " +
           std::to_string(kScreenCols) + "x" + std::to_string(kScreenRows));
  winsize size{};
  if (::ioctl(STDOUT_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col < kScreenCols ||
      size.ws_row < kScreenRows)
    Refuse("this program needs a terminal of at least " + std::to_string(kScreenCols) + "x" +
           std::to_string(kScreenRows) + "; this one is " + std::to_string(size.ws_col) + "x" +
           std::to_string(size.ws_row));
  termios saved{};
  if (::tcgetattr(STDIN_FILENO, &saved) != 0) Refuse("cannot read the terminal's settings");
  return std::make_unique<PosixTerminal>(saved, size);
}

void CheckTerminationRequest() {
  if (termination_requested == 0) return;
  termination_requested = 0;
  EndProgram();
}

}  // namespace platform
