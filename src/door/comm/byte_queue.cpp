#include "door/comm/byte_queue.h"

#include <algorithm>
#include <cstring>

namespace door::comm {

ByteQueue::ByteQueue() : ring_(std::make_unique<uint8_t[]>(kCapacity)) {}

int ByteQueue::Put(const uint8_t* bytes, int count) {
  int n = std::clamp(count, 0, Free());
  if (n == 0) return 0;
  int tail = (head_ + used_) % kCapacity;
  int first = std::min(n, kCapacity - tail);
  std::memcpy(&ring_[tail], bytes, first);
  std::memcpy(&ring_[0], bytes + first, n - first);
  used_ += n;
  return n;
}

int ByteQueue::Peek(uint8_t* out, int count) const {
  int n = std::clamp(count, 0, used_);
  if (n == 0) return 0;
  int first = std::min(n, kCapacity - head_);
  std::memcpy(out, &ring_[head_], first);
  std::memcpy(out + first, &ring_[0], n - first);
  return n;
}

int ByteQueue::Take(uint8_t* out, int count) {
  int n = out != nullptr ? Peek(out, count) : std::clamp(count, 0, used_);
  head_ = (head_ + n) % kCapacity;
  used_ -= n;
  if (used_ == 0) head_ = 0;
  return n;
}

void ByteQueue::Clear() {
  head_ = 0;
  used_ = 0;
}

}  // namespace door::comm
