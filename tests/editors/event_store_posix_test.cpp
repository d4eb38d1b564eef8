// The crash test of a replace needs the ended child to leave its files in
// the parent's directory, which only a forked death test does.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "editors/editor_files.h"
#include "editors/event_store.h"
#include "editors/replace_via_temp.h"

namespace {

using editors::EventStore;
using editors::ReplaceStep;

// A crash at each point of a replace leaves the old file or the new one,
// always whole.
TEST(EventStore, AStopBetweenAnyTwoStepsLeavesAWholeFile) {
  const size_t size = editors::kEventRecordSize;
  for (ReplaceStep step :
       {ReplaceStep::kTempWritten, ReplaceStep::kTempSynced, ReplaceStep::kReplaced}) {
    testsupport::TempDir dir;
    const std::string records = editors_test::RandomFile(3, size, 5);
    const std::string a = records.substr(0, size), b = records.substr(size, size),
                      c = records.substr(2 * size);
    dir.Write("EVENTS.DAT", records);
    EXPECT_EXIT(
        {
          editors::SetReplaceStepHook([step](ReplaceStep at) {
            if (at == step) std::_Exit(0);
          });
          EventStore store(dir.path());
          if (store.Open()) store.RemoveRecord(2);
          std::_Exit(1);
        },
        testing::ExitedWithCode(0), "");
    std::string after = dir.Read("EVENTS.DAT");
    if (step == ReplaceStep::kReplaced)
      EXPECT_EQ(after, a + c);
    else
      EXPECT_EQ(after, a + b + c);
  }
}

}  // namespace
