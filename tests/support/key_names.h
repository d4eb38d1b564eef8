// Keys as the bytes the console delivers, so that a whole key script is one
// string: console.Type(kEnd + "!" + kHome + "J\r").
#pragma once

#include <string>

#include "platform/keys.h"

namespace testsupport::keys {

inline std::string Extended(char scan) {
  return std::string{platform::key::kExtended, scan};
}

inline const std::string kEsc(1, platform::key::kEscape);
inline const std::string kBs(1, platform::key::kBackspace);
inline const std::string kUp = Extended(platform::key::kUp);
inline const std::string kDown = Extended(platform::key::kDown);
inline const std::string kLeft = Extended(platform::key::kLeft);
inline const std::string kRight = Extended(platform::key::kRight);
inline const std::string kHome = Extended(platform::key::kHome);
inline const std::string kEnd = Extended(platform::key::kEnd);
inline const std::string kPgUp = Extended(platform::key::kPgUp);
inline const std::string kPgDn = Extended(platform::key::kPgDn);
inline const std::string kIns = Extended(platform::key::kIns);
inline const std::string kDel = Extended(platform::key::kDel);
inline const std::string kF1 = Extended(platform::key::kF1);
inline const std::string kF3 = Extended(platform::key::kF3);

// `keys` written `times` times over.
inline std::string Repeat(const std::string& keys, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += keys;
  return all;
}

}  // namespace testsupport::keys
