#include "editors/extras_file.h"

#include <filesystem>

#include "platform/files.h"
#include "platform/program_end.h"
#include "platform/record_file.h"
#include "platform/whole_file.h"

namespace editors {

namespace {

constexpr int kPollMillis = 100;
// A lock still there after this many polls is taken to be left over from
// a program that died, and is removed.
constexpr int kStalePolls = 14;

std::string ExtrasPath(const std::string& game_dir) {
  return platform::FindInDirectory(game_dir, "PLAYEXT.DAT");
}

std::string LockPathFor(const std::string& data_path) {
  std::filesystem::path path(data_path);
  std::string name = path.filename().string();
  if (!name.empty()) name.back() = 'X';
  std::string dir = platform::WithTrailingSeparator(path.parent_path().string());
  return platform::FindInDirectory(dir, name);
}

}  // namespace

FileLock::FileLock(platform::Clock& clock, const std::string& data_path)
    : lock_path_(LockPathFor(data_path)) {
  int polls = 0;
  while (!platform::CreateNewFile(lock_path_)) {
    if (!platform::FileExists(lock_path_) && polls > kStalePolls) break;  // cannot be made at all
    clock.Sleep(kPollMillis);
    if (++polls == kStalePolls) platform::DeleteFile(lock_path_);
  }
  std::string path = lock_path_;
  exit_proc_ = platform::AddExitProc([path] { platform::DeleteFile(path); });
}

FileLock::~FileLock() {
  Release();
}

void FileLock::Release() {
  if (exit_proc_ < 0) return;
  platform::RemoveExitProc(exit_proc_);
  exit_proc_ = -1;
  platform::DeleteFile(lock_path_);
}

void LoadExtras(platform::Clock& clock, const std::string& game_dir, ExtrasRecord& extras) {
  std::string path = ExtrasPath(game_dir);
  {
    FileLock lock(clock, path);
    if (platform::FileExists(path)) {
      platform::RecordFile file(kExtrasRecordSize);
      if (!file.OpenForReading(path)) platform::EndWithIoError("opening", path, file.error());
      if (!file.Read(0, extras.raw))
        platform::EndWithIoError("reading", path, file.error(),
                                 {file.ShortRecordText(0),
                                  "The file was left as it was. Restore it from a backup, or "
                                  "delete it so that KeldCfg creates it anew."});
      file.Close();
      lock.Release();
      platform::DecodeFields(extras);
      if (extras.LastEditDate.empty()) extras.LastEditDate = kNeverDate;
      return;
    }
  }
  extras = ExtrasRecord{};
  extras.raw.fill(0);
  platform::DecodeFields(extras);
  extras.LastEditDate = kNeverDate;
  SaveExtras(clock, game_dir, extras);
}

void SaveExtras(platform::Clock& clock, const std::string& game_dir, ExtrasRecord& extras) {
  bool was_never = extras.LastEditDate == kNeverDate;
  if (was_never) extras.LastEditDate.clear();
  platform::EncodeFields(extras);
  std::string path = ExtrasPath(game_dir);
  FileLock lock(clock, path);
  platform::WriteWholeFileOrEnd(path, extras.raw);
  lock.Release();
  if (was_never) extras.LastEditDate = kNeverDate;
}

}  // namespace editors
