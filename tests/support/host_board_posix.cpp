#include <poll.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/library.h"
#include "support/host_board.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

void Require(bool ok) {
  if (!ok) std::abort();  // the test machine cannot give what every test here needs
}

int AcceptWithin(int listener, int timeout_ms) {
  pollfd waiting{listener, POLLIN, 0};
  if (::poll(&waiting, 1, timeout_ms) <= 0) return -1;
  return ::accept4(listener, nullptr, nullptr, SOCK_CLOEXEC);
}

void CloseIfOpen(int& fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

}  // namespace

std::string HostLibraryDirectory() {
  return KELD_HOST_LIBRARIES;
}

void InstallHostLibrary(const std::string& dir, const std::string& base_name) {
  std::string file = platform::LibraryFileName(base_name);
  fs::copy_file(HostLibraryDirectory() + file, dir + file, fs::copy_options::overwrite_existing);
}

HostBoard::HostBoard() {
  std::string pattern = (fs::temp_directory_path() / "keldboard-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  Require(::mkdtemp(buffer.data()) != nullptr);
  dir_ = std::string(buffer.data()) + "/";
  std::string path = dir_ + "board";
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  Require(path.size() < sizeof address.sun_path);
  std::strcpy(address.sun_path, path.c_str());
  listener_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  Require(listener_ >= 0 &&
          ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
          ::listen(listener_, 2) == 0);
  ::setenv("KELD_TEST_DOOR32", path.c_str(), 1);
}

HostBoard::~HostBoard() {
  ::unsetenv("KELD_TEST_DOOR32");
  CloseIfOpen(caller_);
  CloseIfOpen(offline_);
  CloseIfOpen(listener_);
  std::error_code ec;
  fs::remove_all(dir_, ec);
}

bool HostBoard::Accept(int timeout_ms) {
  caller_ = AcceptWithin(listener_, timeout_ms);
  offline_ = AcceptWithin(listener_, timeout_ms);
  return caller_ >= 0 && offline_ >= 0;
}

void HostBoard::GoOffline() {
  CloseIfOpen(offline_);
}

void HostBoard::StopListening() {
  CloseIfOpen(listener_);
  ::unlink((dir_ + "board").c_str());
}

WinServerLogin::WinServerLogin(const std::string& name, int minutes, int terminal, int node) {
  ::setenv("KELD_TEST_WCSRV_NAME", name.c_str(), 1);
  ::setenv("KELD_TEST_WCSRV_MINUTES", std::to_string(minutes).c_str(), 1);
  ::setenv("KELD_TEST_WCSRV_TERMINAL", std::to_string(terminal).c_str(), 1);
  ::setenv("KELD_TEST_WCSRV_NODE", std::to_string(node).c_str(), 1);
}

WinServerLogin::~WinServerLogin() {
  for (const char* name : {"KELD_TEST_WCSRV_NAME", "KELD_TEST_WCSRV_MINUTES",
                           "KELD_TEST_WCSRV_TERMINAL", "KELD_TEST_WCSRV_NODE"})
    ::unsetenv(name);
}

}  // namespace testsupport
