// Arbitrary bytes as an add-on script through the install: the section
// reader and the directives. Whatever the script holds, the record's
// strings stay whole lines (no line end inside), the target is one of the
// four places or what it was, the section never holds more than its 30
// lines, and the record encodes and decodes to the same fields.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "editors/addon_script.h"
#include "editors/event_record.h"

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "addon_install_fuzz: %s\n", what);
  std::abort();
}

bool HasLineEnd(const std::string& s) {
  return s.find_first_of("\r\n") != std::string::npos;
}

struct Quiet : editors::InstallActions {
  void Message(const std::string& text) override { Require(!HasLineEnd(text), "message"); }
  bool MakeDirectory(const std::string& name) override {
    Require(!HasLineEnd(name), "directory name");
    return false;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto section = editors::InstallSection(text);
  if (!section) return 0;
  Require(section->size() <= editors::kInstallLinesMax, "section too long");
  editors::EventRecord event;
  editors::ResetEvent(event);
  event.EventFile = "&filename";  // a file name that names itself cannot loop
  std::string replace_id;
  Quiet actions;
  editors::ApplyInstallSection(*section, event, replace_id, actions);
  Require(event.Target >= 1 && event.Target <= 4, "target out of range");
  for (const std::string* s :
       {&event.EventName, &event.Author, &event.UniqueId, &event.DisplayText, &replace_id})
    Require(!HasLineEnd(*s), "line end in a field");
  for (const std::string& line : event.Code) Require(!HasLineEnd(line), "line end in code");

  platform::EncodeFields(event);
  editors::EventRecord again;
  again.raw = event.raw;
  platform::DecodeFields(again);
  auto cut = [](const std::string& s) { return s.substr(0, editors::kEventStringMax); };
  Require(again.EventName == cut(event.EventName) && again.Target == event.Target &&
              again.Code[0] == cut(event.Code[0]) && again.DisplayText == cut(event.DisplayText),
          "record does not read back");
  return 0;
}
