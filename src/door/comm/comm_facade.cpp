#include "door/comm/comm_facade.h"

#include "door/comm/door32_comm.h"
#include "door/comm/serial_comm.h"
#include "door/comm/stdio_comm.h"
#include "door/comm/telnet_comm.h"

namespace door::comm {

namespace {

constexpr uint8_t kSerial = 1;
constexpr uint8_t kTelnet = 2;
constexpr uint8_t kHostLibrary = 3;

std::unique_ptr<CommPort> MakeTransport(uint8_t comm_type, const std::string& library_dir) {
  switch (comm_type) {
    case kSerial:
      return std::make_unique<SerialComm>();
    case kTelnet:
      return std::make_unique<TelnetComm>();
    case kHostLibrary:
      return std::make_unique<Door32Comm>(library_dir);
    default:
      return nullptr;
  }
}

}  // namespace

void CommInputThreadProc(CommPort& port) {
  port.InputThread();
}

void CommOutputThreadProc(CommPort& port) {
  port.OutputThread();
}

void CommFacade::CommSelect(uint8_t comm_type) {
  CommDone();
  port_ = MakeTransport(comm_type, library_dir_);
  if (port_) port_->SetThreadProcs(CommInputThreadProc, CommOutputThreadProc);
}

void CommFacade::CommSelectStandardStreams(uint8_t comm_type) {
  CommDone();
  auto protocol = comm_type == kTelnet ? StreamComm::Protocol::kTelnet : StreamComm::Protocol::kRaw;
  port_ = std::make_unique<StdioComm>(protocol);
  port_->SetThreadProcs(CommInputThreadProc, CommOutputThreadProc);
}

void CommFacade::CommOpenHandle(int32_t handle) {
  if (port_) port_->OpenHandle(handle);
}

void CommFacade::CommOpenPort(int32_t port) {
  if (port_) port_->OpenKeep(port);
}

bool CommFacade::CommCarrier() {
  return port_ && port_->Carrier();
}

bool CommFacade::CommCharAvail() {
  return port_ && port_->CharAvail();
}

uint8_t CommFacade::CommGetChar() {
  return port_ ? port_->GetChar() : 0;
}

size_t CommFacade::CommSendBlock(const uint8_t* data, size_t length) {
  return port_ ? port_->SendBlock(data, length) : 0;
}

const platform::Event* CommFacade::CommInputSignal() const {
  return port_ ? &port_->InputArrived() : nullptr;
}

// A thread that would not stop still uses its transport, so the transport
// is then left alive (the program is ending) rather than freed under it.
void CommFacade::CommDone() {
  if (port_ && !port_->StopThreads()) {
    (void)port_.release();
    return;
  }
  port_.reset();
}

// The transport is deliberately not destroyed: whoever forgets it has taken
// over its end of life.
void CommFacade::CommForget() {
  (void)port_.release();
}

}  // namespace door::comm
