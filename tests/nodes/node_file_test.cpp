#include "nodes/node_file.h"

#include <gtest/gtest.h>

#include <string>

#include "support/rig.h"

namespace {

using nodes::NodeConfig;
using testsupport::TempDir;

// Every field set, at its longest where it has a length, the switches
// `on`, and the type WWIV, so that a field the reader leaves alone shows.
NodeConfig Preset(bool on = true) {
  return {
      std::string(40, 'n'), 3, "PORT2 02F8 3 cut now", 3, -38400, on, on, on, 200, 255, on, on, on,
      std::string(247, 'p')};
}

NodeConfig Read(const std::string& text) {
  NodeConfig c = Preset();
  nodes::ParseNodeFile(text, c);
  return c;
}

// A file whose line n (ended by LF, as the reader also accepts) is `line`.
NodeConfig ReadLine(size_t n, const std::string& line) {
  return Read(std::string(n - 1, '\n') + line);
}

TEST(NodeFile, EveryFieldOfEveryTypeSurvivesWriteAndRead) {
  const char* const names[] = {"QBBS",    "PCBoard12", "WWIV",      "PCBoard15", "RBBS16+",
                               "Phoenix", "Wildcat",   "PCBoard14", "DOORSYS",   "Spitfire",
                               "2am-bbs", "TriBBS",    "Local"};
  TempDir dir;
  for (uint8_t t = 1; t <= nodes::kBbsTypeCount; ++t) {
    NodeConfig c = Preset(t % 2 == 1);  // both values of every switch
    c.BbsType = t;
    c.FossilMode = t % 4;
    std::string name = nodes::NodeFileName(t);
    ASSERT_TRUE(nodes::WriteNodeFile(dir.File(name), c, t));
    EXPECT_NE(dir.Read(name).find("\r\nBBSTYPE " + std::string(names[t - 1]) + "\r\n"),
              std::string::npos);
    NodeConfig back = Preset(t % 2 == 0);
    back.BbsType = 0;
    ASSERT_TRUE(nodes::ReadNodeFile(dir.File(name), back));
    EXPECT_TRUE(back == c) << "type " << int{t};
  }
}

// How single lines read back: the type compared whole, the status bar by
// its last character, numbers that do not parse as zero, texts cut to their
// fields; missing lines, other line ends, the end-of-file mark and bytes of
// any value.
TEST(NodeFile, LinesReadBackByTheirOwnRulesFromAFileReadInPieces) {
  NodeConfig untyped = Preset();
  untyped.BbsType = 0;
  EXPECT_NE(nodes::FormatNodeFile(untyped, 2).find("\r\nBBSTYPE \r\n"), std::string::npos);
  for (auto [line, type] : {std::pair<std::string, int>{"BBSTYPE PCBoard12", 2},
                            {"BBSTYPE pcboard12", 3},
                            {"BBSTYPE Local ", 3},
                            {"12345678RBBS16+", 5}})
    EXPECT_EQ(ReadLine(3, line).BbsType, type) << line;
  EXPECT_FALSE(ReadLine(7, "status off").StatusBar);
  EXPECT_TRUE(ReadLine(7, "STATUS OFF ").StatusBar);
  for (auto [baud, read] :
       {std::pair{"-2400", -2400}, {"  19200", 19200}, {"19200 ", 0}, {"2147483648", 0}})
    EXPECT_EQ(ReadLine(6, std::string("LOCKBAUD ") + baud).LockedBaud, read) << baud;
  for (auto [fore, read] : {std::pair{"300", 44}, {"-1", 255}, {"12x", 0}})
    EXPECT_EQ(ReadLine(8, std::string("STATFORE ") + fore).StatusFore, read) << fore;
  EXPECT_EQ(ReadLine(13, "BBSDROP " + std::string(300, 'd')).DropPath, std::string(247, 'd'));
  NodeConfig c =
      Read("\nBBSNAME " + std::string(50, 'm') +
           "\n\nPORT1 03F8 4 and more\nXFOSSIL\n\n\n\n\nCOLOR1\n;\nALLNODES\n\nNOOPEN\n;");
  EXPECT_EQ(c.BbsName, std::string(40, 'm'));
  EXPECT_EQ(c.ComPortLine, "PORT1 03F8 4 and mor");
  EXPECT_EQ(c.FossilMode, 2);
  EXPECT_TRUE(c.SpecialAnsi && c.DirectWrites && c.AllNodesDorinfo && c.SendReset);
  EXPECT_FALSE(c.SendOpen);

  NodeConfig empty;                  // empty texts, zero numbers, switches off...
  empty.BbsType = Preset().BbsType;  // ...the type kept and the status bar on
  empty.StatusBar = true;
  EXPECT_TRUE(Read("") == empty);
  // An unended last line counts; so do CR alone and the end-of-file mark.
  EXPECT_EQ(Read("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nSTATBACK 4").StatusBack, 4);
  EXPECT_EQ(Read("\rBBSNAME CR\rBBSTYPE QBBS\r").BbsName, "CR");
  EXPECT_EQ(Read("\r\nBBSNAME Before\x1a!After\r\nBBSTYPE QBBS\r\n").BbsName, "Before");
  // A line far longer than the line buffer: its rest is skipped and the
  // next line is still line 3.
  NodeConfig binary =
      Read("x\r\nBBSNAME " + std::string("\0\xff", 2) + std::string(99999, 'z') + "\nBBSTYPE QBBS");
  EXPECT_EQ(binary.BbsName, std::string("\0\xff", 2) + std::string(38, 'z'));
  EXPECT_EQ(binary.BbsType, 1);
  // Read from disk in pieces, a CR LF split between two of them is still
  // one line end; the file is not written.
  TempDir dir;
  for (size_t first_line : {4094, 4095}) {
    dir.Write("NODE3.DAT", std::string(first_line, '1') + "\r\nBBSNAME Split\r\nBBSTYPE QBBS\r\n");
    std::string before = dir.Snapshot();
    ASSERT_TRUE(nodes::ReadNodeFile(dir.File("NODE3.DAT"), c));
    EXPECT_EQ(c.BbsName, "Split") << first_line;
    EXPECT_EQ(c.BbsType, 1) << first_line;
    EXPECT_EQ(dir.Snapshot(), before);
  }
}

}  // namespace
