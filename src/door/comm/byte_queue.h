// A bounded first-in-first-out queue of bytes between the program and a
// transport's device thread. It does no locking of its own: each queue is
// guarded by the lock of its direction (comm_port.h).
#pragma once

#include <cstdint>
#include <memory>

namespace door::comm {

class ByteQueue {
 public:
  static constexpr int kCapacity = 32768;

  ByteQueue();

  int Free() const { return kCapacity - used_; }
  int Used() const { return used_; }
  // Appends as many bytes as fit and returns how many; a negative count
  // puts nothing.
  int Put(const uint8_t* bytes, int count);
  // Copies up to count bytes from the front, leaving them queued.
  int Peek(uint8_t* out, int count) const;
  // Copies up to count bytes from the front and removes them; out may be
  // null to drop them.
  int Take(uint8_t* out, int count);
  void Clear();

 private:
  std::unique_ptr<uint8_t[]> ring_;
  int head_ = 0;  // index of the front byte
  int used_ = 0;
};

}  // namespace door::comm
