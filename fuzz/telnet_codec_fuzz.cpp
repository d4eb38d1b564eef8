// Arbitrary bytes, cut into arbitrary receives and sends, through the
// telnet byte layer, checked against plain reference codecs that see the
// whole stream at once:
// - input: TelnetFilter fed piece by piece delivers the data and answers
//   that a one-pass decoder finds in the whole stream;
// - output: queued pieces sent in sends that stop anywhere (between the two
//   bytes of a doubled 255 included) make up exactly the stream with every
//   255 doubled, and that stream decodes back to the bytes queued.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "door/comm/telnet_codec.h"

namespace {

using door::comm::telnet::IacDoubler;
using door::comm::telnet::TelnetFilter;

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "telnet codec: %s\n", what);
  std::abort();
}

struct Delivered : door::comm::telnet::FilterEvents {
  std::string data, replies;
  void OnData(uint8_t byte) override { data += static_cast<char>(byte); }
  void OnReply(const uint8_t* reply, size_t count) override {
    replies.append(reinterpret_cast<const char*>(reply), count);
  }
};

// The whole stream in one pass: IAC IAC is a 255; IAC, any command and an
// option byte is answered WILL for options 0, 1 and 3 and WONT for the
// rest. A sequence cut off at the end is left pending.
Delivered ReferenceDecode(const std::string& wire) {
  Delivered out;
  for (size_t i = 0; i < wire.size(); ++i) {
    auto byte = static_cast<uint8_t>(wire[i]);
    if (byte != 0xFF) {
      out.data += wire[i];
    } else if (i + 1 < wire.size() && static_cast<uint8_t>(wire[i + 1]) == 0xFF) {
      out.data += wire[i];
      ++i;
    } else if (i + 2 < wire.size()) {
      auto option = static_cast<uint8_t>(wire[i + 2]);
      bool accepted = option == 0 || option == 1 || option == 3;
      out.replies += std::string{'\xff', static_cast<char>(accepted ? 0xFB : 0xFC), wire[i + 2]};
      i += 2;
    } else {
      break;
    }
  }
  return out;
}

std::string ReferenceEncode(const std::string& data) {
  std::string wire;
  for (char c : data) {
    wire += c;
    if (c == '\xff') wire += c;
  }
  return wire;
}

Delivered FilterInPieces(const std::string& wire, std::minstd_rand& cut) {
  TelnetFilter filter;
  Delivered out;
  for (size_t at = 0; at < wire.size();) {
    size_t piece = std::min<size_t>(cut() % 8, wire.size() - at);
    filter.Feed(reinterpret_cast<const uint8_t*>(wire.data() + at), piece, out);
    at += piece;
  }
  return out;
}

// Queues the data in pieces and sends what is queued in sends of any
// length, as the output thread does; returns the stream that went out.
std::string WriteInPieces(const std::string& data, std::minstd_rand& cut) {
  IacDoubler doubler;
  std::string queued, stream;
  size_t next = 0;
  for (int round = 0; next < data.size() || !queued.empty() || doubler.OwesHalf(); ++round) {
    size_t piece = std::min<size_t>(cut() % 8, data.size() - next);
    queued.append(data, next, piece);
    next += piece;
    std::string encoded(IacDoubler::MaxEncoded(queued.size()), '\0');
    auto bytes = reinterpret_cast<const uint8_t*>(queued.data());
    size_t length =
        doubler.Encode(bytes, queued.size(), reinterpret_cast<uint8_t*>(encoded.data()));
    // Every send stops short until the data runs out; then they catch up.
    size_t sent = next < data.size() && round < 4096 ? cut() % (length + 1) : length;
    stream.append(encoded, 0, sent);
    queued.erase(0, doubler.Sent(bytes, queued.size(), sent));
  }
  return stream;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  std::minstd_rand cut(data[0] + 1u);
  std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);

  Delivered expected = ReferenceDecode(bytes);
  Delivered got = FilterInPieces(bytes, cut);
  Require(got.data == expected.data, "the data delivered differs from the reference");
  Require(got.replies == expected.replies, "the answers differ from the reference");

  std::string stream = WriteInPieces(bytes, cut);
  Require(stream == ReferenceEncode(bytes), "the stream sent differs from the reference");
  Delivered back = FilterInPieces(stream, cut);
  Require(back.data == bytes && back.replies.empty(), "the stream sent does not decode back");
  return 0;
}
