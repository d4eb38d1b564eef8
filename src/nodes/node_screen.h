// The node configuration screen: the settings of one node file after
// another, edited through small pickers and prompts, and a copy of every
// node file from another game's directory.
#pragma once

#include <cstdint>
#include <string>

#include "nodes/node_file.h"
#include "ui/ui.h"

namespace nodes {

// Which node the screen shows; kept for the whole run of the program.
struct NodeNumbers {
  uint8_t Current = 1;   // the node being configured
  uint8_t Previous = 0;  // the node shown before the last move
};

// What the node screens use of the program's run.
struct NodeRun {
  std::string GameDir;     // holds the node files; ends with a separator
  std::string ProgramDir;  // receives a copied setup; ends with a separator
  NodeNumbers& Nodes;
};

// The screen behind "Configure Nodes". Starts on the current node; every
// move to another node and the exit write the node being left.
void NodeConfigure(ui::Ui& ui, NodeRun& run);

// Reads the current node's file into `config`. When the file is missing,
// asks whether to create it: Yes writes it from `config` as it stands, No
// goes back to the previous node and leaves `config` alone.
void ReadCurrentNode(ui::Ui& ui, NodeRun& run, NodeConfig& config);
// Writes the current node's file from `config`; errors are not reported.
void WriteCurrentNode(const NodeRun& run, const NodeConfig& config);

// The sub-screens; each changes `config` and returns. A function key
// leaves everything as it was.
void ChooseBbsType(ui::Ui& ui, NodeConfig& config);
void ChooseDorinfo(ui::Ui& ui, NodeConfig& config);
void ChooseFossil(ui::Ui& ui, NodeConfig& config);
void ChooseLockedSpeed(ui::Ui& ui, NodeConfig& config);
void ChooseComPort(ui::Ui& ui, NodeConfig& config);
// Copies every node file of another directory into the program directory,
// then reads the current node again.
void CopySetup(ui::Ui& ui, NodeRun& run, NodeConfig& config);

}  // namespace nodes
