// Loading and saving PLAYEXT.DAT under the lock file the game shares.
#pragma once

#include <string>

#include "editors/extras_record.h"
#include "platform/clock.h"

namespace editors {

// Reads the extras record; creates an all-zero PLAYEXT.DAT when there is
// none. An empty date reads as "NEVER".
void LoadExtras(platform::Clock& clock, const std::string& game_dir, ExtrasRecord& extras);
// Writes the extras record; a date of "NEVER" is stored empty.
void SaveExtras(platform::Clock& clock, const std::string& game_dir, ExtrasRecord& extras);

// The lock file guarding a data file: its path with the last character
// replaced by "X". Held from Take to Release, and released on every way
// the program can end meanwhile.
class FileLock {
 public:
  FileLock(platform::Clock& clock, const std::string& data_path);
  ~FileLock();
  FileLock(const FileLock&) = delete;
  FileLock& operator=(const FileLock&) = delete;
  void Release();

 private:
  std::string lock_path_;
  int exit_proc_ = -1;
};

}  // namespace editors
