// The four drop-file layouts: which field each line fills, the fall-backs
// for lines that are no numbers, short files and both kinds of line end.
#include "door/drop_files.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/letter_case.h"
#include "support/rig.h"

namespace {

using door::DoorState;
using door::DropFileKind;

std::string Join(const std::vector<std::string>& lines, const std::string& eol) {
  std::string text;
  for (const std::string& line : lines) text += line + eol;
  return text;
}

// `count` lines of filler with the given lines (numbered from 1) set.
std::vector<std::string> Lines(size_t count, std::vector<std::pair<size_t, std::string>> set) {
  std::vector<std::string> lines(count, "filler");
  for (auto& [number, text] : set) lines[number - 1] = text;
  return lines;
}

// Every field a drop file may set, for comparing two readings whole:
// "type|handle|record|name|alias|security|seconds|ansi|node|fairy|clean".
std::string Fields(const DoorState& s) {
  return std::to_string(s.CommType) + "|" + std::to_string(s.CommHandle) + "|" +
         std::to_string(s.UserRecord) + "|" + s.UserName + "|" + s.UserAlias + "|" +
         std::to_string(s.SecurityLevel) + "|" + std::to_string(s.SecondsAllowed) + "|" +
         std::to_string(s.Ansi) + "|" + std::to_string(s.NodeNum) + "|" +
         std::to_string(s.FairyFlag) + "|" + std::to_string(s.CleanMode);
}

template <typename Reader>
DoorState Read(Reader reader, const std::string& text) {
  DoorState state;
  reader(text, state);
  return state;
}

const std::vector<std::string> kDoor32 = {
    "2", "1234", "38400", "Mystic BBS 1.12", "17", "Ann Smith", "Annie", "110", "45", "1", "3"};

TEST(Door32Sys, FieldsFallBacksAndShortFiles) {
  const std::string all = "2|1234|16|Ann Smith|Annie|110|2700|1|3|0|0";
  EXPECT_EQ(Fields(Read(door::ReadDoor32Sys, Join(kDoor32, "\r\n"))), all);
  // No line end after the last line, and lines past the eleventh unread.
  std::string text = Join(kDoor32, "\n");
  text.pop_back();
  EXPECT_EQ(Fields(Read(door::ReadDoor32Sys, text + "\nextra\n")), all);

  std::vector<std::string> lines = kDoor32;
  for (size_t i : {0, 1, 4, 7, 8, 9, 10}) lines[i] = "n/a";
  EXPECT_EQ(Fields(Read(door::ReadDoor32Sys, Join(lines, "\n"))),
            "0|-1|0|Ann Smith|Annie|0|0|1|0|0|0");

  DoorState s;
  s.UserAlias = "old";
  s.NodeNum = 9;
  door::ReadDoor32Sys("1\r\n7\r\n\r\n\r\n\r\nBob", s);
  EXPECT_EQ(Fields(s), "1|7|0|Bob||0|0|1|0|0|0");
  EXPECT_EQ(Read(door::ReadDoor32Sys, "").CommHandle, -1);
}

// Boards on Linux write names in UTF-8; the screen shows code page 437. A
// line that is no UTF-8 is taken for code page 437 already.
TEST(DropFileText, Utf8LinesBecomeCodePage437) {
  std::vector<std::string> lines = kDoor32;
  lines[5] = "J\xC3\xBCrgen Wei\xC3\x9F";  // Jürgen Weiß
  lines[6] =
      "Zo\xC3\xAB \xE6\x9D\x8E \xE2\x98\xBA";  // Zoë, a letter and a glyph it has no code for
  DoorState s = Read(door::ReadDoor32Sys, Join(lines, "\r\n"));
  EXPECT_EQ(s.UserName, "J\x81rgen Wei\xE1");
  EXPECT_EQ(s.UserAlias, "Zo\x89 ? ?");
  lines[5] = "J\x81rgen \xC3";  // code page 437, and a broken UTF-8 character
  EXPECT_EQ(Read(door::ReadDoor32Sys, Join(lines, "\n")).UserName, "J\x81rgen \xC3");
  DoorState info =
      Read(door::ReadDorInfo, Join(Lines(13, {{7, "J\xC3\xBCrgen"}, {8, "Wei\xC3\x9F"}}), "\n"));
  EXPECT_EQ(info.UserName, "J\x81rgen Wei\xE1");
}

TEST(DoorSys, UsedLinesThePortBetweenComAndColonAndFallBacks) {
  std::vector<std::string> lines = Lines(52, {{1, "COM12:"},
                                              {4, "5"},
                                              {10, "Carl Jones"},
                                              {15, "30"},
                                              {18, "1800"},
                                              {20, "gr"},
                                              {26, "42"},
                                              {36, "CJ"}});
  EXPECT_EQ(Fields(Read(door::ReadDoorSys, Join(lines, "\r\n"))),
            "1|12|41|Carl Jones|CJ|30|1800|1|5|0|0");
  for (std::string port : {"COM0:", "COM1", "COM", "", "COMx:"})
    EXPECT_EQ(Fields(Read(door::ReadDoorSys, port + "\r\n")), "0|0|0|||0|0|0|0|0|0") << port;
  EXPECT_EQ(Fields(Read(door::ReadDoorSys, Join(Lines(10, {{1, "COM2:"}, {10, "Dee"}}), "\n"))),
            "1|2|0|Dee||0|0|0|0|0|0");
}

const std::vector<std::string> kDorInfo = {"Keld BBS", "Sys",  "Op",    "COM3", "19200 BAUD,N,8,1",
                                           "0",        "ERIN", "WOLFE", "Oslo", "1",
                                           "50",       "20",   "-1"};

TEST(DorInfo, FieldsLandAndTheNameJoinsFirstAndLast) {
  // The layout has no record number.
  EXPECT_EQ(Fields(Read(door::ReadDorInfo, Join(kDorInfo, "\r\n"))),
            "1|3|0|ERIN WOLFE|ERIN|50|1200|1|0|0|0");
  std::vector<std::string> lines = kDorInfo;
  lines[3] = "COM0";
  lines[7] = "";
  lines[9] = "0";
  EXPECT_EQ(Fields(Read(door::ReadDorInfo, Join(lines, "\n"))), "0|0|0|ERIN|ERIN|50|1200|0|0|0|0");
}

const std::vector<std::string> kInfo = {
    "8",    "3", "x", "fairy yes", "25",    "Gwen", "Gwen",
    "Hart", "0", "x", "x",         "local", "x",    "Clean Mode On"};

TEST(Info, FieldsFlagsAndTheConnectionKindOverThePort) {
  // The record number is already counted from 0.
  EXPECT_EQ(Fields(Read(door::ReadInfo, Join(kInfo, "\r\n"))),
            "0|0|8|Gwen Hart|Gwen|0|1500|1|0|1|1");
  std::vector<std::string> lines = kInfo;
  lines[1] = "1";
  lines[3] = "FAIRY NO";
  lines[7] = "";
  lines[13] = "CLEAN MODE OFF";
  EXPECT_EQ(Fields(Read(door::ReadInfo, Join(lines, "\n"))), "0|0|8|Gwen|Gwen|0|1500|0|0|0|0");
  EXPECT_EQ(Fields(Read(door::ReadInfo, "3\n1\n")), "0|0|3|||0|0|0|0|0|0");

  lines[8] = "77";
  auto type_with = [&](const std::string& kind) {
    lines[11] = kind;
    return Read(door::ReadInfo, Join(lines, "\n")).CommType;
  };
  EXPECT_EQ(type_with("Telnet"), 2);
  EXPECT_EQ(type_with("wc5"), 3);
  EXPECT_EQ(type_with("LOCAL"), 0);
  EXPECT_EQ(type_with("modem"), 1);  // left as the port made it
  lines[8] = "0";
  EXPECT_EQ(type_with("modem"), 0);
}

TEST(DropFileNumbers, DecimalWithBlanksElseFallBack) {
  EXPECT_EQ(door::NumberOr(" -7\t", 0), -7);
  EXPECT_EQ(door::NumberOr("+5", 0), 5);
  EXPECT_EQ(door::NumberOr("2147483647", 0), 2147483647);
  for (const char* bad : {"", " ", "-", "1 2", "12a", "0x10", "2147483648", "99999999999999999999"})
    EXPECT_EQ(door::NumberOr(bad, -9), -9) << bad;
}

// The first name that matches chooses the layout, in any letter case; the
// start-up tests find DOOR32.SYS, DOOR.SYS and DORINFO1.DEF by these.
TEST(DropFileNames, FirstMatchingNameChoosesTheLayout) {
  EXPECT_EQ(door::DropFileKindOf("DORINFO.DEF"), DropFileKind::kDorInfo);  // also has "INFO."
  EXPECT_EQ(door::DropFileKindOf("/bbs/callinfo.bbs"), DropFileKind::kInfo);
  EXPECT_EQ(door::DropFileKindOf("/door.sys/DOOR32.SYS"), DropFileKind::kDoor32Sys);
  EXPECT_EQ(door::DropFileKindOf("C:\\BBS\\Door.Sys"), DropFileKind::kDoorSys);
}

// The BBS may spell the file and its node directory in another case than
// the disk. Found: a path that opens the file; where letter case tells
// names apart only the disk's spelling opens, Windows opens any spelling.
TEST(DropFileNames, FoundWhateverTheLetterCaseOnDisk) {
  testsupport::TempDir dir;
  platform::MakeDirectory(dir.File("Node1"));
  dir.Write("Node1/Door.Sys", "x");
  std::string found = door::FindDropFile(dir.File("NODE1/DOOR.SYS"));
  EXPECT_TRUE(platform::SameIgnoringCase(found, dir.File("Node1/Door.Sys")));
  EXPECT_TRUE(platform::FileExists(found));
  EXPECT_EQ(door::FindDropFile(dir.File("NODE1/DOOR32.SYS")), "");
  EXPECT_EQ(door::FindDropFile(dir.File("Node1")), "");
  EXPECT_EQ(door::FindDropFile(""), "");
}

}  // namespace
