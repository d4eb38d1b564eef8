#include "support/rig.h"

#include "platform/files.h"

#include <random>

namespace testsupport {

bool OnWindows() {
  return platform::PathSeparator() == '\\';
}

std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed) {
  std::mt19937 gen(seed);
  std::vector<uint8_t> bytes(count);
  for (auto& b : bytes) b = static_cast<uint8_t>(gen());
  return bytes;
}

}  // namespace testsupport
