#include "shell/settings_record.h"

namespace shell {

namespace {
constexpr size_t kWinnerTextOffset = 14;
constexpr size_t kWinnerTextCapacity = 146;
}  // namespace

SettingsRecord DefaultSettings() {
  SettingsRecord record;
  platform::PutString(record.raw, kWinnerTextOffset, kWinnerTextCapacity, "NO WINNER");
  platform::EncodeFields(record);
  return record;
}

}  // namespace shell
