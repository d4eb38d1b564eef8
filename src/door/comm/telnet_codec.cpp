#include "door/comm/telnet_codec.h"

namespace door::comm::telnet {

namespace {

// Options the door takes on; every other one it declines. Which command
// asked for the option makes no difference to the answer.
bool Accepted(uint8_t option) {
  return option == kBinary || option == kEcho || option == kSuppressGoAhead;
}

}  // namespace

void TelnetFilter::Feed(const uint8_t* bytes, size_t count, FilterEvents& events) {
  for (size_t i = 0; i < count; ++i) {
    uint8_t byte = bytes[i];
    switch (NegotiationState) {
      case kData:
        if (byte == kIac)
          NegotiationState = kAfterIac;
        else
          events.OnData(byte);
        break;
      case kAfterIac:
        if (byte == kIac) {
          events.OnData(kIac);
          NegotiationState = kData;
        } else {
          // Any command, even one that takes no option (NOP, for one), is
          // followed by the option byte here.
          NegotiationState = kOption;
        }
        break;
      default: {
        const uint8_t reply[] = {kIac, Accepted(byte) ? kWill : kWont, byte};
        events.OnReply(reply, sizeof reply);
        NegotiationState = kData;
      }
    }
  }
}

size_t IacDoubler::Encode(const uint8_t* queued, size_t count, uint8_t* out) const {
  size_t n = 0;
  if (owed_) out[n++] = kIac;
  for (size_t i = 0; i < count; ++i) {
    out[n++] = queued[i];
    if (queued[i] == kIac) out[n++] = kIac;
  }
  return n;
}

size_t IacDoubler::Sent(const uint8_t* queued, size_t count, size_t sent) {
  if (owed_ && sent > 0) {
    owed_ = false;
    --sent;
  }
  size_t done = 0;
  while (done < count && sent > 0) {
    if (queued[done] == kIac && sent == 1) {
      owed_ = true;
      sent = 0;
    } else {
      sent -= queued[done] == kIac ? 2 : 1;
    }
    ++done;
  }
  return done;
}

}  // namespace door::comm::telnet
