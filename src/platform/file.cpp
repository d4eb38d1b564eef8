#include "platform/file.h"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "platform/files.h"
#include "platform/os_file.h"

namespace platform {

namespace {

struct ReadFailure {
  std::string path;
  int64_t after = 0;
  int error = 0;
};

ReadFailure& InjectedReadFailure() {
  static ReadFailure failure;
  return failure;
}

}  // namespace

void InjectReadFailure(const std::string& path, int64_t after, int error) {
  InjectedReadFailure() = ReadFailure{path, after, error};
}

File::File(File&& other) noexcept
    : file_(std::exchange(other.file_, nullptr)),
      path_(std::move(other.path_)),
      error_(other.error_),
      bytes_read_(other.bytes_read_) {}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    Close();
    file_ = std::exchange(other.file_, nullptr);
    path_ = std::move(other.path_);
    error_ = other.error_;
    bytes_read_ = other.bytes_read_;
  }
  return *this;
}

File::~File() {
  Close();
}

bool File::Fail() {
  error_ = LastSystemError();
  return false;
}

bool File::Open(const std::string& path, Mode mode) {
  Close();
  path_ = path;
  error_ = 0;
  bytes_read_ = 0;
  const char* how = mode == Mode::kRead ? "rb" : mode == Mode::kReadWrite ? "r+b" : "w+b";
  ClearSystemError();
  file_ = std::fopen(path.c_str(), how);
  if (file_ == nullptr) return Fail();
  return true;
}

bool File::ReadExactly(std::span<uint8_t> data) {
  if (file_ == nullptr) return Fail();
  int failure = 0;
  size_t got = ReadBytes(data, failure);
  if (got == data.size() && failure == 0) return true;
  std::clearerr(file_);
  if (failure != 0) {
    error_ = failure;
    return false;
  }
  error_ = ShortReadError();  // the record is not there in full
  return false;
}

size_t File::ReadBytes(std::span<uint8_t> data, int& failure) {
  const ReadFailure& injected = InjectedReadFailure();
  size_t wanted = data.size();
  bool cut = !injected.path.empty() && injected.path == path_ &&
             bytes_read_ + static_cast<int64_t>(wanted) > injected.after;
  if (cut) wanted = static_cast<size_t>(std::max<int64_t>(injected.after - bytes_read_, 0));
  ClearSystemError();
  size_t got = std::fread(data.data(), 1, wanted, file_);
  bytes_read_ += static_cast<int64_t>(got);
  if (std::ferror(file_) != 0)
    failure = LastSystemError();
  else if (cut && got == wanted)
    failure = injected.error;
  else
    failure = 0;
  return got;
}

size_t File::ReadSome(std::span<uint8_t> data) {
  if (file_ == nullptr) {
    ClearSystemError();
    errno = EBADF;
    Fail();
    return 0;
  }
  size_t got = ReadBytes(data, error_);
  std::clearerr(file_);
  return got;
}

bool File::Write(std::span<const uint8_t> data) {
  if (file_ == nullptr) return Fail();
  if (data.empty()) return true;  // an empty span may have no data pointer at all
  ClearSystemError();
  if (std::fwrite(data.data(), 1, data.size(), file_) != data.size()) return Fail();
  return true;
}

bool File::Write(std::string_view text) {
  return Write(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

bool File::Seek(int64_t offset) {
  if (file_ == nullptr) return Fail();
  ClearSystemError();
  if (SeekFile(file_, offset) != 0) return Fail();
  return true;
}

int64_t File::Size() {
  if (file_ == nullptr) {
    Fail();
    return -1;
  }
  ClearSystemError();
  int64_t size = FileSize(file_);
  if (size < 0) Fail();
  return size;
}

bool File::Sync() {
  if (file_ == nullptr) return Fail();
  ClearSystemError();
  if (std::fflush(file_) != 0 || !SyncFile(file_)) return Fail();
  return true;
}

bool File::Close() {
  if (file_ == nullptr) return true;
  ClearSystemError();
  bool ok = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!ok) return Fail();
  return true;
}

bool ReadToEnd(File& file, std::string& content) {
  content.clear();
  uint8_t buffer[4096];
  for (;;) {
    size_t got = file.ReadSome(buffer);
    if (file.error() != 0) {
      content.clear();
      return false;
    }
    content.append(reinterpret_cast<char*>(buffer), got);
    if (got < sizeof buffer) return true;
  }
}

bool ReadWholeFile(const std::string& path, std::string& content, int& error) {
  File file;
  if (!file.Open(path, File::Mode::kRead) || !ReadToEnd(file, content)) {
    error = file.error();
    return false;
  }
  error = 0;
  return file.Close() || ((error = file.error()), false);
}

}  // namespace platform
