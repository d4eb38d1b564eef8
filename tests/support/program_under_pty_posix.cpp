#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fstream>

#include "support/program_under_pty.h"

extern char** environ;

namespace testsupport {

namespace {

long long NowMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// The options' variables before the test's own, so that they are the ones
// a look-up finds.
std::vector<std::string> Environment(const std::vector<std::string>& changes) {
  std::vector<std::string> env = changes;
  for (char** entry = environ; *entry != nullptr; ++entry) env.push_back(*entry);
  return env;
}

std::vector<char*> Pointers(std::vector<std::string>& words) {
  std::vector<char*> pointers;
  for (std::string& word : words) pointers.push_back(word.data());
  pointers.push_back(nullptr);
  return pointers;
}

// Between fork and exec only calls that are safe in a child of a threaded
// process: the arguments are prepared before. `in` and `out` become
// standard input and output unless forkpty already gave the terminal.
[[noreturn]] void BecomeProgram(int in, int out, int inherit, const char* dir, char* const argv[],
                                char* const envp[]) {
  if (in >= 0) {
    ::setsid();
    ::dup2(in, STDIN_FILENO);
    ::dup2(out, STDOUT_FILENO);
  }
  if (inherit >= 0) ::fcntl(inherit, F_SETFD, 0);
  if (::chdir(dir) != 0) ::_exit(127);
  ::execve(argv[0], argv, envp);
  ::_exit(127);
}

}  // namespace

ProgramUnderPty::ProgramUnderPty(const std::string& program, const std::vector<std::string>& args,
                                 const std::string& dir, platform::Socket inherit,
                                 const StartOptions& options) {
  std::vector<std::string> words = {program};
  words.insert(words.end(), args.begin(), args.end());
  std::vector<char*> argv = Pointers(words);
  std::vector<std::string> env = Environment(options.env);
  std::vector<char*> envp = Pointers(env);

  winsize size{25, 80, 0, 0};
  int in = static_cast<int>(options.in), out = static_cast<int>(options.out);
  pid_ = in >= 0 ? ::fork() : ::forkpty(&master_, nullptr, nullptr, &size);
  if (pid_ == 0)
    BecomeProgram(in, out, static_cast<int>(inherit), dir.c_str(), argv.data(), envp.data());
  if (master_ >= 0) ::fcntl(master_, F_SETFL, O_NONBLOCK);
  if (master_ >= 0) ::fcntl(master_, F_SETFD, FD_CLOEXEC);
}

ProgramUnderPty::~ProgramUnderPty() {
  if (pid_ > 0 && exit_code_ < 0) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
  if (master_ >= 0) ::close(master_);
}

void ProgramUnderPty::Type(const std::string& keys) {
  ssize_t written = ::write(master_, keys.data(), keys.size());
  (void)written;
}

void ProgramUnderPty::ReadAvailable(int timeout_ms) {
  pollfd fds[2] = {{master_, POLLIN, 0}, {static_cast<int>(watched_), POLLIN, 0}};
  if (::poll(fds, 2, timeout_ms) <= 0) return;
  char buffer[4096];
  if (fds[0].revents != 0) {
    ssize_t got = ::read(master_, buffer, sizeof buffer);
    if (got > 0) shown_.append(buffer, static_cast<size_t>(got));
  }
  if (fds[1].revents != 0) {
    ssize_t got = ::read(static_cast<int>(watched_), buffer, sizeof buffer);
    if (got > 0) received_.append(buffer, static_cast<size_t>(got));
    // A connection or a line that has ended is no longer watched.
    if (got == 0 || (got < 0 && errno != EAGAIN)) watched_ = platform::kNoSocket;
  }
}

bool ProgramUnderPty::WaitUntil(const std::function<bool()>& done, int timeout_ms) {
  long long end = NowMs() + timeout_ms;
  while (!done()) {
    long long left = end - NowMs();
    if (left <= 0) return false;
    ReadAvailable(static_cast<int>(std::min(left, 50LL)));
  }
  return true;
}

bool ProgramUnderPty::WaitForScreen(const std::string& text, int timeout_ms) {
  size_t found = std::string::npos;
  bool seen = WaitUntil(
      [&] {
        found = shown_.find(text, shown_mark_);
        return found != std::string::npos;
      },
      timeout_ms);
  if (seen) shown_mark_ = found + text.size();
  return seen;
}

int ProgramUnderPty::WaitForExit(int timeout_ms) {
  WaitUntil(
      [&] {
        int status = 0;
        if (exit_code_ < 0 && ::waitpid(pid_, &status, WNOHANG) == pid_)
          exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return exit_code_ >= 0;
      },
      timeout_ms);
  return exit_code_;
}

// The scheduler's count of nanoseconds on a CPU: finer than the clock
// ticks of /proc/<pid>/stat, which a program that sleeps well never reaches.
double ProgramUnderPty::CpuSeconds() const {
  std::ifstream file("/proc/" + std::to_string(pid_) + "/schedstat");
  long long nanoseconds = -1;
  file >> nanoseconds;
  return static_cast<double>(nanoseconds) / 1e9;
}

}  // namespace testsupport
