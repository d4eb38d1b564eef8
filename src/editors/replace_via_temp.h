// Rewriting a file through a temporary one. The new content goes to the
// temporary file, is flushed to disk, and then moves over the old file in
// one rename, so that a crash at any moment leaves either the whole old
// file or the whole new one.
#pragma once

#include <functional>
#include <string>

#include "platform/file.h"

namespace editors {

// The points between the steps of a replace, for tests that stop the
// program there as a crash would.
enum class ReplaceStep { kTempWritten, kTempSynced, kReplaced };
using ReplaceStepHook = std::function<void(ReplaceStep)>;
void SetReplaceStepHook(ReplaceStepHook hook);

// Creates `temp_path`, lets `fill` write the new content into it and
// replaces `target_path` with it. Any failure ends the program with the
// run-time I/O error report; the temporary file is removed first.
// `fill` returns false on a write error (the file's error() tells why).
void ReplaceViaTemp(const std::string& temp_path, const std::string& target_path,
                    const std::function<bool(platform::File&)>& fill);

}  // namespace editors
