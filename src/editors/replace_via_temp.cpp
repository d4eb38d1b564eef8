#include "editors/replace_via_temp.h"

#include <utility>

#include "platform/files.h"
#include "platform/program_end.h"

namespace editors {

namespace {

ReplaceStepHook& Hook() {
  static ReplaceStepHook hook;
  return hook;
}

void Reached(ReplaceStep step) {
  if (Hook()) Hook()(step);
}

[[noreturn]] void Fail(const char* operation, const std::string& temp_path, const std::string& path,
                       int error) {
  platform::DeleteFile(temp_path);
  platform::EndWithIoError(operation, path, error);
}

}  // namespace

void SetReplaceStepHook(ReplaceStepHook hook) {
  Hook() = std::move(hook);
}

void ReplaceViaTemp(const std::string& temp_path, const std::string& target_path,
                    const std::function<bool(platform::File&)>& fill) {
  platform::File temp;
  if (!temp.Open(temp_path, platform::File::Mode::kCreate))
    Fail("creating", temp_path, temp_path, temp.error());
  if (!fill(temp)) Fail("writing", temp_path, temp_path, temp.error());
  Reached(ReplaceStep::kTempWritten);
  if (!temp.Sync() || !temp.Close()) Fail("writing", temp_path, temp_path, temp.error());
  Reached(ReplaceStep::kTempSynced);
  if (!platform::ReplaceFile(temp_path, target_path))
    Fail("renaming", temp_path, target_path, platform::LastSystemError());
  Reached(ReplaceStep::kReplaced);
}

}  // namespace editors
