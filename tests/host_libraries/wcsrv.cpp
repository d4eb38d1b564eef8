// A stand-in for the WINServer host library: the logged-in user is the one
// the test names in KELD_TEST_WCSRV_NAME, with the minutes left, the
// terminal field (0: ANSI) and the node in KELD_TEST_WCSRV_MINUTES,
// KELD_TEST_WCSRV_TERMINAL and KELD_TEST_WCSRV_NODE. Without a name nobody
// is logged in.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/library.h"

namespace {

constexpr size_t kNameOffset = 8;
constexpr size_t kNameField = 72;  // with its terminating zero
constexpr size_t kTerminalOffset = 0x2BC;
constexpr size_t kMinutesOffset = 0x340;

int32_t Number(const char* variable) {
  const char* text = std::getenv(variable);
  return text != nullptr ? static_cast<int32_t>(std::atol(text)) : 0;
}

void PutLittleEndian(unsigned char* at, int32_t value) {
  auto bits = static_cast<uint32_t>(value);
  for (int i = 0; i < 4; ++i) at[i] = static_cast<unsigned char>(bits >> (8 * i));
}

}  // namespace

KELD_HOST_EXPORT int KELD_HOST_CALL WildcatLoggedIn(void* record) {
  const char* name = std::getenv("KELD_TEST_WCSRV_NAME");
  if (name == nullptr) return 0;
  auto* bytes = static_cast<unsigned char*>(record);
  size_t length = std::min(std::strlen(name), kNameField - 1);
  std::memcpy(bytes + kNameOffset, name, length);
  bytes[kNameOffset + length] = 0;
  PutLittleEndian(bytes + kTerminalOffset, Number("KELD_TEST_WCSRV_TERMINAL"));
  PutLittleEndian(bytes + kMinutesOffset, Number("KELD_TEST_WCSRV_MINUTES"));
  return 1;
}

KELD_HOST_EXPORT int KELD_HOST_CALL GetNode(void) {
  return Number("KELD_TEST_WCSRV_NODE");
}
