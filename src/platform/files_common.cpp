// File system helpers that read the same on every system.
#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/os_file.h"

namespace platform {

bool MatchesDosPattern(std::string_view pattern, std::string_view name) {
  size_t p = 0, n = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || LowerCase(pattern[p]) == LowerCase(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string WithTrailingSeparator(std::string dir) {
  if (dir.empty() || (dir.back() != PathSeparator() && dir.back() != '/')) dir += PathSeparator();
  return dir;
}

std::string FileName(const std::string& path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string DirectoryOf(const std::string& path) {
  size_t cut = path.find_last_of(std::string("/") + PathSeparator());
  if (cut == std::string::npos) return WithTrailingSeparator(".");
  return path.substr(0, cut + 1);
}

}  // namespace platform
