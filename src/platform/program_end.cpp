#include "platform/program_end.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/files.h"

namespace platform {

namespace {

struct Installed {
  int id;
  ExitProc proc;
};

std::vector<Installed>& Procs() {
  static std::vector<Installed> procs;
  return procs;
}

int next_id = 1;

void DefaultEnd() {
  std::exit(0);
}
EndHandler end_handler = DefaultEnd;

}  // namespace

int AddExitProc(ExitProc proc) {
  Procs().push_back({next_id, std::move(proc)});
  return next_id++;
}

void RemoveExitProc(int id) {
  auto& procs = Procs();
  for (auto it = procs.begin(); it != procs.end(); ++it) {
    if (it->id == id) {
      procs.erase(it);
      return;
    }
  }
}

void RunExitProcs() {
  auto& procs = Procs();
  // Each procedure is taken off the list before it runs, so one that ends
  // the program again (or fails) cannot run twice.
  while (!procs.empty()) {
    ExitProc proc = std::move(procs.back().proc);
    procs.pop_back();
    proc();
  }
}

void EndProgram() {
  RunExitProcs();
  end_handler();
  std::exit(0);  // an end handler that returns still ends the program
}

void EndWithIoError(std::string_view operation, const std::string& path, int error) {
  RunExitProcs();
  std::fprintf(stderr, "KeldCfg: run-time I/O error %d while %.*s %s: %s\n", error,
               static_cast<int>(operation.size()), operation.data(), path.c_str(),
               ErrorText(error).c_str());
  std::fflush(stderr);
  end_handler();
  std::exit(0);
}

void SetEndHandler(EndHandler handler) {
  end_handler = handler != nullptr ? handler : DefaultEnd;
}

}  // namespace platform
