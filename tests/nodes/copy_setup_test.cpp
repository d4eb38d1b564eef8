#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "nodes/node_rig.h"
#include "platform/file.h"
#include "platform/files.h"
#include "platform/letter_case.h"
#include "support/end_expected.h"

namespace {

using nodes::NodeConfig;
using nodes_test::Defaults;
using nodes_test::NodeRig;
using testsupport::TempDir;

// Types a path over the program directory offered in the path field.
void CopyFrom(NodeRig& t, NodeConfig& config, const std::string& path, const std::string& then) {
  ASSERT_LE(path.size(), 40u) << "the path field holds 40 characters";
  t.rig.console.Type(path + "\r" + then);
  nodes::CopySetup(t.rig.ui, t.run, config);
}

TEST(CopySetup, CopiesEveryNodeFileByteForByteAndReadsTheCurrentNode) {
  NodeRig t;
  t.dir.Write("node1.dat", nodes::FormatNodeFile(Defaults(), 1));
  t.dir.Write("KELD.DAT", "stays");
  TempDir source;
  NodeConfig theirs = Defaults();
  theirs.BbsName = "Their BBS";
  const std::string node1 = nodes::FormatNodeFile(theirs, 1);
  const std::vector<uint8_t> node2 = testsupport::RandomBytes(5000, 2);
  const std::vector<uint8_t> node3 = testsupport::RandomBytes(2048, 3);  // one whole block
  source.Write("NODE1.DAT", node1);
  source.Write("Node2.Dat", node2);
  source.Write("NODE3.DAT", node3);
  source.Write("KELD.DAT", "theirs");
  const std::string source_before = source.Snapshot();

  // From the node screen, in any letter case; only a space goes on.
  t.Configure("D" + platform::UpperCase(source.path()) + "\rx ");
  EXPECT_EQ(t.Shown(2), "BBS Name                    : Their BBS");  // the copy read again
  EXPECT_TRUE(t.rig.Showed("  COPYING Node2.Dat"));
  EXPECT_EQ(t.dir.Snapshot(),
            "KELD.DAT=stays\nNODE3.DAT=" + std::string(node3.begin(), node3.end()) +
                "\nNode2.Dat=" + std::string(node2.begin(), node2.end()) + "\nnode1.dat=" + node1 +
                "\n");                          // under the name it had here
  EXPECT_EQ(source.Snapshot(), source_before);  // the probe file is gone again
}

TEST(CopySetup, RefusesTheProgramDirectoryUnderAnySpellingAndPathsItCannotWriteTo) {
  NodeRig t;
  t.dir.Write("NODE1.DAT", nodes::FormatNodeFile(Defaults(), 1));
  platform::MakeDirectory(t.dir.File("sub"));
  TempDir elsewhere;
  const std::string program = t.dir.path();
  std::vector<std::string> spellings = {program.substr(0, program.size() - 1),
                                        platform::UpperCase(program) + "SUB/../"};
  // A link, where the system lets the tests make one (wine does not).
  std::error_code no_links;
  std::filesystem::create_directory_symlink(t.dir.path(), elsewhere.File("link"), no_links);
  if (!no_links) spellings.push_back(elsewhere.File("link/"));
  const std::string before = t.dir.Snapshot();
  NodeConfig c = Defaults();
  for (const std::string& spelling : spellings) {
    t.rig.console.shown.clear();
    CopyFrom(t, c, spelling, " ");
    EXPECT_TRUE(t.rig.Showed("You can't copy from that directory!")) << spelling;
    EXPECT_EQ(t.dir.Snapshot(), before) << spelling;
  }
  t.rig.console.Type(" \r");  // a blank answer returns at once: no message, no key
  nodes::CopySetup(t.rig.ui, t.run, c);
  EXPECT_EQ(t.rig.console.PendingKeys(), 0u);
  EXPECT_FALSE(t.rig.Showed("Invalid path"));
  CopyFrom(t, c, elsewhere.File("gone/"), " ");
  EXPECT_TRUE(t.rig.Showed("Invalid path"));
  EXPECT_EQ(t.dir.Snapshot(), before);
}

// A source that fails part-way stops the program with the report before
// the node file here is touched.
TEST(CopySetupDeathTest, AFailedReadLeavesTheNodeFileHereAsItWas) {
  NodeRig t;
  t.dir.Write("NODE1.DAT", nodes::FormatNodeFile(Defaults(), 1));
  TempDir source;
  source.Write("NODE1.DAT", testsupport::RandomBytes(5000, 4));
  const std::string before = t.dir.Snapshot();
  EXPECT_EXIT(
      {
        testsupport::ExpectProgramEnd();
        platform::InjectReadFailure(source.File("NODE1.DAT"), 3000, EIO);
        NodeConfig c = Defaults();
        CopyFrom(t, c, source.path(), " ");
      },
      testing::ExitedWithCode(0), "I/O error .* while reading .*NODE1.DAT");
  EXPECT_EQ(t.dir.Snapshot(), before);
}

}  // namespace
