// The program's protocol engine against the simulated unit: the exchanges a
// user starts from the window, end to end over a pseudo-terminal.

#include <algorithm>

#include "tests/e2e/ProtocolE2eFixture.h"

namespace tessaro::testing {
namespace {

const std::string kReadAllDone = "Reading of all settings successfull.";
const std::string kWriteAllDone = "Writing of all settings successfull.";

std::string ReadLine(int16_t item, const std::string& row) {
  return "Reading of Item: " + std::to_string(item) + "  " + row + " OK";
}

TEST_F(ProtocolE2eTest, ReadAllBringsEveryReadableItemFromTheUnit) {
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace", "--hex"}));

  Engine().ReadAllRequest = true;
  ASSERT_TRUE(RunUntilSettled(4000)) << Transcript();

  const auto profile = UnitProfile();
  ASSERT_EQ(profile.size(), 32u);
  const auto progress = SplitCrLf(screen.progress);
  ASSERT_EQ(progress.size(), profile.size()) << screen.progress;
  for (std::size_t i = 0; i < profile.size(); ++i) {
    const UnitSetting& setting = profile[i];
    const auto index = static_cast<std::size_t>(setting.item);
    SCOPED_TRACE("item " + std::to_string(setting.item));
    EXPECT_EQ(Store().UnitValues[index].TextValue(), setting.decoded);
    EXPECT_EQ(Store().ItemValues[index].TextValue(), setting.decoded);
    EXPECT_EQ(progress[i], ReadLine(setting.item, Row(setting.item)));
    EXPECT_EQ(sim.Count(ReadRequestLine(setting.item)), 1u) << "each item is asked for once";
  }
  // The screen follows: a text box, a combo position, a diagnostics row.
  EXPECT_EQ(controls.CharBox(23).text, "120");
  EXPECT_EQ(controls.Combo(18).selected, 11);
  EXPECT_EQ(controls.TekstBox(4).text, "10.20.30.2");

  ASSERT_GE(lines.size(), 3u);
  EXPECT_EQ(lines[0], kComClosedLine);
  EXPECT_EQ(lines[1], kComOpenedLine);
  EXPECT_EQ(lines.back(), kReadAllDone);
  EXPECT_EQ(CountLines(kReadAllDone), 1u);
  std::size_t readReports = 0;
  for (const auto& line : lines) readReports += line.rfind("Read from unit:  [Item: ", 0) == 0 ? 1 : 0;
  EXPECT_EQ(readReports, profile.size());
  EXPECT_EQ(Engine().FailCount, 0);
  EXPECT_FALSE(screen.barVisible);
  EXPECT_TRUE(dialogs.criticalErrors.empty());
  EXPECT_EQ(sim.Count("RX 01 01 80 7F"), 1u) << "one attention frame after the quiet start";
}

// A value put on the settings screen, and what the unit then holds (as its
// SET line shows it).
struct ScreenValue {
  int16_t item;
  int value;
  const char* unitHolds;
};

std::vector<ScreenValue> WriteAllValues() {
  return {
      {0, 1, "1"},     {5, 7, "7"},     {7, 20, "20"},   {10, 1, "1"},    {11, 1, "1"},    {12, 0, "0"},
      {13, 1, "1"},    {14, 2, "2"},    {15, 1, "1"},    {17, 0, "0"},
      {18, 16, "70"},  // fixed info digit F, kept as its character
      {19, 3, "3"},    {20, 15, "15"},  {21, 3, "3"},    {22, 0, "0"},    {23, 90, "90"},  {31, 172, "172"},
      {32, 16, "16"},  {33, 5, "5"},    {34, 9, "9"},    {35, 16, "16"},  {36, 39, "39"},  {37, 172, "172"},
      {38, 16, "16"},  {39, 5, "5"},    {40, 1, "1"},    {41, 8, "8"},
  };
}

TEST_F(ProtocolE2eTest, WriteAllSendsEveryWritableItemAndReadsBackTheSame) {
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace"}));
  const auto values = WriteAllValues();
  ASSERT_EQ(values.size(), 27u);
  for (const auto& v : values) ShowOnScreen(v.item, v.value);
  ASSERT_TRUE(dialogs.criticalErrors.empty()) << dialogs.criticalErrors.front().text;

  ScreenToAllItems(program->Screen);
  Engine().WriteAll({Store().ItemValues, false});
  ASSERT_TRUE(RunUntilSettled(4000)) << Transcript();

  std::vector<std::string> setLines;
  for (const auto& line : sim.Lines()) {
    if (line.rfind("SET ", 0) == 0) setLines.push_back(line);
  }
  ASSERT_EQ(setLines.size(), values.size()) << sim.Transcript();
  const auto progress = SplitCrLf(screen.progress);
  ASSERT_EQ(progress.size(), values.size()) << screen.progress;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const ScreenValue& v = values[i];
    SCOPED_TRACE("item " + std::to_string(v.item));
    EXPECT_EQ(setLines[i], "SET " + std::to_string(v.item) + " " + v.unitHolds);
    EXPECT_EQ(progress[i], "Writing of " + Row(v.item) + " -> Saved.");
    EXPECT_EQ(Store().UnitValues[static_cast<std::size_t>(v.item)].NumberValue(), v.value);
  }
  EXPECT_EQ(sim.Count("REFUSED"), 0u) << sim.Transcript();
  EXPECT_EQ(lines.back(), kWriteAllDone);
  EXPECT_EQ(CountLines(kWriteAllDone), 1u);

