// A binary file opened for reading, writing or both, with explicit results
// and the error number of the last failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace platform {

// Ctrl-Z: where a DOS text file ends, whatever follows it.
inline constexpr char kEndOfFile = 26;

class File {
 public:
  enum class Mode {
    kRead,       // existing file, read only
    kReadWrite,  // existing file, read and write, not created
    kCreate,     // created anew (truncated), read and write
  };

  File() = default;
  File(const File&) = delete;
  File& operator=(const File&) = delete;
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  ~File();

  bool Open(const std::string& path, Mode mode);
  bool IsOpen() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }
  // Error number of the last failed operation (0 after success).
  int error() const { return error_; }

  // Reads exactly data.size() bytes; false on a short read or an error.
  bool ReadExactly(std::span<uint8_t> data);
  // Reads up to data.size() bytes and returns how many were read. Fewer
  // come back at the end of the file and on a read error; error() tells
  // them apart (0 at the end of the file).
  size_t ReadSome(std::span<uint8_t> data);
  bool Write(std::span<const uint8_t> data);
  bool Write(std::string_view text);
  bool Seek(int64_t offset);
  // Size in bytes, or -1 on error.
  int64_t Size();
  // Flushes to the operating system and to the disk.
  bool Sync();
  bool Close();

 private:
  bool Fail();
  // fread, cut short where a read failure is injected for this file;
  // `failure` gets the error of a failed read, 0 when none failed.
  size_t ReadBytes(std::span<uint8_t> data, int& failure);

  std::FILE* file_ = nullptr;
  std::string path_;
  int error_ = 0;
  int64_t bytes_read_ = 0;
};

// For tests: reads of the file opened as `path` fail with `error` once
// `after` bytes of it have been read, as a disk failing part-way through
// would. An empty path ends it.
void InjectReadFailure(const std::string& path, int64_t after, int error);

// Reads the rest of an open file. False on a read error (file.error()
// tells which), with `content` empty.
bool ReadToEnd(File& file, std::string& content);
// Reads a whole (small) file. False when it cannot be opened or a read
// fails part-way; `content` then holds nothing the caller should use.
bool ReadWholeFile(const std::string& path, std::string& content, int& error);

}  // namespace platform
