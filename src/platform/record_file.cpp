#include "platform/record_file.h"

#include "platform/files.h"

namespace platform {

int64_t RecordFile::RecordCount() {
  int64_t size = file_.Size();
  if (size < 0) return -1;
  return size / static_cast<int64_t>(record_size_);
}

bool RecordFile::Read(int64_t n, std::span<uint8_t> record) {
  return file_.Seek(n * static_cast<int64_t>(record_size_)) &&
         file_.ReadExactly(record.first(record_size_));
}

bool RecordFile::Write(int64_t n, std::span<const uint8_t> record) {
  return file_.Seek(n * static_cast<int64_t>(record_size_)) &&
         file_.Write(record.first(record_size_));
}

std::string RecordFile::ShortRecordText(int64_t n) {
  int64_t size = file_.Size();
  int64_t record = static_cast<int64_t>(record_size_);
  int64_t end = (n + 1) * record;
  if (size < 0 || size >= end) return {};
  std::string text = FileName(file_.path()) + " is " + std::to_string(size) + " bytes; ";
  if (n == 0) return text + "its record is " + std::to_string(record) + " bytes";
  return text + "its records are " + std::to_string(record) + " bytes and record " +
         std::to_string(n + 1) + " would end at byte " + std::to_string(end);
}

}  // namespace platform
