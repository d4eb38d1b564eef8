#include "editors/event_record.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/rig.h"

namespace {

using editors::EventRecord;

TEST(EventRecord, FieldsRoundTripAndEveryOtherByteSurvives) {
  std::vector<uint8_t> bytes = testsupport::RandomBytes(editors::kEventRecordSize, 38);
  EventRecord event;
  std::copy(bytes.begin(), bytes.end(), event.raw.begin());
  platform::DecodeFields(event);
  EXPECT_EQ(event.EventName.size(), std::min<size_t>(bytes[0], 255));
  EXPECT_EQ(event.Target, bytes[3586] | bytes[3587] << 8);
  // Unchanged fields write back the very bytes they came from.
  platform::EncodeFields(event);
  EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), event.raw.begin()));

  event.EventName = "WELL";
  event.Code[9] = "@writeln last";
  event.UniqueId = "ID-1";
  event.Target = 0xBEEF;
  event.DisplayText = std::string(300, 'x');  // cut to the field
  platform::EncodeFields(event);
  EXPECT_EQ(event.raw[0], 4);
  EXPECT_EQ(std::string(event.raw.begin() + 1, event.raw.begin() + 5), "WELL");
  EXPECT_EQ(event.raw[768 + 9 * 256], 13);
  EXPECT_EQ(event.raw[3330], 4);
  EXPECT_EQ(event.raw[3586], 0xEF);
  EXPECT_EQ(event.raw[3587], 0xBE);
  EXPECT_EQ(event.raw[3588], 255);
  // The game's two bytes and everything behind the used lengths stay.
  EXPECT_EQ(event.raw[3328], bytes[3328]);
  EXPECT_EQ(event.raw[3329], bytes[3329]);
  EXPECT_EQ(event.raw[6], bytes[6]);
}

}  // namespace
