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

inline Bytes RandomPlayer(uint32_t seed, const std::string& own, const std::string& game) {
  Bytes b = testsupport::RandomBytes(editors::kPlayerRecordSize, seed);
  platform::PutString(b, 21, 50, own);
  platform::PutString(b, 0, 20, game);
  return b;
}

inline std::vector<Bytes> RandomPlayers(int count, uint32_t seed = 100) {
  std::vector<Bytes> players;
  for (int n = 0; n < count; ++n)
    players.push_back(RandomPlayer(seed + static_cast<uint32_t>(n), "Own" + std::to_string(n),
                                   "Game" + std::to_string(n)));
  return players;
}

inline std::string Joined(const std::vector<Bytes>& records) {
  std::string out;
  for (const Bytes& r : records) out.append(r.begin(), r.end());
  return out;
}

}  // namespace players_test
