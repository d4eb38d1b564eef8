#include "support/rig.h"

#include <unistd.h>

#include <fstream>
#include <random>
#include <sstream>

namespace testsupport {

namespace fs = std::filesystem;

TempDir::TempDir() {
  std::string pattern = (fs::temp_directory_path() / "keldtest-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  char* made = mkdtemp(buffer.data());
  EXPECT_NE(made, nullptr);
  path_ = std::string(made != nullptr ? made : "/tmp") + "/";
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

// Real and effective user both, since access() asks about the real one;
// the saved user stays the superuser, so that the test can return to it.
AsOrdinaryUser::AsOrdinaryUser() {
  constexpr uid_t kNobody = 65534;
  if (geteuid() == 0) switched_ = setresuid(kNobody, kNobody, 0) == 0;
}

AsOrdinaryUser::~AsOrdinaryUser() {
  if (switched_ && setresuid(0, 0, 0) != 0) ADD_FAILURE() << "could not become the superuser again";
}

std::vector<uint8_t> RandomBytes(size_t count, uint32_t seed) {
  std::mt19937 gen(seed);
  std::vector<uint8_t> bytes(count);
  for (auto& b : bytes) b = static_cast<uint8_t>(gen());
  return bytes;
}

}  // namespace testsupport
