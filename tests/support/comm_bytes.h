// The program's side of a transport, in strings: what it queues for the
// caller, and what it reads.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include "door/comm/comm_port.h"

namespace testsupport {

inline size_t Queue(door::comm::CommPort& port, const std::string& bytes) {
  return port.SendBlock(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

// Waits for `count` bytes, or the carrier's end.
inline std::string Read(door::comm::CommPort& port, size_t count) {
  std::string bytes(count, '\0');
  bytes.resize(port.ReadBlock(reinterpret_cast<uint8_t*>(bytes.data()), count));
  return bytes;
}

// Reads `count` bytes a full input queue at a time, as long as they come.
inline std::string ReadAll(door::comm::CommPort& port, size_t count) {
  std::string read;
  while (read.size() < count) {
    std::string chunk = Read(port, std::min<size_t>(32768, count - read.size()));
    if (chunk.empty()) break;
    read += chunk;
  }
  return read;
}

// Queues the bytes 255 at a time, as the door console sends them.
inline void QueueInLines(door::comm::CommPort& port, const std::string& bytes) {
  for (size_t at = 0; at < bytes.size(); at += 255) Queue(port, bytes.substr(at, 255));
}

}  // namespace testsupport
