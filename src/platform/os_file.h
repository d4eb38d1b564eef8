// The few file calls that differ between operating systems; used by the
// platform layer only.
#pragma once

#include <cstdint>
#include <cstdio>

namespace platform {

int SeekFile(std::FILE* file, int64_t offset);
int64_t FileSize(std::FILE* file);
bool SyncFile(std::FILE* file);

}  // namespace platform
