// The few file calls that differ between operating systems; used by the
// platform layer only.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string_view>

namespace platform {

int SeekFile(std::FILE* file, int64_t offset);
int64_t FileSize(std::FILE* file);
bool SyncFile(std::FILE* file);

// Forgets the last error, so that a failure afterwards reports its own.
void ClearSystemError();

// DOS-style wildcard match, without regard to case: * any run of
// characters, ? any one character.
bool MatchesDosPattern(std::string_view pattern, std::string_view name);

}  // namespace platform
