#include "platform/record_file.h"

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

}  // namespace platform
