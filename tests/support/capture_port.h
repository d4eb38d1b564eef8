// A transport that records what the caller would receive and feeds keys the
// caller "types".
#pragma once

#include <deque>
#include <string>

#include "door/comm/comm_port.h"
#include "door/door.h"

namespace testsupport {

class CapturePort : public door::comm::CommPort {
 public:
  std::string sent;
  std::deque<uint8_t> incoming;
  bool carrier = true;

  bool OpenHandle(int32_t) override { return true; }
  bool Open(int32_t, int32_t, int, char, int) override { return true; }
  bool OpenKeep(int32_t) override { return true; }
  int32_t GetHandle() override { return 5; }
  bool Carrier() override { return carrier; }
  bool CharAvail() override { return !incoming.empty(); }
  uint8_t GetChar() override {
    if (incoming.empty()) return 0;
    uint8_t c = incoming.front();
    incoming.pop_front();
    return c;
  }
  size_t SendBlock(const uint8_t* data, size_t length) override {
    sent.append(reinterpret_cast<const char*>(data), length);
    return length;
  }
};

// Makes the door remote (telnet) with a capture port; returns the port.
inline CapturePort& MakeRemote(door::Door& door) {
  auto port = std::make_unique<CapturePort>();
  CapturePort& ref = *port;
  door.comm.Install(std::move(port));
  door.state.CommType = 2;
  door.state.CommHandle = 5;
  return ref;
}

}  // namespace testsupport
