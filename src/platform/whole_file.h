// Writing a file whole without ever leaving it half written. The new
// content goes to a temporary file beside the old one, which gets the old
// file's permission bits (and, where the process may, its owner and group,
// so a board that runs the game as another user keeps its access), is
// flushed to disk and renamed over the old file; last the directory is
// flushed, so that the rename itself survives a power cut. A crash, a kill
// or a full disk at any moment leaves the whole old file or the whole new
// one.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// The temporary file of `path`: the same name with the extension "TMP",
// in the letter case of the name's own extension (EVENTS.DAT is rewritten
// through EVENTS.TMP, 3rdparty.dat through 3rdparty.tmp).
std::string TempPathFor(const std::string& path);

// Replaces the file at `path` (or creates it) with `content`. False when a
// step failed: the old file is untouched, the temporary file removed and
// `error` holds the system's error number.
bool WriteWholeFile(const std::string& path, std::span<const uint8_t> content, int& error);
bool WriteWholeFile(const std::string& path, std::string_view content, int& error);
// The same for a file the program cannot do without: a failure ends the
// program with the run-time I/O error report.
void WriteWholeFileOrEnd(const std::string& path, std::span<const uint8_t> content);
void WriteWholeFileOrEnd(const std::string& path, std::string_view content);

// The points after each step of a write, for tests that stop the program
// there as a crash would, or make the step fail (the hook returns false).
enum class WriteStep { kCreated, kAccessMatched, kWritten, kSynced, kRenamed, kDirectorySynced };
using WriteStepHook = std::function<bool(WriteStep)>;
void SetWriteStepHook(WriteStepHook hook);

}  // namespace platform
