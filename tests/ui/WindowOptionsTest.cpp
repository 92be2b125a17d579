// The window program's command line: unknown switches are reported and
// passed by, never a reason not to open the window.
#include <gtest/gtest.h>

#include "app/WindowOptions.h"

namespace tessaro::testing {
namespace {

struct OptionsCase {
  const char* name;
  QStringList arguments;
  QStringList programArguments;
  int problems;
  bool help = false;
};

TEST(WindowOptionsTest, UnknownSwitchesAreReportedAndPassedBy) {
  const OptionsCase cases[] = {
      {"plain", {"/DEBUG"}, {"/DEBUG"}, 0},
      {"unknown switch", {"--verbose", "/LOG"}, {"/LOG"}, 1},
      {"two unknown", {"--x", "/DEBUG", "--y"}, {"/DEBUG"}, 2},
      {"bad number", {"--tab", "two", "/LOG"}, {"/LOG"}, 1},
      {"bad window", {"--window", "main"}, {}, 1},
      {"screenshot", {"--screenshot", "a.png", "--tab", "1"}, {}, 0},
      {"help", {"--help"}, {}, 0, true},
      {"help among others", {"/DEBUG", "--help", "--x"}, {"/DEBUG"}, 1, true},
      {"help only as a whole word", {"--helpful"}, {}, 1, false},
  };
  for (const OptionsCase& c : cases) {
    const WindowOptions options = ParseWindowOptions(QStringList{"tessaro-ip"} + c.arguments);
    EXPECT_EQ(options.programArguments, c.programArguments) << c.name;
    EXPECT_EQ(options.problems.size(), c.problems) << c.name;
    EXPECT_EQ(options.help, c.help) << c.name;
  }
  const WindowOptions unknown = ParseWindowOptions({"tessaro-ip", "--verbose"});
  ASSERT_EQ(unknown.problems.size(), 1);
  EXPECT_TRUE(unknown.problems[0].contains(QStringLiteral("--verbose")));
  const WindowOptions shot = ParseWindowOptions({"tessaro-ip", "--screenshot", "a.png", "--tab", "1"});
  EXPECT_EQ(shot.screenshot, QStringLiteral("a.png"));
  EXPECT_EQ(shot.tab, 1);
}

}  // namespace
}  // namespace tessaro::testing
