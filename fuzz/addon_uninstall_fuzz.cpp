// Arbitrary bytes as an add-on script through the uninstall, run for real
// against a scratch tree: a game directory with the game's own files and a
// subdirectory, beside a directory outside it, and a link from inside to
// outside. Whatever the section says, nothing outside the game directory
// goes, no protected file goes and EVENTS.DAT stays. The tree is restored
// after every input.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "editors/addon_script.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kMustStay = {
    "game/KELD.DAT",   "game/KELDTXT.DAT",  "game/PLAYER.DAT",   "game/PLAYEXT.DAT",
    "game/EVENTS.DAT", "game/3RDPARTY.DAT", "game/KELD.EXE",     "game/START.BAT",
    "game/keldcfg",    "outside/a.dat",     "outside/sub/b.dat", "top.dat"};
const std::vector<std::string> kMayGo = {"game/LENEMY.DAT", "game/addon.ldy", "game/sub/x.dat",
                                         "game/sub/deeper/y.txt"};

fs::path Root() {
  static fs::path root = [] {
    fs::path dir = fs::temp_directory_path() / ("keld-uninstall-fuzz-" + std::to_string(getpid()));
    fs::create_directories(dir);
    return dir;
  }();
  return root;
}

void Touch(const fs::path& path) {
  fs::create_directories(path.parent_path());
  if (!fs::exists(path)) std::ofstream(path) << "x";
}

void Restore() {
  for (const auto& name : kMustStay) Touch(Root() / name);
  for (const auto& name : kMayGo) Touch(Root() / name);
  std::error_code ec;
  if (!fs::is_symlink(Root() / "game/link", ec))
    fs::create_directory_symlink(Root() / "outside", Root() / "game/link", ec);
}

struct Quiet : editors::UninstallReport {
  void CouldNotDelete(const std::string&) override {}
  void CouldNotRemoveDirectory(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Restore();
  std::string text = "@#UNINSTALL\n";
  text.append(reinterpret_cast<const char*>(data), size);
  auto section = editors::UninstallSection(text);
  if (!section) return 0;
  Quiet report;
  editors::RunUninstallSection(*section, (Root() / "game").string() + "/",
                               (Root() / "game/keldcfg").string(), "addon.ldy", report);
  for (const auto& name : kMustStay) {
    if (!fs::exists(Root() / name)) {
      std::fprintf(stderr, "addon_uninstall_fuzz: %s was deleted\n", name.c_str());
      std::abort();
    }
  }
  return 0;
}
