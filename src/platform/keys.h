// Key codes as the console delivers them: an ordinary key is its character
// byte; an extended key is the byte 0 followed by its PC scan code.
#pragma once

namespace platform::key {

inline constexpr char kExtended = 0;
inline constexpr char kBackspace = 8;
inline constexpr char kTab = 9;
inline constexpr char kEnter = 13;
inline constexpr char kEscape = 27;

// Scan codes of the extended keys (the second byte).
inline constexpr char kF1 = 59;
inline constexpr char kF2 = 60;
inline constexpr char kF3 = 61;
inline constexpr char kF4 = 62;
inline constexpr char kF5 = 63;
inline constexpr char kF6 = 64;
inline constexpr char kF7 = 65;
inline constexpr char kF8 = 66;
inline constexpr char kF9 = 67;
inline constexpr char kF10 = 68;
inline constexpr char kHome = 71;   // 'G'
inline constexpr char kUp = 72;     // 'H'
inline constexpr char kPgUp = 73;   // 'I'
inline constexpr char kLeft = 75;   // 'K'
inline constexpr char kRight = 77;  // 'M'
inline constexpr char kEnd = 79;    // 'O'
inline constexpr char kDown = 80;   // 'P'
inline constexpr char kPgDn = 81;   // 'Q'
inline constexpr char kIns = 82;    // 'R'
inline constexpr char kDel = 83;    // 'S'

}  // namespace platform::key