  // What the unit now holds comes back as what was on the screen.
  lines.clear();
  screen.progress.clear();
  Engine().ReadAllRequest = true;
  ASSERT_TRUE(RunUntilSettled(4000)) << Transcript();
  for (const auto& v : values) {
    SCOPED_TRACE("item " + std::to_string(v.item));
    EXPECT_EQ(Store().UnitValues[static_cast<std::size_t>(v.item)].TextValue(), std::to_string(v.value));
  }
  EXPECT_EQ(lines.back(), kReadAllDone);
}

TEST_F(ProtocolE2eTest, SingleReadAndWriteOfOneSetting) {
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace", "--hex"}));

  Store().ItemStatus[23] = RequestRead;
  ASSERT_TRUE(RunUntilSettled(500)) << Transcript();
  EXPECT_EQ(Store().UnitValues[23].TextValue(), "120");
  EXPECT_EQ(controls.CharBox(23).text, "120");
  EXPECT_EQ(screen.progress, ReadLine(23, Row(23)) + "\r\n");
  EXPECT_TRUE(HasLine("Read from unit:  [Item: 23 Value: 120] " + Row(23) + " OK")) << Transcript();
  // The quiet line is woken first, then the request follows.
  const auto& unit = sim.Lines();
  const auto attention = std::find(unit.begin(), unit.end(), "RX 01 01 80 7F");
  ASSERT_NE(attention, unit.end()) << sim.Transcript();
  ASSERT_NE(attention + 1, unit.end());
  EXPECT_EQ(*(attention + 1), ReadRequestLine(23));

  screen.progress.clear();
  controls.CharBox(23).text = "150";
  program->Screen.ScreenToItem(23);
  Store().ItemStatus[23] = RequestWrite;
  ASSERT_TRUE(RunUntilSettled(500)) << Transcript();
  EXPECT_EQ(sim.Count("SET 23 150"), 1u) << sim.Transcript();
  EXPECT_EQ(sim.Count("RX " + HexBytes(Checksummed({0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x17, 0x1E, 0x77,
                                                    0x1F, 0x96, 0x1E}))),
            1u)
      << sim.Transcript();
  EXPECT_EQ(screen.progress, "Writing of " + Row(23) + " -> Saved.\r\n");
  EXPECT_EQ(Store().UnitValues[23].NumberValue(), 150);

  Store().ItemStatus[23] = RequestRead;
  ASSERT_TRUE(RunUntilSettled(500)) << Transcript();
  EXPECT_EQ(Store().UnitValues[23].TextValue(), "150");
}

TEST_F(ProtocolE2eTest, DiagnosticsReadTheFiveNetworkTexts) {
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace"}));

  for (int16_t item = 150; item <= 154; ++item) Store().ItemStatus[static_cast<std::size_t>(item)] = RequestRead;
  ASSERT_TRUE(RunUntilSettled(1000)) << Transcript();

  const auto progress = SplitCrLf(screen.progress);
  ASSERT_EQ(progress.size(), 5u) << screen.progress;
  std::size_t row = 0;
  for (const auto& setting : UnitProfile()) {
    if (setting.item < 150) continue;
    SCOPED_TRACE("item " + std::to_string(setting.item));
    EXPECT_EQ(Store().UnitValues[static_cast<std::size_t>(setting.item)].TextValue(), setting.decoded);
    EXPECT_EQ(controls.TekstBox(setting.item - 150).text, setting.decoded);
    EXPECT_EQ(progress[row++], ReadLine(setting.item, Row(setting.item)));
  }
  // Texts are reported with their own tag.
  EXPECT_TRUE(HasLine("Read from unit:  [Item: 154 Waarde: 10.20.30.2] " + Row(154) + " OK")) << Transcript();
}

TEST_F(ProtocolE2eTest, TestCallReachesTheUnitWithItsSequenceNumber) {
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace"}));
  const std::string succeeded = "STATUS: Call Pager via Tessaro-IP succeeded.";

  screen.pagerAddress = "1234";
  screen.pagerMessage = "abc";
  screen.bleepCode = 5;
  Engine().TestCallRequest = true;
  ASSERT_TRUE(RunUntilSettled(1000)) << Transcript();
  const auto first = sim.WaitForLine("CALL ", 2s);
  ASSERT_TRUE(first) << sim.Transcript();
  EXPECT_EQ(*first, "CALL sequence=0 address=1234 bleep=5 message=abc");
  EXPECT_EQ(lines, (std::vector<std::string>{kComClosedLine, kComOpenedLine, succeeded}));

  // Address cut to ten characters, no message record, no beep code chosen.
  screen.pagerAddress = "98765432101";
  screen.pagerMessage.clear();
  screen.bleepCode = -1;
  Engine().TestCallRequest = true;
  ASSERT_TRUE(RunUntilSettled(1000)) << Transcript();
  const auto second = sim.WaitForLine("CALL sequence=1", 2s);
  ASSERT_TRUE(second) << sim.Transcript();
  EXPECT_EQ(*second, "CALL sequence=1 address=9876543210 bleep=FFFF");

  EXPECT_EQ(CountLines(succeeded), 2u);
  EXPECT_EQ(sim.Count("WARN"), 0u) << "the call carries the sequence of its status reply\n" << sim.Transcript();
  EXPECT_TRUE(screen.progress.empty()) << screen.progress;
  EXPECT_EQ(Engine().FailCount, 0);
}

TEST_F(ProtocolE2eTest, ResetIsAcknowledgedAndTheBootTextShowsAsMessageLines) {
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace"}));

  Engine().ResetRequest = true;
  ASSERT_TRUE(RunUntilSettled(1000)) << Transcript();
  ASSERT_TRUE(Run([&] { return HasLine("ESPA link up"); }, 2000)) << Transcript();

  EXPECT_EQ(sim.Count("RESET"), 1u) << sim.Transcript();
  EXPECT_EQ(lines, (std::vector<std::string>{kComClosedLine, kComOpenedLine, "STATUS: RESET command sent to unit.",
                                             "Tessaro-IP converter starting", "MAC 02:00:5E:10:20:30",
                                             "IP 10.20.30.40 mask 255.255.0.0 gateway 10.20.30.1",
                                             "ESPA link up"}));
  EXPECT_TRUE(screen.progress.empty()) << screen.progress;
  EXPECT_EQ(Engine().FailCount, 0);
}

// At the real line speed and the window's tick, replies take several ticks
// to come in, in pieces.
TEST_F(ProtocolE2eTest, PacedLineAtTheProgramsTickRate) {
  UseProgramTickPeriod();
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({}));

  Store().ItemStatus[150] = RequestRead;
  Store().ItemStatus[23] = RequestRead;
  ASSERT_TRUE(RunUntilSettled(200)) << Transcript();
  EXPECT_EQ(Store().UnitValues[150].TextValue(), "02:00:5E:10:20:30");
  EXPECT_EQ(Store().UnitValues[23].TextValue(), "120");
  const std::string readLines = screen.progress;

  controls.CharBox(23).text = "45";
  program->Screen.ScreenToItem(23);
  Store().ItemStatus[23] = RequestWrite;
  ASSERT_TRUE(RunUntilSettled(200)) << Transcript();
  EXPECT_TRUE(sim.WaitForLine("SET 23 45", 2s)) << sim.Transcript();

  EXPECT_EQ(SplitCrLf(readLines), (std::vector<std::string>{ReadLine(23, program->Screen.Legend(23) + " 120"),
                                                             ReadLine(150, Row(150))}));
  EXPECT_EQ(screen.progress, readLines + "Writing of " + Row(23) + " -> Saved.\r\n");
  EXPECT_EQ(Engine().FailCount, 0);
}

}  // namespace
}  // namespace tessaro::testing
