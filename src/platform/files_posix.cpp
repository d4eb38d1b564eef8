// The POSIX side of the file system layer.
#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <system_error>

#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/os_file.h"

namespace platform {

namespace fs = std::filesystem;

char PathSeparator() {
  return '/';
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

bool FileExists(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  return ::access(path.c_str(), R_OK) == 0;
}

bool FilePresent(const std::string& path) {
  std::error_code ec;
  fs::file_status status = fs::status(path, ec);
  return !ec && fs::exists(status) && !fs::is_directory(status);
}

void DeleteFile(const std::string& path) {
  ::unlink(path.c_str());
}

bool CreateNewFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  fs::rename(from, to, ec);
  return !ec;
}

bool ReplaceFile(const std::string& from, const std::string& to) {
  ClearSystemError();
  return ::rename(from.c_str(), to.c_str()) == 0;
}

bool SyncDirectoryOf(const std::string& path) {
  std::string dir = std::filesystem::path(path).parent_path().string();
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

bool MatchAccess(const std::string& like, const std::string& path) {
  struct stat old;
  if (::stat(like.c_str(), &old) != 0) return errno == ENOENT;
  // Owner and group first, as changing them may clear set-id bits. Only
  // root may give a file away; an owner may still pass it to one of its
  // groups. Whatever the process may not do leaves the writer's own.
  [[maybe_unused]] bool ownership_kept =
      ::chown(path.c_str(), old.st_uid, old.st_gid) == 0 ||
      ::chown(path.c_str(), static_cast<uid_t>(-1), old.st_gid) == 0;
  return ::chmod(path.c_str(), old.st_mode & 07777) == 0;
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
    if (MatchesDosPattern(pattern, name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string CanonicalDirectory(const std::string& dir) {
  // The name in `parent` that `part` spells in another letter case; the
  // first in sorted order when several do, empty when none does.
  auto entry_spelled = [&](const std::string& parent, const std::string& part) {
    std::string found;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(parent.empty() ? "." : parent, ec)) {
      std::string name = entry.path().filename().string();
      if (SameIgnoringCase(name, part) && (found.empty() || name < found)) found = name;
    }
    return found;
  };
  // The game's directories may be typed in any letter case: when the path
  // does not exist as typed, find each component as the disk spells it.
  auto spelled_on_disk = [&](const std::string& typed) -> std::string {
    std::string path = !typed.empty() && typed.front() == '/' ? "/" : "";
    std::stringstream parts(typed);
    std::string part;
    while (std::getline(parts, part, '/')) {
      if (part.empty()) continue;
      struct stat info;
      std::string next = path + part;
      if (part != "." && part != ".." && ::lstat(next.c_str(), &info) != 0) {
        std::string found = entry_spelled(path, part);
        if (found.empty()) return {};
        next = path + found;
      }
      path = next + "/";
    }
    return path.empty() ? "." : path;
  };
  char resolved[PATH_MAX];
  if (::realpath(dir.c_str(), resolved) == nullptr) {
    std::string spelled = spelled_on_disk(dir);
    if (spelled.empty() || ::realpath(spelled.c_str(), resolved) == nullptr) return {};
  }
  struct stat info;
  if (::stat(resolved, &info) != 0 || !S_ISDIR(info.st_mode)) return {};
  return WithTrailingSeparator(resolved);
}

std::string ExecutablePath(const char* argv0) {
  std::string name = argv0 != nullptr ? argv0 : "";
  if (name.find('/') != std::string::npos) {
    fs::path path(name);
    if (path.is_relative()) path = fs::current_path() / path;
    return path.lexically_normal().string();
  }
  // Started through PATH: the first directory that holds it.
  if (const char* path_var = ::getenv("PATH"); path_var != nullptr && !name.empty()) {
    std::stringstream dirs(path_var);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
      fs::path candidate = fs::path(dir.empty() ? "." : dir) / name;
      if (::access(candidate.c_str(), X_OK) == 0) {
        if (candidate.is_relative()) candidate = fs::current_path() / candidate;
        return candidate.lexically_normal().string();
      }
    }
  }
  char self[PATH_MAX];
  ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
  if (length > 0) return std::string(self, static_cast<size_t>(length));
  return (fs::current_path() / name).string();
}

std::string AsStoredPath(std::string_view typed) {
  return std::string(typed);
}

void ClearSystemError() {
  errno = 0;
}

int LastSystemError() {
  return errno != 0 ? errno : EIO;
}

int ShortReadError() {
  return EIO;
}

std::string ErrorText(int error) {
  return std::strerror(error);
}

int SeekFile(std::FILE* file, int64_t offset) {
  return ::fseeko(file, static_cast<off_t>(offset), SEEK_SET);
}

int64_t FileSize(std::FILE* file) {
  struct stat info;
  if (std::fflush(file) != 0 || ::fstat(::fileno(file), &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

bool SyncFile(std::FILE* file) {
  return ::fsync(::fileno(file)) == 0;
}

}  // namespace platform
