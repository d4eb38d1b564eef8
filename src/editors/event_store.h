// The open EVENTS.DAT of the event editor: records by number from 1,
// appends after the last whole record, and removals that rewrite the file
// whole through EVENTS.TMP.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editors/event_record.h"
#include "platform/record_file.h"

namespace editors {

class EventStore {
 public:
  // game_dir ends with the path separator.
  explicit EventStore(std::string game_dir);

  // Opens the existing file for reading and writing; false when it cannot.
  bool Open();
  // Replaces the file with an empty one and keeps it open.
  void CreateEmpty();
  void Close() { file_.Close(); }
  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& path() const { return path_; }
  int error() const { return file_.error(); }
  const std::string& game_dir() const { return game_dir_; }

  // Whole records in the file; a partial record at the end does not count.
  int64_t Count();
  // Reads record n (from 1) into `event`; false past the last whole record.
  bool Read(int64_t n, EventRecord& event);
  std::vector<EventRecord> ReadAll();
  // Writes the event as a new record after the last whole one.
  void Append(EventRecord& event);
  // Rewrites the file without the records for which `drop` holds and
  // returns the dropped ones.
  std::vector<EventRecord> RemoveWhere(
      const std::function<bool(int64_t n, const EventRecord&)>& drop);
  // Every record whose unique id equals `id`, ignoring letter case.
  std::vector<EventRecord> RemoveWithId(const std::string& id);
  // Record n alone.
  std::vector<EventRecord> RemoveRecord(int64_t n);

 private:
  std::string game_dir_;
  std::string path_;
  platform::RecordFile file_{kEventRecordSize};
};

}  // namespace editors
