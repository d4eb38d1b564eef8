// The telnet byte layer of the socket transport, apart from any socket so
// that it can be tested and fuzzed on its own.
//
// Input: TelnetFilter, a byte-at-a-time state machine in the manner of
// libtelnet. Data bytes and the answers to the caller's option requests
// come out as events; the state survives between receives, so a command
// split across two receives is still understood.
//
// Output: IacDoubler doubles every byte 255 so that the caller's terminal
// reads it as data. A send may stop between the two bytes of a pair; the
// doubler then owes the second one and puts it in front of whatever is sent
// next, so the stream never loses or repeats half a pair.
#pragma once

#include <cstddef>
#include <cstdint>

namespace door::comm::telnet {

inline constexpr uint8_t kIac = 255;
inline constexpr uint8_t kWill = 251;
inline constexpr uint8_t kWont = 252;
inline constexpr uint8_t kDo = 253;
inline constexpr uint8_t kDont = 254;
inline constexpr uint8_t kBinary = 0;
inline constexpr uint8_t kEcho = 1;
inline constexpr uint8_t kSuppressGoAhead = 3;

class FilterEvents {
 public:
  virtual ~FilterEvents() = default;
  virtual void OnData(uint8_t byte) = 0;
  // Three bytes to send back to the caller.
  virtual void OnReply(const uint8_t* reply, size_t count) = 0;
};

class TelnetFilter {
 public:
  enum State : int32_t { kData = 0, kAfterIac = 1, kOption = 2 };

  void Feed(const uint8_t* bytes, size_t count, FilterEvents& events);

  // The state between receives.
  int32_t NegotiationState = kData;
};

class IacDoubler {
 public:
  // The longest encoding of count queued bytes: each doubled, and the half
  // pair still owed in front.
  static constexpr size_t MaxEncoded(size_t count) { return 2 * count + 1; }

  // Encodes queued bytes into out (at least MaxEncoded(count) bytes) and
  // returns the encoded length.
  size_t Encode(const uint8_t* queued, size_t count, uint8_t* out) const;
  // After `sent` bytes of the last encoding went out: how many of the
  // queued bytes are done with. A 255 whose first half went out is done,
  // and its second half is owed.
  size_t Sent(const uint8_t* queued, size_t count, size_t sent);
  bool OwesHalf() const { return owed_; }
  // The owed half went out on its own.
  void PaidHalf() { owed_ = false; }

 private:
  bool owed_ = false;
};

}  // namespace door::comm::telnet
