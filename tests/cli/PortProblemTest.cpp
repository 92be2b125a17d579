#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "CliTestSupport.h"
#include "cli/PortProblem.h"

namespace tessaro::cli {
namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(DevicePortProblem, TheSystemsReasonAndTheGroupWhenPermissionLacks) {
  EXPECT_EQ(DevicePortProblemText(ENOENT), std::strerror(ENOENT));
  for (const int error : {EACCES, EPERM}) {
    const std::string text = DevicePortProblemText(error);
    EXPECT_EQ(text.rfind(std::strerror(error), 0), 0u) << text;
    EXPECT_TRUE(Has(text, "group dialout")) << text;
  }
  EXPECT_TRUE(Has(DevicePortProblemText(0), "in use by another program"));
}

#if !defined(_WIN32)
TEST(DevicePortProblem, AsksTheSystemAboutTheDevice) {
  testing::TestFolder folder;
  EXPECT_EQ(DevicePortProblem((folder.Path() / "gone").string()), std::strerror(ENOENT));
  EXPECT_EQ(DevicePortProblem("tessaro-no-such-tty"), std::string(std::strerror(ENOENT)) + " (/dev/tessaro-no-such-tty)")
      << "a bare name is a device in /dev";
  EXPECT_EQ(DevicePortProblem("/dev/null"), DevicePortProblemText(0));
  EXPECT_EQ(DevicePortProblem(""), "");
}
#endif

}  // namespace
}  // namespace tessaro::cli
