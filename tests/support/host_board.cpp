#include "support/host_board.h"

#include <filesystem>

#include "platform/library.h"
#include "support/sockets.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

void CloseIfOpen(platform::Socket& end) {
  if (end != platform::kNoSocket) CloseEnd(end);
  end = platform::kNoSocket;
}

const char* const kLoginVariables[] = {"KELD_TEST_WCSRV_NAME", "KELD_TEST_WCSRV_MINUTES",
                                       "KELD_TEST_WCSRV_TERMINAL", "KELD_TEST_WCSRV_NODE"};

}  // namespace

std::string HostLibraryDirectory() {
  return KELD_HOST_LIBRARIES;
}

void InstallHostLibrary(const std::string& dir, const std::string& base_name) {
  std::string file = platform::LibraryFileName(base_name);
  fs::copy_file(HostLibraryDirectory() + file, dir + file, fs::copy_options::overwrite_existing);
}

HostBoard::HostBoard() {
  int port = 0;
  listener_ = ListenLoopback(port);
  SetVariable("KELD_TEST_DOOR32", std::to_string(port));
}

HostBoard::~HostBoard() {
  SetVariable("KELD_TEST_DOOR32", "");
  for (platform::Socket* end : {&caller_, &offline_, &listener_}) CloseIfOpen(*end);
}

bool HostBoard::Accept(int timeout_ms) {
  caller_ = AcceptWithin(listener_, timeout_ms);
  offline_ = AcceptWithin(listener_, timeout_ms);
  return caller_ != platform::kNoSocket && offline_ != platform::kNoSocket;
}

void HostBoard::GoOffline() {
  CloseIfOpen(offline_);
}

void HostBoard::StopListening() {
  CloseIfOpen(listener_);
}

WinServerLogin::WinServerLogin(const std::string& name, int minutes, int terminal, int node) {
  const std::string values[] = {name, std::to_string(minutes), std::to_string(terminal),
                                std::to_string(node)};
  for (int i = 0; i < 4; ++i) SetVariable(kLoginVariables[i], values[i]);
}

WinServerLogin::~WinServerLogin() {
  for (const char* variable : kLoginVariables) SetVariable(variable, "");
}

}  // namespace testsupport
