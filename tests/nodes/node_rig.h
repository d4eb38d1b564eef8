// A node screen on the virtual console with its own game directory.
#pragma once

#include <string>

#include "nodes/node_file.h"
#include "nodes/node_screen.h"
#include "support/key_names.h"
#include "support/rig.h"
#include "support/snoop_rig.h"

namespace nodes_test {

struct NodeRig {
  testsupport::SnoopRig rig;
  testsupport::TempDir dir;
  nodes::NodeNumbers numbers;
  nodes::NodeRun run{dir.path(), dir.path(), numbers};

  // The node screen run on `keys`, then left with Escape.
  void Configure(const std::string& keys) {
    rig.console.Type(keys + testsupport::keys::kEsc);
    nodes::NodeConfigure(rig.ui, run);
    EXPECT_EQ(rig.console.PendingKeys(), 0u) << rig.console.Dump();
  }
  // Line n (from 1) of a node file on disk, node1.dat by default.
  std::string Line(size_t n, const std::string& name = "node1.dat") const {
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

}  // namespace nodes_test
