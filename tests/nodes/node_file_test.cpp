#include "nodes/node_file.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "support/rig.h"

namespace {

using nodes::NodeConfig;
using testsupport::TempDir;

std::string Lines(std::initializer_list<std::string> lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

// Every field set and the type WWIV, so a field the reader leaves alone shows.
NodeConfig Preset() {
  return {.BbsName = "x",
          .BbsType = 3,
          .ComPortLine = "x",
          .FossilMode = 3,
          .LockedBaud = 7,
          .SendReset = true,
          .SendOpen = true,
          .StatusBar = true,
          .StatusFore = 7,
          .StatusBack = 7,
          .AllNodesDorinfo = true,
          .SpecialAnsi = true,
          .DirectWrites = true,
          .DropPath = "x"};
}

NodeConfig Read(const std::string& text) {
  NodeConfig c = Preset();
  nodes::ParseNodeFile(text, c);
  return c;
}

TEST(NodeFile, EveryFieldOfEveryTypeSurvivesWriteAndRead) {
  TempDir dir;
  for (uint8_t t = 1; t <= nodes::kBbsTypeCount; ++t) {
    // The switches follow the bits of t, so both values of each come back.
    NodeConfig c{.BbsName = std::string(40, static_cast<char>('a' + t)),
                 .BbsType = t,
                 .ComPortLine = t % 2 ? "COMPORT " + std::to_string(t)
                                      : "PORT" + std::to_string(t) + " 03F8 4  x",
                 .FossilMode = static_cast<uint8_t>(t % 4),
                 .LockedBaud = t == 7 ? -38400 : t * 9600,
                 .SendReset = (t & 1) != 0,
                 .SendOpen = (t & 2) != 0,
                 .StatusBar = (t & 4) != 0,
                 .StatusFore = static_cast<uint8_t>(t * 19),
                 .StatusBack = static_cast<uint8_t>(255 - t),
                 .AllNodesDorinfo = (t & 8) != 0,
                 .SpecialAnsi = (t & 1) == 0,
                 .DirectWrites = (t & 2) == 0,
                 .DropPath = "C:\\NODE\\" + std::string(t * 18, 'p')};
    std::string name = nodes::NodeFileName(t);
    ASSERT_TRUE(nodes::WriteNodeFile(dir.File(name), c, t));
    NodeConfig back = Preset();
    ASSERT_TRUE(nodes::ReadNodeFile(dir.File(name), back));
    EXPECT_EQ(nodes::FormatNodeFile(back, t), dir.Read(name));
    EXPECT_TRUE(back == c) << "type " << int{t};
  }
}

// How single lines read back: the type compared whole, the status bar by
// its last character, numbers that do not parse as zero, texts cut to their
// fields; missing lines, other line ends, the end-of-file mark and bytes of
// any value.
TEST(NodeFile, LinesReadBackByTheirOwnRules) {
  NodeConfig untyped = Preset();
  untyped.BbsType = 0;
  EXPECT_NE(nodes::FormatNodeFile(untyped, 2).find("\r\nBBSTYPE \r\n"), std::string::npos);
  for (auto [line, type] : {std::pair<std::string, int>{"BBSTYPE PCBoard12", 2},
                            {"BBSTYPE pcboard12", 3},
                            {"BBSTYPE Local ", 3},
                            {"12345678RBBS16+", 5}})
    EXPECT_EQ(Read(Lines({"", "", line})).BbsType, type) << line;
  EXPECT_FALSE(Read(Lines({"", "", "", "", "", "", "status off"})).StatusBar);
  EXPECT_TRUE(Read(Lines({"", "", "", "", "", "", "STATUS OFF "})).StatusBar);
  for (auto [baud, baud_read] :
       {std::pair{"-2400", -2400}, {"  19200", 19200}, {"19200 ", 0}, {"2147483648", 0}})
    EXPECT_EQ(Read(Lines({"", "", "", "", "", std::string("LOCKBAUD ") + baud})).LockedBaud,
              baud_read)
        << baud;
  for (auto [fore, fore_read] : {std::pair{"300", 44}, {"-1", 255}, {"12x", 0}})
    EXPECT_EQ(Read(Lines({"", "", "", "", "", "", "", std::string("STATFORE ") + fore})).StatusFore,
              fore_read)
        << fore;
  NodeConfig c = Read(Lines({"", "BBSNAME " + std::string(50, 'n'), "", "PORT1 03F8 4 and more",
                             "XFOSSIL", "", "", "", "", "COLOR1", ";", "ALLNODES", "", "NOOPEN"}));
  EXPECT_EQ(c.BbsName, std::string(40, 'n'));
  EXPECT_EQ(c.ComPortLine, "PORT1 03F8 4 and mor");
  EXPECT_EQ(c.FossilMode, 2);
  EXPECT_TRUE(c.SpecialAnsi && c.DirectWrites && c.AllNodesDorinfo);
  EXPECT_FALSE(c.SendOpen || c.SendReset);

  NodeConfig empty;                  // empty texts, zero numbers, switches off...
  empty.BbsType = Preset().BbsType;  // ...the type kept and the status bar on
  empty.StatusBar = true;
  EXPECT_TRUE(Read("") == empty);
  // An unended last line counts.
  EXPECT_EQ(Read("\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nSTATBACK 4").StatusBack, 4);
  EXPECT_EQ(Read("\nBBSNAME LF\nBBSTYPE QBBS\n").BbsType, 1);
  EXPECT_EQ(Read("\rBBSNAME CR\rBBSTYPE QBBS\r").BbsName, "CR");
  EXPECT_EQ(Read("\r\nBBSNAME Before\x1a"
                 "After\r\nBBSTYPE QBBS\r\n")
                .BbsName,
            "Before");
  // A line far longer than the line buffer: its rest is skipped and the
  // next line is still line 3.
  NodeConfig binary =
      Read("x\r\nBBSNAME " + std::string("\0\xff", 2) + std::string(99999, 'z') + "\nBBSTYPE WWIV");
  EXPECT_EQ(binary.BbsName, std::string("\0\xff", 2) + std::string(38, 'z'));
  EXPECT_EQ(binary.BbsType, 3);
  EXPECT_EQ(Read(Lines({"", "", "", "", "", "", "", "", "", "", "", "",
                        "BBSDROP " + std::string(300, 'd')}))
                .DropPath,
            std::string(247, 'd'));
}

TEST(NodeFile, TheFileIsReadInPiecesAndNeverWritten) {
  TempDir dir;
  NodeConfig c = Preset();
  EXPECT_FALSE(nodes::ReadNodeFile(dir.File("NODE1.DAT"), c));
  EXPECT_FALSE(dir.Exists("NODE1.DAT"));
  // A CR LF split between two pieces is still one line end.
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
