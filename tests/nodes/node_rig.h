// A node screen on the virtual console with its own game directory.
#pragma once

#include <string>

#include "nodes/node_file.h"
#include "nodes/node_screen.h"
#include "support/rig.h"

namespace nodes_test {

struct NodeRig {
  testsupport::Rig rig;
  testsupport::TempDir dir;
  nodes::NodeNumbers numbers;
  nodes::NodeRun run{dir.path(), dir.path(), numbers};

  void Configure() { nodes::NodeConfigure(rig.ui, run); }
  // Line n (from 1) of a node file on disk.
  std::string Line(const std::string& name, size_t n) const {
    std::string text = dir.Read(name);
    size_t start = 0;
    for (size_t i = 1; i < n; ++i) start = text.find("\r\n", start) + 2;
    return text.substr(start, text.find("\r\n", start) - start);
  }
  // The text of node screen item n, without its hot key column.
  std::string Shown(int item) const {
    std::string row = rig.Row(4 + item).substr(14);
    return row.erase(row.find_last_not_of(' ') + 1);
  }
};

inline nodes::NodeConfig Defaults() {
  nodes::NodeConfig c;
  nodes::SetNodeDefaults(c);
  return c;
}

inline std::string DefaultFile(int node) {
  return nodes::FormatNodeFile(Defaults(), node);
}

}  // namespace nodes_test
