// The node file NODEx.DAT: a 16-line keyword text file that tells the game
// how to talk to the caller on one node. The program writes it whole and
// reads it back by line position. Nothing here touches the screen, so the
// text rules can be exercised on strings alone.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace nodes {

inline constexpr size_t kBbsNameMax = 40;
inline constexpr size_t kComPortLineMax = 20;
inline constexpr size_t kNodeLineMax = 255;
inline constexpr int kNodeFileLines = 16;
inline constexpr const char* kComPortFromDropFile = ";COMPORT 0";

struct NodeConfig {
  std::string BbsName;
  uint8_t BbsType = 0;  // 1-13 from BbsTypeTable; 0 not set
  // ";COMPORT 0", "COMPORT " + a port, or a nonstandard "PORT1 03F8 4" line.
  std::string ComPortLine;
  uint8_t FossilMode = 0;  // 0 internal, 1 FOSSIL, 2 X00 FOSSIL, 3 Digiboard
  int32_t LockedBaud = 0;  // 0: port not locked
  bool SendReset = false;
  bool SendOpen = false;
  bool StatusBar = false;
  uint8_t StatusFore = 0;
  uint8_t StatusBack = 0;
  bool AllNodesDorinfo = false;  // DORINFO1.DEF on every node
  bool SpecialAnsi = false;
  bool DirectWrites = false;
  std::string DropPath;

  bool operator==(const NodeConfig&) const = default;
};

struct BbsTypeEntry {
  const char* PaddedName;  // blank-padded to 9, as the screens show it
  const char* DropFile;
};

inline constexpr int kBbsTypeCount = 13;
inline constexpr uint8_t kBbsTypeLocal = 13;
// Type n is entry n - 1.
extern const std::array<BbsTypeEntry, kBbsTypeCount> BbsTypeTable;

// The padded name of a type; empty for 0 or an unknown type.
std::string BbsTypePaddedName(uint8_t type);
// The name as the file carries it: without the trailing blanks.
std::string BbsTypeFileName(uint8_t type);

void SetNodeDefaults(NodeConfig& config);

// "NODE" + the node number + ".DAT".
std::string NodeFileName(int node);

// The whole file text for `node`, 16 lines each ended by CR LF.
std::string FormatNodeFile(const NodeConfig& config, int node);

// Reads the lines of a node file text into `config` by position; fields a
// line does not set keep their values as the read-back rules say. Any
// bytes are accepted.
void ParseNodeFile(std::string_view text, NodeConfig& config);

// Replaces (or creates) the file at `path` with the node file text through
// the crash-safe whole-file write; false when it cannot be written.
bool WriteNodeFile(const std::string& path, const NodeConfig& config, int node);
// Reads the file at `path` into `config`, taking only as many bytes as the
// read-back needs; false (config untouched) when it cannot be opened.
bool ReadNodeFile(const std::string& path, NodeConfig& config);

}  // namespace nodes
