// PLAYER.DAT files for the tests: records whose bytes are random apart
// from the fields a test sets, so that any stray write shows.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "editors/player_record.h"
#include "platform/record_bytes.h"
#include "support/rig.h"

namespace players_test {

using Bytes = std::vector<uint8_t>;

// Players "Own0", "Own1" ... with the game names "Game0", "Game1" ...
inline std::vector<Bytes> RandomPlayers(int count, uint32_t seed = 100) {
  std::vector<Bytes> players;
  for (int n = 0; n < count; ++n) {
    players.push_back(testsupport::RandomBytes(editors::kPlayerRecordSize, seed + n));
    platform::PutString(players.back(), 21, 50, "Own" + std::to_string(n));
    platform::PutString(players.back(), 0, 20, "Game" + std::to_string(n));
  }
  return players;
}

inline std::string Joined(const std::vector<Bytes>& records) {
  std::string out;
  for (const Bytes& r : records) out.append(r.begin(), r.end());
  return out;
}

}  // namespace players_test
