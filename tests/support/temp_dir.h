#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// A fresh directory for one test, removed afterwards.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  // The directory, ending with a separator.
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + name; }

  void Write(const std::string& name, const std::string& bytes) const;
  void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
  std::string Read(const std::string& name) const;
  bool Exists(const std::string& name) const;
  // Every file name and its content, for "nothing was written" checks.
  std::string Snapshot() const;

 private:
  std::string path_;
};

}  // namespace testsupport
