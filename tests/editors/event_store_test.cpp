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

TEST(EventStore, AppendLandsAfterTheLastWholeRecord) {
  testsupport::TempDir dir;
  std::string first = RecordBytes("one", 1);
  dir.Write("events.dat", first + "partial");
  EventStore store(dir.path());
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.Count(), 1);
  EventRecord second;
  editors::ResetEvent(second);
  second.UniqueId = "two";
  store.Append(second);
  store.Close();
  std::string bytes = dir.Read("events.dat");
  ASSERT_EQ(bytes.size(), 2 * editors::kEventRecordSize);
  EXPECT_EQ(bytes.substr(0, editors::kEventRecordSize), first);
}

TEST(EventStore, RemovalsKeepTheOtherRecordsWholeAndInOrder) {
  testsupport::TempDir dir;
  std::string a = RecordBytes("A", 1), b = RecordBytes("dup", 2), c = RecordBytes("C", 3),
              d = RecordBytes("DUP", 4);
  dir.Write("EVENTS.DAT", a + b + c + d + "tail");
  EventStore store(dir.path());
  ASSERT_TRUE(store.Open());
  EXPECT_EQ(store.RemoveWithId("Dup").size(), 2u);
  EXPECT_EQ(dir.Read("EVENTS.DAT"), a + c);
  EXPECT_EQ(store.RemoveRecord(1)[0].UniqueId, "A");
  EXPECT_EQ(store.Count(), 1);  // open again on the new file
  store.Close();
  EXPECT_EQ(dir.Snapshot(), "EVENTS.DAT=" + c + "\n");  // no temporary file left
}

}  // namespace
