#include "editors/event_store.h"

#include <gtest/gtest.h>

#include "support/rig.h"

namespace {

using editors::EventRecord;
using editors::EventStore;

std::string RecordBytes(const std::string& name, uint32_t seed) {
  EventRecord event;
  std::vector<uint8_t> noise = testsupport::RandomBytes(editors::kEventRecordSize, seed);
  std::copy(noise.begin(), noise.end(), event.raw.begin());
  platform::DecodeFields(event);
  event.UniqueId = name;
  platform::EncodeFields(event);
  return std::string(event.raw.begin(), event.raw.end());
}

// Appends land after the last whole record; removals keep the other
// records whole and in order, and leave no temporary file.
TEST(EventStore, AppendAndRemoveKeepTheOtherRecordsWhole) {
  testsupport::TempDir dir;
  std::string a = RecordBytes("A", 1), b = RecordBytes("dup", 2), c = RecordBytes("C", 3);
  dir.Write("EVENTS.DAT", a + b + c + "partial");
  EventStore store(dir.path());
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.Count(), 3);
  EventRecord d;
  editors::ResetEvent(d);
  d.UniqueId = "DUP";
  store.Append(d);
  EXPECT_EQ(dir.Read("EVENTS.DAT").substr(0, 3 * editors::kEventRecordSize), a + b + c);
  EXPECT_EQ(dir.Read("EVENTS.DAT").size(), 4 * editors::kEventRecordSize);
  EXPECT_EQ(store.RemoveWithId("Dup").size(), 2u);
  EXPECT_EQ(dir.Read("EVENTS.DAT"), a + c);
  EXPECT_EQ(store.RemoveRecord(1)[0].UniqueId, "A");
  EXPECT_EQ(store.Count(), 1);  // open again on the new file
  store.Close();
  EXPECT_EQ(dir.Snapshot(), "EVENTS.DAT=" + c + "\n");
}

}  // namespace
