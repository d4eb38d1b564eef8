// The remote side of the door console. A transport carries bytes to and
// from the caller; the facade holds the one current transport. The real
// transports (DOOR32 host, telnet socket, serial port) plug in here; until
// they exist, no transport can be selected and a remote start has no
// carrier.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace door::comm {

class CommPort {
 public:
  virtual ~CommPort() = default;
  virtual bool OpenHandle(int32_t handle) = 0;
  virtual bool Carrier() = 0;
  virtual bool CharAvail() = 0;
  virtual uint8_t GetChar() = 0;
  // Queues bytes for the caller; returns how many were queued.
  virtual size_t SendBlock(const uint8_t* data, size_t length) = 0;
};

class CommFacade {
 public:
  // Constructs the transport of a comm type (1 serial, 2 telnet, 3 DOOR32)
  // as the current one. Leaves none when the type has no transport here.
  void CommSelect(uint8_t comm_type);
  void CommOpenHandle(int32_t handle);
  bool CommCarrier();
  bool CommCharAvail();
  uint8_t CommGetChar();
  size_t CommSendBlock(const uint8_t* data, size_t length);
  // Destroys the current transport.
  void CommDone();
  // Lets go of the current transport without destroying it.
  void CommForget();

  // Puts a transport in place directly (the tests capture what a caller
  // would receive this way).
  void Install(std::unique_ptr<CommPort> port) { port_ = std::move(port); }
  CommPort* current() { return port_.get(); }

 private:
  std::unique_ptr<CommPort> port_;
};

}  // namespace door::comm
