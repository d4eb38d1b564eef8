#include "editors/event_store.h"

#include <algorithm>
#include <utility>

#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/program_end.h"
#include "platform/whole_file.h"

namespace editors {

EventStore::EventStore(std::string game_dir)
    : game_dir_(std::move(game_dir)), path_(platform::FindInDirectory(game_dir_, "EVENTS.DAT")) {}

bool EventStore::Open() {
  path_ = platform::FindInDirectory(game_dir_, "EVENTS.DAT");
  return file_.OpenExisting(path_);
}

void EventStore::CreateEmpty() {
  platform::WriteWholeFileOrEnd(path_, std::string_view());
  if (!file_.OpenExisting(path_)) platform::EndWithIoError("opening", path_, file_.error());
}

int64_t EventStore::Count() {
  int64_t count = file_.RecordCount();
  if (count < 0) platform::EndWithIoError("reading", path_, file_.error());
  return count;
}

bool EventStore::Read(int64_t n, EventRecord& event) {
  if (n < 1 || n > Count()) return false;
  if (!file_.Read(n - 1, event.raw)) platform::EndWithIoError("reading", path_, file_.error());
  platform::DecodeFields(event);
  return true;
}

std::vector<EventRecord> EventStore::ReadAll() {
  std::vector<EventRecord> events(static_cast<size_t>(Count()));
  for (size_t i = 0; i < events.size(); ++i) Read(static_cast<int64_t>(i) + 1, events[i]);
  return events;
}

void EventStore::Append(EventRecord& event) {
  platform::EncodeFields(event);
  if (!file_.Write(Count(), event.raw) || !file_.Sync())
    platform::EndWithIoError("writing", path_, file_.error());
}

std::vector<EventRecord> EventStore::RemoveWhere(
    const std::function<bool(int64_t n, const EventRecord&)>& drop) {
  std::vector<EventRecord> kept, dropped;
  int64_t count = Count();
  for (int64_t n = 1; n <= count; ++n) {
    EventRecord event;
    Read(n, event);
    (drop(n, event) ? dropped : kept).push_back(std::move(event));
  }
  std::vector<uint8_t> bytes;
  for (const EventRecord& event : kept)
    bytes.insert(bytes.end(), event.raw.begin(), event.raw.end());
  file_.Close();
  platform::WriteWholeFileOrEnd(path_, bytes);
  if (!file_.OpenExisting(path_)) platform::EndWithIoError("opening", path_, file_.error());
  return dropped;
}

std::vector<EventRecord> EventStore::RemoveWithId(const std::string& id) {
  return RemoveWhere([&](int64_t, const EventRecord& event) {
    return platform::SameIgnoringCase(event.UniqueId, id);
  });
}

std::vector<EventRecord> EventStore::RemoveRecord(int64_t n) {
  return RemoveWhere([n](int64_t at, const EventRecord&) { return at == n; });
}

}  // namespace editors
