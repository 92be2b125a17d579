#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/ConsoleSeams.h"

namespace tessaro::cli {
namespace {

using testing::RecordingConsole;
using Lines = std::vector<std::string>;

struct ProgressRow {
  const char* name;
  std::vector<std::string> appends;  // the engine's pieces, in order
  Lines lines;                       // what standard error gets, flushed at the end
};

void PrintTo(const ProgressRow& row, std::ostream* out) { *out << row.name; }

class ProgressBoxLines : public ::testing::TestWithParam<ProgressRow> {};

TEST_P(ProgressBoxLines, BecomeWholeLinesOnStandardError) {
  RecordingConsole console;
  ConsoleEngineScreen screen(console);
  for (const std::string& piece : GetParam().appends) screen.AppendProgress(piece);
  screen.FlushProgress();
  EXPECT_EQ(console.err, GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ProgressBoxLines,
    ::testing::Values(
        ProgressRow{"ReadLineInTwoPieces", {"Reading of Item: 21  ", "ESPA mode: Espa 4.4.4. OUT OK\r\n"},
                    {"Reading of Item: 21  ESPA mode: Espa 4.4.4. OUT OK"}},
        ProgressRow{"LineEndSplitAcrossPieces", {"a\r", "\nb\r\n"}, {"a", "b"}},
        ProgressRow{"BlankLinesOnlySpaceTheBox", {"\r\nCancelled!\r\n", "\r\n", "  \r\n"}, {"Cancelled!"}},
        ProgressRow{"UnendedLineComesOutAtTheEnd", {"Writing of Subnet: 255.0.0.0"},
                    {"Writing of Subnet: 255.0.0.0"}},
        ProgressRow{"TextConvertedForTheTerminal", {"Lesen von Item: 13  ESPA Parit\xE4t: Keine OK\r\n"},
                    {"Lesen von Item: 13  ESPA Parit\xC3\xA4t: Keine OK"}}),
    [](const ::testing::TestParamInfo<ProgressRow>& info) { return info.param.name; });

TEST(ConsoleEngineScreen, HandsTheTestCallInputsToTheEngine) {
  RecordingConsole console;
  ConsoleEngineScreen screen(console);
  EXPECT_EQ(screen.TestBleepCode(), 1) << "the window's list starts on entry 1";
  screen.SetTestCall("1234", "h\xE9llo", 15);
  EXPECT_EQ(screen.TestPagerAddress(), "1234");
  EXPECT_EQ(screen.TestPagerDisplayInfo(), "h\xE9llo");
  EXPECT_EQ(screen.TestBleepCode(), 15);
  EXPECT_FALSE(screen.HasVisibleRow(21)) << "no rows before the settings routines are attached";
}

TEST(ConsoleDialogs, PrintEachBoxOnOneLineAndKeepIt) {
  RecordingConsole console;
  ConsoleDialogs dialogs(console);
  dialogs.ShowCriticalError("ERROR writing settings to unit.\r\nWriting of settings aborted.!", "Tessaro-IP");
  ASSERT_EQ(dialogs.Shown().size(), 1u);
  EXPECT_EQ(dialogs.Shown()[0], "ERROR writing settings to unit. Writing of settings aborted.!");
  EXPECT_EQ(console.err, Lines{"tessaro-cli: ERROR writing settings to unit. Writing of settings aborted.!"});
  dialogs.Forget();
  EXPECT_TRUE(dialogs.Shown().empty());
}

}  // namespace
}  // namespace tessaro::cli
