// The Windows side of the file system layer. Every call takes the program's
// narrow paths in the ANSI code page, as the C runtime's fopen does, so a
// name found by one call is the name the others open.
#include <aclapi.h>
#include <windows.h>
// windows.h renames these to their ANSI forms; here they are the platform
// layer's own functions, and the system's are called by their A names.
#undef DeleteFile
#undef ReplaceFile
#undef RemoveDirectory

#include <io.h>
#include <stdlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/os_file.h"

namespace platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

class FindHandle {
 public:
  explicit FindHandle(const std::string& pattern)
      : handle_(::FindFirstFileA(pattern.c_str(), &data_)) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) ::FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;

  bool Found() const { return handle_ != INVALID_HANDLE_VALUE && !done_; }
  const WIN32_FIND_DATAA& data() const { return data_; }
  bool IsDirectory() const { return (data_.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
  void Next() { done_ = ::FindNextFileA(handle_, &data_) == 0; }

 private:
  WIN32_FIND_DATAA data_{};
  HANDLE handle_;
  bool done_ = false;
};

bool HasWildcard(std::string_view name) {
  return name.find_first_of("*?") != std::string_view::npos;
}

DWORD Attributes(const std::string& path) {
  return ::GetFileAttributesA(path.c_str());
}

// The C runtime names some failures only by errno; the Windows code that
// means the same.
int FromErrno(int error) {
  switch (error) {
    case ENOENT:
      return ERROR_FILE_NOT_FOUND;
    case EACCES:
      return ERROR_ACCESS_DENIED;
    case EEXIST:
      return ERROR_FILE_EXISTS;
    case ENOSPC:
      return ERROR_DISK_FULL;
    case EBADF:
      return ERROR_INVALID_HANDLE;
    case EMFILE:
      return ERROR_TOO_MANY_OPEN_FILES;
    case EINVAL:
      return ERROR_INVALID_PARAMETER;
    default:
      return ERROR_GEN_FAILURE;
  }
}

// What the system knows of an existing file or directory, its identity
// among it.
bool FileIdentity(const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
  HANDLE handle = ::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return false;
  bool known = ::GetFileInformationByHandle(handle, &info) != 0;
  ::CloseHandle(handle);
  return known;
}

// The access list of `from` on `to` (see MatchAccess). A file system that
// keeps no access lists (FAT) has nothing to copy. The system returns its
// errors here instead of leaving them for GetLastError.
bool CopyAccessList(const std::string& from, const std::string& to) {
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD error = ::GetNamedSecurityInfoA(from.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                        nullptr, nullptr, &list, nullptr, &descriptor);
  if (error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION) return true;
  if (error != ERROR_SUCCESS) {
    ::SetLastError(error);
    return false;
  }
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ::GetSecurityDescriptorControl(descriptor, &control, &revision);
  SECURITY_INFORMATION what =
      DACL_SECURITY_INFORMATION |
      ((control & SE_DACL_PROTECTED) != 0 ? PROTECTED_DACL_SECURITY_INFORMATION
                                          : UNPROTECTED_DACL_SECURITY_INFORMATION);
  std::string target = to;  // the call takes a writable string
  error =
      ::SetNamedSecurityInfoA(target.data(), SE_FILE_OBJECT, what, nullptr, nullptr, list, nullptr);
  ::LocalFree(descriptor);
  if (error == ERROR_SUCCESS) return true;
  ::SetLastError(error);
  return false;
}

// "\\?\C:\dir" and "\\?\UNC\server\share" as the rest of the program
// writes them.
std::string WithoutLongPathPrefix(std::string path) {
  if (path.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + path.substr(8);
  if (path.rfind("\\\\?\\", 0) == 0) return path.substr(4);
  return path;
}

}  // namespace

char PathSeparator() {
  return '\\';
}

// Windows itself ignores letter case; the search gives the spelling on disk.
std::string FindInDirectory(const std::string& dir, std::string_view name) {
  std::string exact = dir + std::string(name);
  if (name.empty() || HasWildcard(name)) return exact;
  FindHandle found(exact);
  // A match through a file's short 8.3 alias names another file.
  if (found.Found() && SameIgnoringCase(found.data().cFileName, name))
    return dir + found.data().cFileName;
  return exact;
}

bool FilePresent(const std::string& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool FileExists(const std::string& path) {
  DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return false;
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

void DeleteFile(const std::string& path) {
  ::DeleteFileA(path.c_str());
}

bool CreateNewFile(const std::string& path) {
  HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  ::CloseHandle(file);
  return true;
}

bool RenameFile(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

// The move returns only once it is on the disk, the directory entry
// included.
bool ReplaceFile(const std::string& from, const std::string& to) {
  ClearSystemError();
  return ::MoveFileExA(from.c_str(), to.c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// Nothing to do: ReplaceFile's MOVEFILE_WRITE_THROUGH returns only once the
// rename is on the disk, and Windows gives no handle on a directory that
// could be flushed without administrator rights.
bool SyncDirectoryOf(const std::string&) {
  return true;
}

// The attributes that say how a file is kept (hidden, system, archive, not
// indexed) and the access list. Read-only is left out: the new file must
// still be written, and Windows refuses to replace a read-only file. Access
// entries inherited from the directory come back by themselves; the ones
// given to the file itself are copied. The owner is the writer's: setting
// another takes a privilege a board's program should not hold.
bool MatchAccess(const std::string& like, const std::string& path) {
  DWORD attributes = Attributes(like);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                          FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  DWORD kept = attributes & kKept;
  if (::SetFileAttributesA(path.c_str(), kept != 0 ? kept : FILE_ATTRIBUTE_NORMAL) == 0)
    return false;
  return CopyAccessList(like, path);
}

bool MakeDirectory(const std::string& path) {
  return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool RemoveDirectory(const std::string& path) {
  return ::RemoveDirectoryA(path.c_str()) != 0;
}

bool IsDirectory(const std::string& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// One file whatever the names: the same volume and file index.
bool SameFile(const std::string& a, const std::string& b) {
  BY_HANDLE_FILE_INFORMATION first{}, second{};
  return FileIdentity(a, first) && FileIdentity(b, second) &&
         first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
         first.nFileIndexHigh == second.nFileIndexHigh &&
         first.nFileIndexLow == second.nFileIndexLow;
}

std::vector<std::string> FindFiles(const std::string& dir, std::string_view pattern) {
  std::vector<std::string> names;
  for (FindHandle found(dir + std::string(pattern)); found.Found(); found.Next()) {
    // The search also matches short 8.3 aliases ("*.DAT" finds
    // "SCORES.DATA" as SCORES~1.DAT); only the real name counts.
    if (!found.IsDirectory() && MatchesDosPattern(pattern, found.data().cFileName))
      names.emplace_back(found.data().cFileName);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The system resolves ".", "..", links and letter case for an open handle.
std::string CanonicalDirectory(const std::string& dir) {
  HANDLE handle = ::CreateFileA(dir.empty() ? "." : dir.c_str(), 0, kShareAll, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return {};
  std::string path(MAX_PATH, '\0');
  DWORD length = ::GetFinalPathNameByHandleA(handle, path.data(), static_cast<DWORD>(path.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (length >= path.size()) {
    path.resize(length + 1);
    length = ::GetFinalPathNameByHandleA(handle, path.data(), static_cast<DWORD>(path.size()),
                                         FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  }
  ::CloseHandle(handle);
  if (length == 0 || length >= path.size()) return {};
  path.resize(length);
  path = WithoutLongPathPrefix(path);
  if (!IsDirectory(path)) return {};
  return WithTrailingSeparator(path);
}

// Windows knows the executable's full path; how it was started plays no part.
std::string ExecutablePath(const char* argv0) {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    DWORD length = ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return argv0 != nullptr ? argv0 : "";
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string AsStoredPath(std::string_view typed) {
  return UpperCase(typed);
}

void ClearSystemError() {
  errno = 0;
  _doserrno = 0;
  ::SetLastError(ERROR_SUCCESS);
}

// The C runtime keeps the system's code of a failed call in _doserrno; a
// failure it found itself has only an errno; a direct system call leaves
// its code with GetLastError.
int LastSystemError() {
  if (_doserrno != 0) return static_cast<int>(_doserrno);
  if (errno != 0) return FromErrno(errno);
  DWORD error = ::GetLastError();
  return error != ERROR_SUCCESS ? static_cast<int>(error) : ERROR_GEN_FAILURE;
}

int ShortReadError() {
  return ERROR_HANDLE_EOF;
}

std::string ErrorText(int error) {
  char* text = nullptr;
  DWORD length = ::FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : "Unknown error";
  if (text != nullptr) ::LocalFree(text);
  // The report puts its own full stop after the text.
  message.erase(message.find_last_not_of(" .\r\n") + 1);
  return message;
}

int SeekFile(std::FILE* file, int64_t offset) {
  return ::_fseeki64(file, offset, SEEK_SET);
}

int64_t FileSize(std::FILE* file) {
  if (std::fflush(file) != 0) return -1;
  return ::_filelengthi64(::_fileno(file));
}

bool SyncFile(std::FILE* file) {
  auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(::_fileno(file)));
  return handle != INVALID_HANDLE_VALUE && ::FlushFileBuffers(handle) != 0;
}

}  // namespace platform
