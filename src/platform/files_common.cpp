// File system operations that the standard library covers on every system.
#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/files.h"
#include "platform/letter_case.h"

namespace platform {

namespace fs = std::filesystem;

namespace {

// DOS-style wildcard match: * any run of characters, ? any one character.
bool MatchPattern(std::string_view pattern, std::string_view name) {
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

}  // namespace

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

std::string FindInDirectory(const std::string& dir, std::string_view name) {
  std::string exact = dir + std::string(name);
  std::error_code ec;
  if (fs::exists(exact, ec)) return exact;
  for (const auto& entry : fs::directory_iterator(dir.empty() ? "." : dir, ec)) {
    std::string candidate = entry.path().filename().string();
    if (SameIgnoringCase(candidate, name)) return dir + candidate;
  }
  return exact;
}

bool FilePresent(const std::string& path) {
  std::error_code ec;
  fs::file_status status = fs::status(path, ec);
  return !ec && fs::exists(status) && !fs::is_directory(status);
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

bool MakeDirectory(const std::string& path) {
  std::error_code ec;
  return fs::create_directory(path, ec);
}

bool RemoveDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec) && fs::remove(path, ec);
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return fs::is_directory(path, ec);
}

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec) && !ec;
}

std::vector<std::string> FindFiles(const std::string& dir, std::string_view pattern) {
  std::vector<std::string> names;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir.empty() ? "." : dir, ec)) {
    if (!entry.is_regular_file(ec)) continue;
    std::string name = entry.path().filename().string();
    if (MatchPattern(pattern, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform
