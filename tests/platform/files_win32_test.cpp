// What the Windows backend adds: the executable's path from the system,
// searches that see only real names, the system's error numbers (the DOS
// numbering the run-time I/O error report shows) with their texts, and a
// rewritten file's attributes.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file.h"
#include "platform/files.h"
#include "platform/letter_case.h"
#include "platform/whole_file.h"
#include "support/rig.h"

namespace {

using testsupport::TempDir;

TEST(ExecutablePath, TheSystemsFullPathWhateverTheProgramWasStartedBy) {
  std::string path = platform::ExecutablePath("keldcfg");
  ASSERT_GT(path.size(), 3u);
  EXPECT_EQ(path.substr(1, 2), ":\\");
  EXPECT_TRUE(platform::SameIgnoringCase(path.substr(path.size() - 15), "\\keld_tests.exe"));
}

TEST(FindFiles, OnlyRealNamesMatchNotShortAliases) {
  TempDir dir;
  dir.Write("A.DAT", "");
  dir.Write("SCORES.DATA", "");  // its 8.3 alias ends in .DAT
  EXPECT_EQ(platform::FindFiles(dir.path(), "*.DAT"), (std::vector<std::string>{"A.DAT"}));
}

TEST(SystemErrors, DosNumbersAndTheSystemsTexts) {
  TempDir dir;
  platform::File file;
  EXPECT_FALSE(file.Open(dir.File("NONE.DAT"), platform::File::Mode::kRead));
  EXPECT_EQ(file.error(), 2);  // file not found
  EXPECT_FALSE(file.Open(dir.File("NO\\NONE.DAT"), platform::File::Mode::kCreate));
  EXPECT_EQ(file.error(), 3);  // path not found
  dir.Write("R.DAT", "abc");
  ASSERT_TRUE(file.Open(dir.File("R.DAT"), platform::File::Mode::kRead));
  std::array<uint8_t, 4> record{};
  EXPECT_FALSE(file.ReadExactly(record));
  EXPECT_EQ(file.error(), 38);  // reached the end of the file

  std::string text = platform::ErrorText(5);
  EXPECT_NE(platform::UpperCase(text).find("DENIED"), std::string::npos) << text;
  EXPECT_EQ(text.find_last_of(".\r\n"), std::string::npos) << text;  // the report ends it
}

// A rewritten file is kept as the old one was: hidden stays hidden.
TEST(WholeFile, TheNewFileKeepsTheOldOnesAttributes) {
  TempDir dir;
  dir.Write("KELD.DAT", "old");
  ASSERT_NE(::SetFileAttributesA(dir.File("KELD.DAT").c_str(), FILE_ATTRIBUTE_HIDDEN), 0);
  int error = 0;
  ASSERT_TRUE(platform::WriteWholeFile(dir.File("KELD.DAT"), "new", error)) << error;
  EXPECT_EQ(dir.Read("KELD.DAT"), "new");
  EXPECT_NE(::GetFileAttributesA(dir.File("KELD.DAT").c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
}

}  // namespace
