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

// What the operator can do when the caller knows nothing more.
std::string UsualRemedy(std::string_view operation) {
  if (operation == "reading" || operation == "opening")
    return "Check that it can be read (its permissions, the disk), or restore it from a backup.";
  return "Check the free space on the disk and the permissions of the directory, then start "
         "KeldCfg again; the files written before this one stay written.";
}

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

void ReportEnd(std::string_view why) {
  std::fprintf(stderr, "keldcfg: %.*s\n", static_cast<int>(why.size()), why.data());
  std::fflush(stderr);
}

void EndWithIoError(std::string_view operation, const std::string& path, int error,
                    const IoErrorAdvice& advice) {
  RunExitProcs();
  const std::string& what = advice.found.empty() ? ErrorText(error) : advice.found;
  std::fprintf(stderr, "KeldCfg: run-time I/O error %d while %.*s %s: %s.\n", error,
               static_cast<int>(operation.size()), operation.data(), path.c_str(), what.c_str());
  std::fprintf(stderr, "  %s\n", advice.remedy.c_str());
  std::fflush(stderr);
  end_handler();
  std::exit(0);
}

void EndWithIoError(std::string_view operation, const std::string& path, int error) {
  EndWithIoError(operation, path, error, {"", UsualRemedy(operation)});
}

void SetEndHandler(EndHandler handler) {
  end_handler = handler != nullptr ? handler : DefaultEnd;
}

}  // namespace platform
