// The transport facade of the door console: it holds the one current
// transport and offers the few operations the console and the start-up
// use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "door/comm/comm_port.h"
#include "platform/event.h"

namespace door::comm {

// The device threads' entry procedures: the transport's input thread (for
// the serial line, its one port thread) and its output thread.
void CommInputThreadProc(CommPort& port);
void CommOutputThreadProc(CommPort& port);

class CommFacade {
 public:
  ~CommFacade() { CommDone(); }

  // Constructs the transport of a comm type (1 serial line, 2 telnet
  // socket, 3 DOOR32 host library) as the current one; leaves none for a
  // type without a transport.
  void CommSelect(uint8_t comm_type);
  // Constructs the transport for a caller on the program's standard input
  // and output as the current one: telnet for comm type 2, raw bytes for
  // the others.
  void CommSelectStandardStreams(uint8_t comm_type);
  // Where the host libraries are looked for first: the game directory
  // (ending with a separator).
  void SetLibraryDirectory(std::string dir) { library_dir_ = std::move(dir); }
  const std::string& LibraryDirectory() const { return library_dir_; }
  void CommOpenHandle(int32_t handle);
  // Opens the current transport on a serial port given by its number, as
  // DOOR.SYS and DORINFOx.DEF give the caller's port.
  void CommOpenPort(int32_t port);
  bool CommCarrier();
  bool CommCharAvail();
  uint8_t CommGetChar();
  size_t CommSendBlock(const uint8_t* data, size_t length);
  // Set when the caller's input has arrived since the console last found
  // none; null without a transport.
  const platform::Event* CommInputSignal() const;
  // Stops the current transport's threads and destroys it.
  void CommDone();
  // Lets go of the current transport without destroying it.
  void CommForget();

  // Puts a transport in place directly (the tests capture what a caller
  // would receive this way).
  void Install(std::unique_ptr<CommPort> port) { port_ = std::move(port); }
  CommPort* current() { return port_.get(); }

 private:
  std::unique_ptr<CommPort> port_;
  std::string library_dir_;
};

}  // namespace door::comm
