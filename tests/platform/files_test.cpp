#include <gtest/gtest.h>

#include <cerrno>

#include "platform/file.h"
#include "platform/files.h"
#include "platform/record_bytes.h"
#include "platform/record_file.h"
#include "support/rig.h"

namespace {

using testsupport::TempDir;

TEST(FindInDirectory, FindsAnExistingFileWhateverItsCase) {
  TempDir dir;
  dir.Write("Player.Dat", "x");
  EXPECT_EQ(platform::FindInDirectory(dir.path(), "PLAYER.DAT"), dir.File("Player.Dat"));
  EXPECT_EQ(platform::FindInDirectory(dir.path(), "player.dat"), dir.File("Player.Dat"));
  // A file that is not there gets the name as the program spells it.
  EXPECT_EQ(platform::FindInDirectory(dir.path(), "NOCHAT.DAT"), dir.File("NOCHAT.DAT"));
  EXPECT_EQ(platform::FindInDirectory(dir.path() + "missing/", "A.DAT"),
            dir.path() + "missing/A.DAT");
}

TEST(FindFiles, MatchesDosPatternsWithoutRegardToCase) {
  TempDir dir;
  for (const char* name : {"NODE1.DAT", "node12.dat", "NODE.TXT", "KELD.LDY", "inn.ldy"})
    dir.Write(name, "");
  platform::MakeDirectory(dir.File("NODE9.DAT"));  // directories are not files
  EXPECT_EQ(platform::FindFiles(dir.path(), "NODE*.DAT"),
            (std::vector<std::string>{"NODE1.DAT", "node12.dat"}));
  EXPECT_EQ(platform::FindFiles(dir.path(), "*.ldy"),
            (std::vector<std::string>{"KELD.LDY", "inn.ldy"}));
  EXPECT_EQ(platform::FindFiles(dir.path(), "NODE?.DAT"), (std::vector<std::string>{"NODE1.DAT"}));
  EXPECT_EQ(
      platform::FindFiles(dir.path(), "*"),
      (std::vector<std::string>{"KELD.LDY", "NODE.TXT", "NODE1.DAT", "inn.ldy", "node12.dat"}));
}

TEST(FileOperations, CreateNewDeleteReplaceAndExists) {
  TempDir dir;
  EXPECT_TRUE(platform::CreateNewFile(dir.File("LOCK")));
  EXPECT_FALSE(platform::CreateNewFile(dir.File("LOCK")));
  EXPECT_TRUE(platform::FileExists(dir.File("LOCK")));
  platform::DeleteFile(dir.File("LOCK"));
  platform::DeleteFile(dir.File("LOCK"));  // a missing file is no error
  EXPECT_FALSE(platform::FileExists(dir.File("LOCK")));
  EXPECT_FALSE(platform::FileExists(dir.path()));  // a directory is not a file

  dir.Write("A.TMP", "new");
  dir.Write("A.DAT", "old");
  EXPECT_TRUE(platform::ReplaceFile(dir.File("A.TMP"), dir.File("A.DAT")));
  EXPECT_EQ(dir.Read("A.DAT"), "new");
  EXPECT_FALSE(dir.Exists("A.TMP"));
}

TEST(ReadWholeFile, AFailedReadIsReportedAndNeverTakenForTheEnd) {
  TempDir dir;
  std::string content;
  int error = 0;
  EXPECT_FALSE(platform::ReadWholeFile(dir.path(), content, error));
  // POSIX opens a directory, then fails to read it; Windows fails to open it.
  EXPECT_EQ(error, testsupport::OnWindows() ? error : EISDIR);
  EXPECT_NE(error, 0);
  dir.Write("BIG.DAT", std::string(10000, 'x'));
  platform::InjectReadFailure(dir.File("BIG.DAT"), 5000, EIO);
  EXPECT_FALSE(platform::ReadWholeFile(dir.File("BIG.DAT"), content, error));
  EXPECT_EQ(error, EIO);
  platform::InjectReadFailure("", 0, 0);
  EXPECT_TRUE(platform::ReadWholeFile(dir.File("BIG.DAT"), content, error));
  EXPECT_EQ(content.size(), 10000u);
}

TEST(RecordFile, ReadsWholeRecordsByNumberAndWritesInPlace) {
  TempDir dir;
  dir.Write("R.DAT", std::string("aaaabbbbcc"));
  platform::RecordFile file(4);
  ASSERT_TRUE(file.OpenExisting(dir.File("R.DAT")));
  EXPECT_EQ(file.RecordCount(), 2);  // the partial record does not count
  std::array<uint8_t, 4> record{};
  ASSERT_TRUE(file.Read(1, record));
  EXPECT_EQ(std::string(record.begin(), record.end()), "bbbb");
  EXPECT_FALSE(file.Read(2, record));  // only two bytes there
  record = {'x', 'y', 'z', 'w'};
  ASSERT_TRUE(file.Write(0, record));
  ASSERT_TRUE(file.Close());
  EXPECT_EQ(dir.Read("R.DAT"), "xyzwbbbbcc");

  platform::RecordFile missing(4);
  EXPECT_FALSE(missing.OpenExisting(dir.File("NONE.DAT")));
  EXPECT_FALSE(dir.Exists("NONE.DAT"));  // opening never creates
}

TEST(RecordBytes, LittleEndianFieldsAndClampedStrings) {
  std::array<uint8_t, 16> raw{};
  platform::PutLE<int16_t>(raw, 0, -2);
  platform::PutLE<int32_t>(raw, 2, 400000000);
  EXPECT_EQ(raw[0], 0xFE);
  EXPECT_EQ(raw[1], 0xFF);
  EXPECT_EQ(raw[2], 0x00);
  EXPECT_EQ(raw[5], 0x17);
  EXPECT_EQ(platform::GetLE<int16_t>(raw, 0), -2);
  EXPECT_EQ(platform::GetLE<int32_t>(raw, 2), 400000000);

  std::array<uint8_t, 6> text{200, 'a', 'b', 'c', 'd', 'e'};
  EXPECT_EQ(platform::GetString(text, 0, 5), "abcde");  // a length past N is clamped
  platform::PutString(text, 0, 5, "toolongtext");
  EXPECT_EQ(text[0], 5);
  EXPECT_EQ(platform::GetString(text, 0, 5), "toolo");
  platform::PutString(text, 0, 5, "hi");
  EXPECT_EQ(text[0], 2);
  EXPECT_EQ(text[3], 'o');  // characters past the length are left alone
}

}  // namespace
