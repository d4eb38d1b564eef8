// A typed file of fixed-size records without a header, addressed by record
// number from 0: the way every data file of the game is laid out.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "platform/file.h"

namespace platform {

class RecordFile {
 public:
  explicit RecordFile(size_t record_size) : record_size_(record_size) {}

  // Opens an existing file for reading and writing without creating it.
  bool OpenExisting(const std::string& path) { return file_.Open(path, File::Mode::kReadWrite); }
  // Opens an existing file for reading only.
  bool OpenForReading(const std::string& path) { return file_.Open(path, File::Mode::kRead); }
  // Creates the file anew, empty.
  bool Create(const std::string& path) { return file_.Open(path, File::Mode::kCreate); }

  bool IsOpen() const { return file_.IsOpen(); }
  const std::string& path() const { return file_.path(); }
  int error() const { return file_.error(); }
  size_t record_size() const { return record_size_; }

  // Number of whole records in the file (a partial record at the end does
  // not count), or -1 on error.
  int64_t RecordCount();
  // Reads record n whole; false when it is not there in full.
  bool Read(int64_t n, std::span<uint8_t> record);
  bool Write(int64_t n, std::span<const uint8_t> record);
  // When record n is not there in full, what the operator is told about
  // the file ("PLAYEXT.DAT is 0 bytes; its record is 1361 bytes"); empty
  // when the record is there, so that a read failed for another reason.
  std::string ShortRecordText(int64_t n);
  bool Sync() { return file_.Sync(); }
  bool Close() { return file_.Close(); }

 private:
  File file_;
  size_t record_size_;
};

}  // namespace platform
