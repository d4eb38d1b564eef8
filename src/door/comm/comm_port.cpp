#include "door/comm/comm_port.h"

namespace door::comm {

// No transport is built into this program yet, so selecting one leaves the
// facade empty; the start-up then finds no carrier and says so.
void CommFacade::CommSelect(uint8_t comm_type) {
  (void)comm_type;
  port_.reset();
}

void CommFacade::CommOpenHandle(int32_t handle) {
  if (port_) port_->OpenHandle(handle);
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

void CommFacade::CommDone() {
  port_.reset();
}

// The transport is deliberately not destroyed: whoever forgets it has taken
// over its end of life.
void CommFacade::CommForget() {
  (void)port_.release();
}

}  // namespace door::comm
