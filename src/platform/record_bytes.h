// Field access inside a record's raw bytes: little-endian integers and
// length-prefixed strings, as the game lays them out. A record type lists
// its fields once, in a Map function that both a FieldReader and a
// FieldWriter walk; bytes that no field names are never touched, so they
// survive a read-modify-write unchanged.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>
#include <string>

namespace platform {

// A string[N] field occupies N + 1 bytes: a length byte, then N characters
// of which only the first `length` count. The length is clamped to N.
std::string GetString(std::span<const uint8_t> raw, size_t offset, size_t capacity);
// Writes the length byte and the characters, cut to `capacity`; characters
// beyond the new length are left as they were.
void PutString(std::span<uint8_t> raw, size_t offset, size_t capacity, const std::string& s);

template <typename T>
T GetLE(std::span<const uint8_t> raw, size_t offset) {
  using U = std::make_unsigned_t<T>;
  U value = 0;
  for (size_t i = 0; i < sizeof(T); ++i) value |= static_cast<U>(U(raw[offset + i]) << (8 * i));
  return static_cast<T>(value);
}

template <typename T>
void PutLE(std::span<uint8_t> raw, size_t offset, T v) {
  using U = std::make_unsigned_t<T>;
  U value = static_cast<U>(v);
  for (size_t i = 0; i < sizeof(T); ++i) raw[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}

// Decodes fields from raw bytes into a record's members.
class FieldReader {
 public:
  explicit FieldReader(std::span<const uint8_t> raw) : raw_(raw) {}
  void Bool(size_t offset, bool& v) { v = raw_[offset] != 0; }
  void U8(size_t offset, uint8_t& v) { v = raw_[offset]; }
  void I8(size_t offset, int8_t& v) { v = static_cast<int8_t>(raw_[offset]); }
  void I16(size_t offset, int16_t& v) { v = GetLE<int16_t>(raw_, offset); }
  void I32(size_t offset, int32_t& v) { v = GetLE<int32_t>(raw_, offset); }
  void Str(size_t offset, size_t capacity, std::string& v) {
    v = GetString(raw_, offset, capacity);
  }

 private:
  std::span<const uint8_t> raw_;
};

// Encodes a record's members into raw bytes, field by field.
class FieldWriter {
 public:
  explicit FieldWriter(std::span<uint8_t> raw) : raw_(raw) {}
  // A boolean keeps its stored byte while its truth does not change, so a
  // non-zero byte other than 1 survives a write that did not touch it.
  void Bool(size_t offset, bool& v) {
    if ((raw_[offset] != 0) != v) raw_[offset] = v ? 1 : 0;
  }
  void U8(size_t offset, uint8_t& v) { raw_[offset] = v; }
  void I8(size_t offset, int8_t& v) { raw_[offset] = static_cast<uint8_t>(v); }
  void I16(size_t offset, int16_t& v) { PutLE<int16_t>(raw_, offset, v); }
  void I32(size_t offset, int32_t& v) { PutLE<int32_t>(raw_, offset, v); }
  // An unchanged string keeps its stored bytes, even a length byte beyond
  // the field's capacity that reading clamped.
  void Str(size_t offset, size_t capacity, std::string& v) {
    if (GetString(raw_, offset, capacity) != v) PutString(raw_, offset, capacity, v);
  }

 private:
  std::span<uint8_t> raw_;
};

}  // namespace platform

namespace platform {

// Decodes every field a record type maps from its raw bytes, or encodes
// them back into the raw bytes.
template <typename Record>
void DecodeFields(Record& record) {
  FieldReader reader(record.raw);
  record.Map(reader);
}

template <typename Record>
void EncodeFields(Record& record) {
  FieldWriter writer(record.raw);
  record.Map(writer);
}

}  // namespace platform
