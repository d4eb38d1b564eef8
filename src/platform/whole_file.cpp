#include "platform/whole_file.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <utility>

#include "platform/file.h"
#include "platform/files.h"
#include "platform/os_file.h"
#include "platform/program_end.h"

namespace platform {

namespace {

WriteStepHook& Hook() {
  static WriteStepHook hook;
  return hook;
}

// False when a test makes the step fail.
bool Reached(WriteStep step) {
  return !Hook() || Hook()(step);
}

std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

}  // namespace

void SetWriteStepHook(WriteStepHook hook) {
  Hook() = std::move(hook);
}

std::string TempPathFor(const std::string& path) {
  std::filesystem::path temp(path);
  std::string extension = temp.extension().string();
  bool lower = std::any_of(extension.begin(), extension.end(),
                           [](unsigned char c) { return std::islower(c) != 0; });
  temp.replace_extension(lower ? ".tmp" : ".TMP");
  return temp.string();
}

bool WriteWholeFile(const std::string& path, std::span<const uint8_t> content, int& error) {
  std::string temp_path = TempPathFor(path);
  File temp;
  auto fail = [&](int reason) {
    error = reason != 0 ? reason : LastSystemError();
    temp.Close();
    DeleteFile(temp_path);
    return false;
  };
  if (!temp.Open(temp_path, File::Mode::kCreate) || !Reached(WriteStep::kCreated))
    return fail(temp.error());
  // Before the content goes in, so that it is never readable by more users
  // than the old file was.
  ClearSystemError();
  if (!MatchAccess(path, temp_path) || !Reached(WriteStep::kAccessMatched))
    return fail(LastSystemError());
  if (!temp.Write(content) || !Reached(WriteStep::kWritten)) return fail(temp.error());
  if (!temp.Sync() || !temp.Close() || !Reached(WriteStep::kSynced)) return fail(temp.error());
  ClearSystemError();
  if (!ReplaceFile(temp_path, path)) return fail(LastSystemError());
  Reached(WriteStep::kRenamed);
  // Some file systems cannot flush a directory; the rename stands anyway.
  SyncDirectoryOf(path);
  Reached(WriteStep::kDirectorySynced);
  error = 0;
  return true;
}

bool WriteWholeFile(const std::string& path, std::string_view content, int& error) {
  return WriteWholeFile(path, Bytes(content), error);
}

void WriteWholeFileOrEnd(const std::string& path, std::span<const uint8_t> content) {
  int error = 0;
  if (!WriteWholeFile(path, content, error)) EndWithIoError("writing", path, error);
}

void WriteWholeFileOrEnd(const std::string& path, std::string_view content) {
  WriteWholeFileOrEnd(path, Bytes(content));
}

}  // namespace platform
