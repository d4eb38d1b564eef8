// How a POSIX program finds itself: from argv[0].
#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"

namespace {

TEST(ExecutablePath, RelativeStartsAreMadeAbsoluteWithoutResolvingLinks) {
  std::string path = platform::ExecutablePath("./sub/../keldcfg");
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/');
  EXPECT_EQ(path.substr(path.size() - 8), "/keldcfg");
  EXPECT_EQ(path.find("/./"), std::string::npos);
  EXPECT_EQ(platform::ExecutablePath("/opt/keld/keldcfg"), "/opt/keld/keldcfg");
}

}  // namespace
