// File system operations the program needs beyond plain reading and
// writing. The game's files may be spelled in any letter case on disk.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// The separator that ends a directory text ("/" on POSIX, "\" on Windows).
char PathSeparator();
// dir with a separator appended unless it already ends with one.
std::string WithTrailingSeparator(std::string dir);
// The name of a file without its directory ("/" and "\" both end one).
std::string FileName(const std::string& path);
// The directory of a path: everything up to its last separator, which it
// keeps; the current directory for a bare name.
std::string DirectoryOf(const std::string& path);

// The path of `name` inside `dir` (dir ends with a separator): the
// existing file whatever the letter case of its name, or, when there is
// none, the name as given, so that a new file gets the program's spelling.
std::string FindInDirectory(const std::string& dir, std::string_view name);

// True when the file can be opened for reading.
bool FileExists(const std::string& path);
// True when a file (not a directory) of that name is there, whether or not
// it may be read.
bool FilePresent(const std::string& path);
// Deletes the file if it exists; errors are ignored.
void DeleteFile(const std::string& path);
// Creates an empty file that must not exist yet; false when it exists (or
// cannot be made), so two processes can never both create it.
bool CreateNewFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);
// Moves `from` over `to` in one step: afterwards `to` holds either its old
// or its new content, never a mix, even after a crash. `from` must already
// be flushed to disk (see File::Sync), and the rename is durable only once
// the directory is flushed too (SyncDirectoryOf).
bool ReplaceFile(const std::string& from, const std::string& to);
// Flushes the directory that holds `path` to disk, so that a rename or a
// new name in it survives a power cut. Best effort: false when it cannot.
bool SyncDirectoryOf(const std::string& path);
// Gives `path` the permission bits of the file `like` and, where the
// process may, its owner and group. True without a change when `like`
// does not exist: a new file keeps the default access.
bool MatchAccess(const std::string& like, const std::string& path);
bool MakeDirectory(const std::string& path);
bool RemoveDirectory(const std::string& path);
bool IsDirectory(const std::string& path);
// True when both paths lead to one file: the same name, a link to it, or
// another name of it; false when either is missing.
bool SameFile(const std::string& a, const std::string& b);

// Names (not paths) of the files in `dir` matching a DOS pattern with * and
// ?, compared without regard to case; sorted.
std::vector<std::string> FindFiles(const std::string& dir, std::string_view pattern);

// Canonical form of a directory for comparisons: ".", "..", symlinks and
// letter case resolved. A path that does not exist as typed is looked up
// component by component without regard to case, so "/BBS/Keld" finds
// "/bbs/keld". Empty when no such directory exists.
std::string CanonicalDirectory(const std::string& dir);

// Absolute path of the running executable, from argv[0] as the program was
// started (made absolute, symlinks kept, looked up on PATH when it names no
// directory).
std::string ExecutablePath(const char* argv0);

// A path the operator typed, as it is kept: upper-cased where the file
// system ignores letter case anyway (Windows), as typed where upper-casing
// would name a different file.
std::string AsStoredPath(std::string_view typed);

// Error numbers are the system's own: errno on POSIX; on Windows its error
// codes, which number failures as DOS did.
//
// The error of the last failed file operation.
int LastSystemError();
// The error reported for a read that found the file shorter than a whole
// record.
int ShortReadError();
// The system's text for an error number.
std::string ErrorText(int error);

}  // namespace platform
