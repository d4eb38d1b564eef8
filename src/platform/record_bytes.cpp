#include "platform/record_bytes.h"

#include <algorithm>

namespace platform {

std::string GetString(std::span<const uint8_t> raw, size_t offset, size_t capacity) {
  size_t length = std::min<size_t>(raw[offset], capacity);
  return std::string(reinterpret_cast<const char*>(raw.data() + offset + 1), length);
}

void PutString(std::span<uint8_t> raw, size_t offset, size_t capacity, const std::string& s) {
  size_t length = std::min(s.size(), capacity);
  raw[offset] = static_cast<uint8_t>(length);
  std::copy_n(reinterpret_cast<const uint8_t*>(s.data()), length, raw.begin() + offset + 1);
}

}  // namespace platform
