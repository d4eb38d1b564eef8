#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "platform/files.h"

namespace testsupport {

namespace fs = std::filesystem;

// A name nobody else holds: create_directory fails on an existing one.
TempDir::TempDir() {
  static std::mt19937_64 random{std::random_device{}()};
  std::error_code ec;
  for (int attempt = 0; attempt < 100; ++attempt) {
    // Short: tests type these paths into fields of 40 characters.
    fs::path dir = fs::temp_directory_path() / ("kt" + std::to_string(random() % 1000000));
    if (fs::create_directory(dir, ec)) {
      path_ = platform::WithTrailingSeparator(dir.string());
      return;
    }
  }
  ADD_FAILURE() << "no temporary directory could be made";
}

TempDir::~TempDir() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(path_ + name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

void TempDir::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  Write(name, std::string(bytes.begin(), bytes.end()));
}

std::string TempDir::Read(const std::string& name) const {
  std::ifstream in(path_ + name, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

bool TempDir::Exists(const std::string& name) const {
  return fs::exists(path_ + name);
}

std::string TempDir::Snapshot() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  std::string snapshot;
  for (const auto& name : names) snapshot += name + "=" + Read(name) + "\n";
  return snapshot;
}

}  // namespace testsupport
