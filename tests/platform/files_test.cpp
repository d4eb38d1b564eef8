// Finding a file whatever its case, reading and writing records and whole
// files, creating the lock file and reporting a failed read are checked
// through the editors and the node screens that do them.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/record_bytes.h"
#include "support/rig.h"

namespace {

using testsupport::TempDir;

TEST(FindFiles, MatchesDosPatternsWithoutRegardToCaseAndOnlyFiles) {
  TempDir dir;
  for (const char* name : {"NODE1.DAT", "node12.dat", "NODE.TXT", "KELD.LDY", "inn.ldy"})
    dir.Write(name, "");
  platform::MakeDirectory(dir.File("NODE9.DAT"));  // directories are not files
  EXPECT_FALSE(platform::FileExists(dir.File("NODE9.DAT")));
  platform::DeleteFile(dir.File("NODE7.DAT"));  // a missing file is no error
  EXPECT_EQ(platform::FindFiles(dir.path(), "NODE*.DAT"),
            (std::vector<std::string>{"NODE1.DAT", "node12.dat"}));
  EXPECT_EQ(platform::FindFiles(dir.path(), "NODE?.DAT"), (std::vector<std::string>{"NODE1.DAT"}));
  EXPECT_EQ(
      platform::FindFiles(dir.path(), "*"),
      (std::vector<std::string>{"KELD.LDY", "NODE.TXT", "NODE1.DAT", "inn.ldy", "node12.dat"}));
}

TEST(RecordBytes, LittleEndianFieldsAndClampedStrings) {
  std::array<uint8_t, 6> raw{};
  platform::PutLE<int32_t>(raw, 2, -400000000);
  EXPECT_EQ(raw, (std::array<uint8_t, 6>{0, 0, 0x00, 0x7C, 0x28, 0xE8}));
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 2), -400000000);

  std::array<uint8_t, 6> text{200, 'a', 'b', 'c', 'd', 'e'};
  EXPECT_EQ(platform::GetString(text, 0, 5), "abcde");  // a length past N is clamped
  platform::PutString(text, 0, 5, "toolongtext");
  EXPECT_EQ(platform::GetString(text, 0, 5), "toolo");
  platform::PutString(text, 0, 5, "hi");
  EXPECT_EQ(text, (std::array<uint8_t, 6>{2, 'h', 'i', 'o', 'l', 'o'}));
}

}  // namespace
