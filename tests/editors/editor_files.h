// Expected file contents for the editor and settings tests: a file's
// bytes with one field replaced, and a comparison that names where two
// files of thousands of bytes differ.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/record_bytes.h"

namespace editors_test {

// `before` with the little-endian integer at `offset` replaced.
template <typename Int>
std::string WithInt(std::string before, size_t offset, Int value) {
  auto bits = static_cast<std::make_unsigned_t<Int>>(value);
  for (size_t i = 0; i < sizeof(Int); ++i) {
    before.at(offset + i) = static_cast<char>((bits >> (8 * i)) & 0xFF);
  }
  return before;
}

// `before` with the string[N] at `offset` replaced.
inline std::string WithString(std::string before, size_t offset, size_t capacity,
                              const std::string& s) {
  std::vector<uint8_t> raw(before.begin(), before.end());
  platform::PutString(raw, offset, capacity, s);
  return std::string(raw.begin(), raw.end());
}

// Empty when the two files are equal, else where they first differ: a
// readable failure message for files of thousands of bytes.
inline std::string Difference(const std::string& got, const std::string& want) {
  if (got == want) return "";
  size_t i = 0;
  while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
  return "sizes " + std::to_string(got.size()) + "/" + std::to_string(want.size()) +
         ", first difference at byte " + std::to_string(i);
}

template <typename Record>
std::string Bytes(Record record) {
  platform::EncodeFields(record);
  return std::string(record.raw.begin(), record.raw.end());
}

}  // namespace editors_test
