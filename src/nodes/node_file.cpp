#include "nodes/node_file.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "platform/file.h"
#include "platform/letter_case.h"
#include "platform/whole_file.h"

namespace nodes {

const std::array<BbsTypeEntry, kBbsTypeCount> BbsTypeTable = {{
    {"QBBS     ", "DORINFOx.DEF"},
    {"PCBoard12", "PCBOARD.SYS"},
    {"WWIV     ", "CHAIN.TXT"},
    {"PCBoard15", "PCBOARD.SYS"},
    {"RBBS16+  ", "DORINFOx.DEF"},
    {"Phoenix  ", "INFO.BBS"},
    {"Wildcat  ", "CALLINFO.BBS"},
    {"PCBoard14", "PCBOARD.SYS"},
    {"DOORSYS  ", "DOOR.SYS"},
    {"Spitfire ", "SFDOORS.DAT"},
    {"2am-bbs  ", "JUMPER.DAT"},
    {"TriBBS   ", "TRIBBS.SYS"},
    {"Local    ", "N/A"},
}};

std::string BbsTypePaddedName(uint8_t type) {
  if (type < 1 || type > kBbsTypeCount) return {};
  return BbsTypeTable[type - 1].PaddedName;
}

std::string BbsTypeFileName(uint8_t type) {
  std::string name = BbsTypePaddedName(type);
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

void SetNodeDefaults(NodeConfig& config) {
  config = NodeConfig{};
  config.BbsName = "A Pretty Cool BBS";
  config.BbsType = kBbsTypeLocal;
  config.ComPortLine = kComPortFromDropFile;
  config.StatusBar = true;
  config.StatusFore = 15;
  config.StatusBack = 1;
  // The game reads this path on the BBS machine, which is a DOS or Windows
  // system whatever this program runs on.
  config.DropPath = "C:\\KELD\\";
}

std::string NodeFileName(int node) {
  return "NODE" + std::to_string(node) + ".DAT";
}

namespace {

const char* FossilLine(uint8_t mode) {
  switch (mode) {
    case 1:
      return "FOSSIL";
    case 2:
      return "XFOSSIL";
    case 3:
      return "DIGI";
    default:
      return ";FOSSIL";
  }
}

}  // namespace

std::string FormatNodeFile(const NodeConfig& c, int node) {
  const std::string lines[kNodeFileLines] = {
      "**Garn Vosk's Node Data System, for node " + std::to_string(node),
      "BBSNAME " + c.BbsName,
      "BBSTYPE " + BbsTypeFileName(c.BbsType),
      c.ComPortLine,
      FossilLine(c.FossilMode),
      "LOCKBAUD " + std::to_string(c.LockedBaud),
      c.StatusBar ? "STATUS ON" : "STATUS OFF",
      "STATFORE " + std::to_string(c.StatusFore),
      "STATBACK " + std::to_string(c.StatusBack),
      c.SpecialAnsi ? "COLOR1" : ";NODE1",
      c.DirectWrites ? ";NODIRECT" : "NODIRECT",
      c.AllNodesDorinfo ? "ALLNODES" : ";UNUSED",
      "BBSDROP " + c.DropPath,
      c.SendOpen ? ";UNUSED" : "NOOPEN",
      c.SendReset ? ";UNUSED" : "NORESET",
      ";UNUSED",
  };
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

namespace {

// Line 16 is never read back, so reading stops after line 15.
constexpr size_t kLinesRead = kNodeFileLines - 1;

// Splits text into lines as the game's text reader does: a line ends at
// CR LF, LF or a lone CR, and Ctrl-Z ends the file. A line keeps at most
// kNodeLineMax characters; the rest of a longer line is skipped. Bytes
// may arrive in pieces, so a file is never held whole in memory.
class LineCollector {
 public:
  // False once every line wanted is complete or the file has ended.
  bool Feed(std::string_view bytes) {
    for (char c : bytes) {
      if (done_) break;
      Take(c);
    }
    return !done_;
  }

  // The lines read; an unended last line counts as a line.
  std::vector<std::string> Finish() {
    if (partial_ && !done_) EndLine();
    return std::move(lines_);
  }

 private:
  void Take(char c) {
    bool follows_cr = after_cr_;
    after_cr_ = false;
    if (c == platform::kEndOfFile) {
      if (partial_) EndLine();
      done_ = true;
    } else if (c == '\r') {
      EndLine();
      after_cr_ = true;
    } else if (c == '\n') {
      if (!follows_cr) EndLine();
    } else {
      partial_ = true;
      if (current_.size() < kNodeLineMax) current_ += c;
    }
  }

  void EndLine() {
    lines_.push_back(std::move(current_));
    current_.clear();
    partial_ = false;
    if (lines_.size() >= kLinesRead) done_ = true;
  }

  std::vector<std::string> lines_;
  std::string current_;
  bool partial_ = false;
  bool after_cr_ = false;
  bool done_ = false;
};

std::string Without(const std::string& line, size_t n) {
  return line.size() > n ? line.substr(n) : std::string();
}

char First(const std::string& line) {
  return line.empty() ? '\0' : line.front();
}

// A decimal number with optional leading blanks and sign; anything else,
// or a number beyond 32 bits, reads as 0.
int32_t DecimalOrZero(std::string_view text) {
  size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return 0;
  text.remove_prefix(start);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-') text.remove_prefix(1);
  int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
    return 0;
  return static_cast<int32_t>(value);
}

uint8_t TypeNamed(const std::string& name, uint8_t unchanged) {
  for (uint8_t type = 1; type <= kBbsTypeCount; ++type)
    if (name == BbsTypeFileName(type)) return type;
  return unchanged;
}

uint8_t FossilModeOf(char first) {
  switch (first) {
    case 'F':
      return 1;
    case 'X':
      return 2;
    case 'D':
      return 3;
    default:
      return 0;
  }
}

bool StatusOnOf(const std::string& line) {
  return line.empty() || platform::UpperCase(line.back()) != 'F';
}

// Line n of the file, counted from 1; a line past the end reads as empty.
const std::string& LineOf(const std::vector<std::string>& lines, size_t n) {
  static const std::string kEmpty;
  return n <= lines.size() ? lines[n - 1] : kEmpty;
}

void ApplyLines(const std::vector<std::string>& lines, NodeConfig& c) {
  auto line = [&](size_t n) -> const std::string& { return LineOf(lines, n); };
  c.BbsName = Without(line(2), 8).substr(0, kBbsNameMax);
  c.BbsType = TypeNamed(Without(line(3), 8), c.BbsType);
  c.ComPortLine = line(4).substr(0, kComPortLineMax);
  c.FossilMode = FossilModeOf(First(line(5)));
  c.LockedBaud = DecimalOrZero(Without(line(6), 9));
  c.StatusBar = StatusOnOf(line(7));
  c.StatusFore = static_cast<uint8_t>(DecimalOrZero(Without(line(8), 9)));
  c.StatusBack = static_cast<uint8_t>(DecimalOrZero(Without(line(9), 9)));
  c.SpecialAnsi = First(line(10)) == 'C';
  c.DirectWrites = First(line(11)) == ';';
  c.AllNodesDorinfo = First(line(12)) == 'A';
  c.DropPath = Without(line(13), 8);
  c.SendOpen = First(line(14)) == ';';
  c.SendReset = First(line(15)) == ';';
}

}  // namespace

void ParseNodeFile(std::string_view text, NodeConfig& config) {
  LineCollector collector;
  collector.Feed(text);
  ApplyLines(collector.Finish(), config);
}

bool WriteNodeFile(const std::string& path, const NodeConfig& config, int node) {
  int error = 0;
  return platform::WriteWholeFile(path, FormatNodeFile(config, node), error);
}

bool ReadNodeFile(const std::string& path, NodeConfig& config) {
  platform::File file;
  if (!file.Open(path, platform::File::Mode::kRead)) return false;
  LineCollector collector;
  std::array<uint8_t, 4096> block;
  for (;;) {
    size_t got = file.ReadSome(block);
    if (got == 0) break;
    std::string_view bytes(reinterpret_cast<const char*>(block.data()), got);
    if (!collector.Feed(bytes)) break;
  }
  file.Close();
  ApplyLines(collector.Finish(), config);
  return true;
}

}  // namespace nodes
