#include "door/comm/byte_queue.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

namespace {

using door::comm::ByteQueue;

TEST(ByteQueue, BoundedFifoThatWrapsAround) {
  ByteQueue queue;
  EXPECT_EQ(queue.Free(), 32768);
  std::vector<uint8_t> bytes(40000);
  std::iota(bytes.begin(), bytes.end(), 0);  // wraps at 256: a position shows in the byte

  EXPECT_EQ(queue.Put(bytes.data(), -1), 0);
  EXPECT_EQ(queue.Put(bytes.data(), 40000), 32768);  // as many as fit
  EXPECT_EQ(queue.Put(bytes.data(), 1), 0);
  EXPECT_EQ(queue.Free(), 0);

  std::vector<uint8_t> out(40000);
  EXPECT_EQ(queue.Peek(out.data(), 3), 3);
  EXPECT_EQ(queue.Used(), 32768);  // a peek leaves the bytes queued
  EXPECT_EQ(queue.Take(out.data(), 30000), 30000);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 30000),
            std::vector<uint8_t>(bytes.begin(), bytes.begin() + 30000));

  // The next put runs over the end of the ring and on at its start.
  EXPECT_EQ(queue.Put(bytes.data() + 32768, 7232), 7232);
  EXPECT_EQ(queue.Used(), 10000);
  EXPECT_EQ(queue.Take(nullptr, 2768), 2768);  // dropped unread
  EXPECT_EQ(queue.Take(out.data(), 40000), 7232);
  EXPECT_EQ(std::vector<uint8_t>(out.begin(), out.begin() + 7232),
            std::vector<uint8_t>(bytes.begin() + 32768, bytes.end()));
  EXPECT_EQ(queue.Take(out.data(), 1), 0);
  EXPECT_EQ(queue.Peek(out.data(), -5), 0);

  queue.Put(bytes.data(), 100);
  queue.Clear();
  EXPECT_EQ(queue.Used(), 0);
  EXPECT_EQ(queue.Free(), 32768);
}

}  // namespace
