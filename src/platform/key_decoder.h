// Turns the bytes a terminal sends for key presses into PC key codes: an
// ordinary key as its byte, an extended key as 0 and its scan code (see
// keys.h). Bytes go in one at a time, in any split, and the decoder keeps
// its place inside an escape sequence or a UTF-8 character between them.
// A terminal that is not in UTF-8 sends code page 437 bytes, which are the
// keys themselves.
#pragma once

#include <array>
#include <cstdint>
#include <deque>

namespace platform {

class KeyDecoder {
 public:
  explicit KeyDecoder(bool utf8 = true) : utf8_(utf8) {}

  void Feed(uint8_t byte);
  // Tells the decoder that no further byte arrived within the escape
  // timeout: a pending ESC was the Escape key itself, and what followed it
  // so far was not a key sequence after all.
  void Flush();
  // True while an ESC or an escape sequence has begun but not ended; the
  // caller then waits the escape timeout before calling Flush.
  bool InSequence() const;

  bool HasKey() const { return !keys_.empty(); }
  char TakeKey();

 private:
  enum class State { kGround, kEscape, kCsi, kSs3, kLinuxFunction, kUtf8 };

  void Ground(uint8_t byte);
  void Escape(uint8_t byte);
  void Csi(uint8_t byte);
  void Ss3(uint8_t byte);
  void LinuxFunction(uint8_t byte);
  void Utf8(uint8_t byte);
  void StartUtf8(uint8_t byte);
  void StartSequence(State state);
  bool CollectParameter(uint8_t byte);
  // A byte that cannot continue the current sequence: the sequence is
  // dropped and the byte read afresh.
  void Abandon(uint8_t byte);
  void CsiFinal(uint8_t final);
  void TildeKey(int code);
  void Extended(char scan);
  void Emit(char key) { keys_.push_back(key); }

  bool utf8_;
  State state_ = State::kGround;
  std::array<int, 4> params_{};
  int param_count_ = 0;
  bool unknown_ = false;
  char32_t code_point_ = 0;
  int utf8_remaining_ = 0;
  std::deque<char> keys_;
};

}  // namespace platform
