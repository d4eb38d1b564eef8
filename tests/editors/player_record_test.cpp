#include "editors/player_record.h"

#include <gtest/gtest.h>

#include "editors/player_rig.h"

namespace {

using players_test::Bytes;

TEST(PlayerRecord, RandomBytesSurviveADecodeAndEncode) {
  for (uint32_t seed = 1; seed <= 50; ++seed) {
    editors::PlayerRecord p;
    Bytes bytes = testsupport::RandomBytes(editors::kPlayerRecordSize, seed);
    std::copy(bytes.begin(), bytes.end(), p.raw.begin());
    platform::DecodeFields(p);
    platform::EncodeFields(p);
    ASSERT_EQ(Bytes(p.raw.begin(), p.raw.end()), bytes) << "seed " << seed;
  }
}

}  // namespace
