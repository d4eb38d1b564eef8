// The telnet byte layer alone: what the caller's bytes deliver and what
// they are answered with, and how output is doubled when a send stops
// anywhere, between the two bytes of a pair included.
#include "door/comm/telnet_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using door::comm::telnet::IacDoubler;
using door::comm::telnet::TelnetFilter;

struct Delivered : door::comm::telnet::FilterEvents {
  std::string data, replies;
  void OnData(uint8_t byte) override { data += static_cast<char>(byte); }
  void OnReply(const uint8_t* reply, size_t count) override {
    replies.append(reinterpret_cast<const char*>(reply), count);
  }
};

void Feed(TelnetFilter& filter, Delivered& out, const std::string& bytes) {
  filter.Feed(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), out);
}

// (The loopback tests in telnet_comm_test.cpp see data, a doubled 255 and
// IAC NOP come through.)
TEST(TelnetFilter, OptionAnswersAndSequencesSplitAcrossReceives) {
  TelnetFilter filter;
  Delivered out;
  // IAC WILL ECHO, IAC DO 24 (terminal type), IAC DONT SUPPRESS-GO-AHEAD
  // (the answer ignores the command), IAC WONT BINARY.
  Feed(filter, out, std::string("\xff\xfb\x01\xff\xfd\x18\xff\xfe\x03\xff\xfc\x00", 12));
  EXPECT_EQ(out.replies, std::string("\xff\xfb\x01\xff\xfc\x18\xff\xfb\x03\xff\xfb\x00", 12));

  out = Delivered();
  Feed(filter, out, "x\xff");
  Feed(filter, out, "\xfd");
  Feed(filter, out, "\x18y\xff");
  Feed(filter, out, "\xffz");
  EXPECT_EQ(out.data, "xy\xffz");
  EXPECT_EQ(out.replies, "\xff\xfc\x18");
}

// Sends `queued` through the doubler in sends of the given sizes; returns
// the stream the caller gets and checks that each queued byte is done with
// exactly once.
std::string SendInSteps(const std::string& queued, const std::vector<size_t>& steps) {
  IacDoubler doubler;
  std::string stream;
  std::string rest = queued;
  for (size_t step : steps) {
    uint8_t encoded[64];
    auto bytes = reinterpret_cast<const uint8_t*>(rest.data());
    size_t length = doubler.Encode(bytes, rest.size(), encoded);
    size_t sent = std::min(step, length);
    stream.append(reinterpret_cast<const char*>(encoded), sent);
    rest.erase(0, doubler.Sent(bytes, rest.size(), sent));
  }
  EXPECT_EQ(rest, "");
  EXPECT_FALSE(doubler.OwesHalf());
  return stream;
}

TEST(IacDoubler, EveryByte255GoesOutTwiceWhereverASendStops) {
  EXPECT_EQ(SendInSteps("\xff", {64}), "\xff\xff");
  const std::string doubled =
      "a\xff\xff\xff\xff"
      "b";
  // Whole, stopping inside the first pair, inside the second, byte by byte.
  for (const std::vector<size_t>& steps :
       std::vector<std::vector<size_t>>{{64}, {2, 64}, {0, 4, 1, 64}, {1, 1, 1, 1, 1, 1}})
    EXPECT_EQ(SendInSteps("a\xff\xff\x62", steps), doubled) << steps.size();  // 0x62 is "b"
}

}  // namespace
