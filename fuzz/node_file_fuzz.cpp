// Arbitrary bytes through the node file reader. Whatever a NODEx.DAT
// holds (binary, endless lines, stray line ends), the record read from it
// stays within its field sizes, and writing that record and reading it
// back gives the same record: a node file this program writes is always
// one it reads correctly.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "nodes/node_file.h"

namespace {

// The reader's line buffer less the keyword in front of the drop path.
constexpr size_t kDropPathMax = nodes::kNodeLineMax - 8;

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "node_file_fuzz: %s\n", what);
  std::abort();
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n\x1a") != std::string::npos;
}

void CheckFields(const nodes::NodeConfig& c) {
  Require(c.BbsName.size() <= nodes::kBbsNameMax, "BBS name too long");
  Require(c.ComPortLine.size() <= nodes::kComPortLineMax, "com port line too long");
  Require(c.DropPath.size() <= kDropPathMax, "drop path too long");
  Require(c.BbsType <= nodes::kBbsTypeCount, "BBS type out of range");
  Require(c.FossilMode <= 3, "fossil mode out of range");
  Require(!HasLineBreak(c.BbsName) && !HasLineBreak(c.ComPortLine) && !HasLineBreak(c.DropPath),
          "a line end inside a field");
}

}  // namespace

// Input: the node number's low byte, then the file's bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  int node = data[0];
  std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  nodes::NodeConfig read;
  nodes::SetNodeDefaults(read);
  nodes::ParseNodeFile(text, read);
  CheckFields(read);

  nodes::NodeConfig again;  // starts from a type unlike the one written
  again.BbsType = read.BbsType == 1 ? 2 : 1;
  nodes::ParseNodeFile(nodes::FormatNodeFile(read, node), again);
  Require(again == read, "a written record does not read back the same");
  return 0;
}
