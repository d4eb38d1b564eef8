#include "platform/virtual_console.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {
constexpr int32_t kDayMillis = 86'400'000;
// Waits with no key in the script before the test is taken to be stuck: a
// virtual day and a half of one-second waits.
constexpr int kMaxIdleWaits = 130'000;
}  // namespace

void VirtualClock::Advance(int ms) {
  int64_t next = int64_t{now_ms_} + ms;
  while (next >= kDayMillis) {
    next -= kDayMillis;
    ++today_.day;  // good enough for a test clock: no month arithmetic needed
  }
  now_ms_ = static_cast<int32_t>(next);
}

char VirtualConsole::ReadKey() {
  if (keys_.empty()) Exhausted();
  idle_waits_ = 0;
  char key = keys_.front();
  keys_.pop_front();
  return key;
}

bool VirtualConsole::WaitForKey(int timeout_ms) {
  Present();
  if (!keys_.empty()) return true;
  if (++idle_waits_ > kMaxIdleWaits) Exhausted();
  if (clock_ != nullptr) clock_->Advance(timeout_ms);
  return false;
}

bool VirtualConsole::WaitForKeyOrEvent(int timeout_ms, const Event& wake) {
  if (!keys_.empty()) return WaitForKey(timeout_ms);
  if (wake.IsSet()) {
    Present();
    return false;
  }
  if (clock_ == nullptr && wake.Wait(timeout_ms)) {
    Present();
    return false;
  }
  return WaitForKey(timeout_ms);
}

void VirtualConsole::Type(std::string_view keys) {
  for (char key : keys) keys_.push_back(key);
}

void VirtualConsole::Extended(char scan) {
  keys_.push_back(0);
  keys_.push_back(scan);
}

std::string VirtualConsole::Dump() const {
  std::string text;
  for (int row = 1; row <= kScreenRows; ++row) {
    std::string line = screen_.RowText(row);
    line.erase(line.find_last_not_of(' ') + 1);
    text += line;
    text += '\n';
  }
  return text;
}

void VirtualConsole::Exhausted() {
  if (on_exhausted_) on_exhausted_();
  if (!keys_.empty()) return;  // the handler went on with the script
  std::fprintf(stderr, "virtual console: the program waits for a key the script does not hold\n%s",
               Dump().c_str());
  std::abort();
}

}  // namespace platform
