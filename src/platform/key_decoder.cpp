#include "platform/key_decoder.h"

#include "platform/cp437.h"
#include "platform/keys.h"

namespace platform {

namespace {
constexpr uint8_t kEsc = 27;
constexpr uint8_t kDel = 127;
constexpr uint8_t kLineFeed = 10;
constexpr int kMaxParameter = 9999;

bool IsParameterByte(uint8_t byte) {
  return byte >= 0x20 && byte <= 0x3F;
}
bool IsFinalByte(uint8_t byte) {
  return byte >= 0x40 && byte <= 0x7E;
}
}  // namespace

void KeyDecoder::Feed(uint8_t byte) {
  switch (state_) {
    case State::kGround:
      return Ground(byte);
    case State::kEscape:
      return Escape(byte);
    case State::kCsi:
      return Csi(byte);
    case State::kSs3:
      return Ss3(byte);
    case State::kLinuxFunction:
      return LinuxFunction(byte);
    case State::kUtf8:
      return Utf8(byte);
  }
}

void KeyDecoder::Flush() {
  // Whatever followed the ESC is dropped: its bytes were never meant as keys
  // of their own, and sending them on would type stray '[' or 'O'.
  if (InSequence()) Emit(key::kEscape);
  state_ = State::kGround;
}

bool KeyDecoder::InSequence() const {
  return state_ != State::kGround && state_ != State::kUtf8;
}

char KeyDecoder::TakeKey() {
  if (keys_.empty()) return 0;
  char key = keys_.front();
  keys_.pop_front();
  return key;
}

void KeyDecoder::Ground(uint8_t byte) {
  if (byte == kEsc) {
    state_ = State::kEscape;
  } else if (byte == kDel) {
    Emit(key::kBackspace);  // most terminals send DEL for the backspace key
  } else if (byte == kLineFeed) {
    Emit(key::kEnter);  // some terminals send LF for the enter key
  } else if (byte == 0) {
    // Ctrl-@ would otherwise pass for the start of an extended key.
  } else if (byte < 0x80 || !utf8_) {
    Emit(static_cast<char>(byte));
  } else {
    StartUtf8(byte);
  }
}

void KeyDecoder::Escape(uint8_t byte) {
  if (byte == '[') return StartSequence(State::kCsi);
  if (byte == 'O') return StartSequence(State::kSs3);
  // Anything else means the ESC was a key of its own, typed just before
  // this one (or Alt held down): both come out.
  Emit(key::kEscape);
  state_ = State::kGround;
  Ground(byte);
}

void KeyDecoder::StartSequence(State state) {
  state_ = state;
  params_.fill(0);
  param_count_ = 0;
  unknown_ = false;
}

bool KeyDecoder::CollectParameter(uint8_t byte) {
  if (!IsParameterByte(byte)) return false;
  if (param_count_ == 0) param_count_ = 1;
  if (byte >= '0' && byte <= '9') {
    int& param = params_[param_count_ - 1];
    param = param * 10 + (byte - '0');
    if (param > kMaxParameter) param = kMaxParameter;
  } else if (byte == ';' || byte == ':') {
    if (param_count_ < static_cast<int>(params_.size())) ++param_count_;
  } else {
    // Private markers and intermediates belong to replies and keys we do
    // not know; the sequence is read to its end and dropped.
    unknown_ = true;
  }
  return true;
}

void KeyDecoder::Csi(uint8_t byte) {
  if (byte == '[' && param_count_ == 0 && !unknown_) {
    state_ = State::kLinuxFunction;
    return;
  }
  if (CollectParameter(byte)) return;
  if (!IsFinalByte(byte)) return Abandon(byte);
  state_ = State::kGround;
  if (!unknown_) CsiFinal(byte);
}

void KeyDecoder::CsiFinal(uint8_t final) {
  switch (final) {
    case 'A':
      return Extended(key::kUp);
    case 'B':
      return Extended(key::kDown);
    case 'C':
      return Extended(key::kRight);
    case 'D':
      return Extended(key::kLeft);
    case 'H':
      return Extended(key::kHome);
    case 'F':
      return Extended(key::kEnd);
    case 'P':  // F1-F4 with a modifier: ESC [ 1 ; 2 P
      return Extended(key::kF1);
    case 'Q':
      return Extended(key::kF2);
    case 'R':
      return Extended(key::kF3);
    case 'S':
      return Extended(key::kF4);
    case '~':
      return TildeKey(params_[0]);
  }
}

void KeyDecoder::TildeKey(int code) {
  switch (code) {
    case 1:
    case 7:
      return Extended(key::kHome);
    case 2:
      return Extended(key::kIns);
    case 3:
      return Extended(key::kDel);
    case 4:
    case 8:
      return Extended(key::kEnd);
    case 5:
      return Extended(key::kPgUp);
    case 6:
      return Extended(key::kPgDn);
  }
  // F1-F5 are 11-15, F6-F10 are 17-21: 16 was left out long ago.
  if (code >= 11 && code <= 15) return Extended(static_cast<char>(key::kF1 + code - 11));
  if (code >= 17 && code <= 21) return Extended(static_cast<char>(key::kF6 + code - 17));
}

void KeyDecoder::Ss3(uint8_t byte) {
  if (CollectParameter(byte)) return;
  if (!IsFinalByte(byte)) return Abandon(byte);
  state_ = State::kGround;
  if (unknown_) return;
  if (byte >= 'P' && byte <= 'S') return Extended(static_cast<char>(key::kF1 + byte - 'P'));
  if (byte == 'A' || byte == 'B' || byte == 'C' || byte == 'D' || byte == 'H' || byte == 'F')
    CsiFinal(byte);
}

void KeyDecoder::LinuxFunction(uint8_t byte) {
  // The Linux console's F1-F5: ESC [ [ A to ESC [ [ E.
  if (!IsFinalByte(byte)) return Abandon(byte);
  state_ = State::kGround;
  if (byte >= 'A' && byte <= 'E') Extended(static_cast<char>(key::kF1 + byte - 'A'));
}

void KeyDecoder::Abandon(uint8_t byte) {
  state_ = State::kGround;
  Ground(byte);
}

void KeyDecoder::StartUtf8(uint8_t byte) {
  if (byte >= 0xC2 && byte <= 0xDF) {
    code_point_ = byte & 0x1F;
    utf8_remaining_ = 1;
  } else if (byte >= 0xE0 && byte <= 0xEF) {
    code_point_ = byte & 0x0F;
    utf8_remaining_ = 2;
  } else if (byte >= 0xF0 && byte <= 0xF4) {
    code_point_ = byte & 0x07;
    utf8_remaining_ = 3;
  } else {
    return;  // not a lead byte: dropped
  }
  state_ = State::kUtf8;
}

void KeyDecoder::Utf8(uint8_t byte) {
  if ((byte & 0xC0) != 0x80) return Abandon(byte);
  code_point_ = (code_point_ << 6) | (byte & 0x3F);
  if (--utf8_remaining_ > 0) return;
  state_ = State::kGround;
  // Only the upper half is taken: a typed ☺ or ♥ must not arrive as the
  // control key whose byte shares its glyph.
  int byte_437 = UnicodeToCp437(code_point_);
  if (byte_437 >= 0x80) Emit(static_cast<char>(byte_437));
}

void KeyDecoder::Extended(char scan) {
  Emit(key::kExtended);
  Emit(scan);
}

}  // namespace platform
