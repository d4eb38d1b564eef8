// The node configuration screen: the settings of one node file after
// another, edited through small pickers and prompts, and a copy of every
// node file from another game's directory.
#pragma once

#include "nodes/node_file.h"
#include "shell/run_state.h"
#include "ui/ui.h"

namespace nodes {

// The screen behind "Configure Nodes". Starts on run.CurrentNode; every
// move to another node and the exit write the node being left.
void NodeConfigure(ui::Ui& ui, shell::RunState& run);

// Reads the current node's file into `config`. When the file is missing,
// asks whether to create it: Yes writes it from `config` as it stands, No
// goes back to run.PreviousNode and leaves `config` alone.
void ReadCurrentNode(ui::Ui& ui, shell::RunState& run, NodeConfig& config);
// Writes the current node's file from `config`; errors are not reported.
void WriteCurrentNode(const shell::RunState& run, const NodeConfig& config);

// The sub-screens; each changes `config` and returns. A function key
// leaves everything as it was.
void ChooseBbsType(ui::Ui& ui, NodeConfig& config);
void ChooseDorinfo(ui::Ui& ui, NodeConfig& config);
void ChooseFossil(ui::Ui& ui, NodeConfig& config);
void ChooseLockedSpeed(ui::Ui& ui, NodeConfig& config);
void ChooseComPort(ui::Ui& ui, NodeConfig& config);
// Copies every node file of another directory into the program directory,
// then reads the current node again.
void CopySetup(ui::Ui& ui, shell::RunState& run, NodeConfig& config);

}  // namespace nodes
