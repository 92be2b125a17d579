// The whole front end in-process: fake port, ticks on demand, no waiting.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/Commands.h"
#include "cli/Json.h"
#include "core/Items.h"
#include "tests/support/FakeBytePort.h"

namespace tessaro::cli {
namespace {

using testing::CountedTicks;
using testing::FixedClock;
using testing::PortRef;
using testing::ReadBytes;
using testing::RecordingConsole;
using testing::TestFolder;
using testing::WriteBytes;
using Bytes = std::vector<uint8_t>;

// A unit whose every read reply is longer than a reply may be: the engine
// asks again and again without ever counting a failure.
class ChatteringUnit final : public tessaro::testing::FakeBytePort {
 public:
  bool WriteByte(uint8_t value) override {
    if (!FakeBytePort::WriteByte(value)) return false;
    // A read request: SOH, LEN 9, ..., 'w' at offset 5, ten bytes in all.
    if (written.size() >= 10) {
      const auto frame = written.end() - 10;
      if (frame[0] == 0x01 && frame[1] == 0x09 && frame[5] == 0x77) {
        ++readRequests;
        Bytes reply(120, '.');
        reply[0] = 0x01;
        reply[1] = 119;
        Feed(reply);
      }
    }
    return true;
  }
  int readRequests = 0;
};

class CliInProcess : public ::testing::Test {
 protected:
  int Run(std::vector<std::string> args) {
    const CliWorld world{folder.Path(), clock, console, ticks,
                         [](int number) { return "dev-" + std::to_string(number); },
                         [this](DeviceNaming naming) -> std::unique_ptr<BytePort> {
                           openedDevice = naming(3);
                           return std::make_unique<PortRef>(*port);
                         }};
    return RunCli(args, world);
  }

  bool ErrHas(const std::string& text) const { return console.Err().find(text) != std::string::npos; }

  TestFolder folder;
  FixedClock clock{{2024, 3, 5, 14, 3, 7}};
  RecordingConsole console;
  CountedTicks ticks;
  ChatteringUnit chattering;
  tessaro::testing::FakeBytePort* port = &chattering;
  std::string openedDevice;
};

TEST_F(CliInProcess, APortThatDoesNotOpenEndsWithStatusTwoAndNoEngine) {
  chattering.failOpen = true;
  EXPECT_EQ(Run({"--port", "3", "read-all"}), ExitUsage);
  EXPECT_EQ(chattering.lastPortNumber, 0);
  EXPECT_GE(chattering.openCalls, 1);
  EXPECT_EQ(ticks.count, 0) << "the engine must not run";
  EXPECT_TRUE(chattering.written.empty());
  EXPECT_TRUE(ErrHas("tessaro-cli: cannot open the serial port COM3 (dev-3)")) << console.Err();
  EXPECT_EQ(console.out, "");
}

TEST_F(CliInProcess, PortAndLanguageHoldForThisRunOnly) {
  const std::string settings = "0        Compoort ->0\r\n1      Logfile ->2\r\n4       Taal ->0\r\n";
  WriteBytes(folder.Path() / "TessaroIP.set", settings);
  ticks.limit = 3;  // stopped at once, as by Ctrl-C
  EXPECT_EQ(Run({"--verbose", "--port", "3", "--lang", "de", "--device", "/dev/pts/9", "read", "21"}),
            ExitUnitFailed);
  EXPECT_EQ(chattering.lastPortNumber, 3);
  EXPECT_EQ(openedDevice, "/dev/pts/9");
  EXPECT_TRUE(ErrHas("Com: 3 ")) << "the start-up port line, logged as the file's Logfile asks\n" << console.Err();
  EXPECT_TRUE(ErrHas("Comport geschlossen durch Software.")) << console.Err();
  EXPECT_TRUE(ErrHas("tessaro-cli: interrupted"));
  EXPECT_TRUE(ErrHas("1 of 1 items were not read: 21"));
  EXPECT_EQ(ReadBytes(folder.Path() / "TessaroIP.set"), settings);
}

// Each test call and reset reopens the port; the port's own lines on that
// belong to --verbose. A failure is still reported, once.
TEST_F(CliInProcess, PortLinesOnlyWithVerbose) {
  EXPECT_EQ(Run({"reset"}), ExitUnitFailed);
  EXPECT_TRUE(ErrHas("14:03:07 ERROR: Time-out sending RESET command to unit (SOH) SOH.")) << console.Err();
  EXPECT_FALSE(ErrHas("Comport closed by software")) << console.Err();
  EXPECT_FALSE(ErrHas("opened with")) << console.Err();

  console.err.clear();
  EXPECT_EQ(Run({"--verbose", "reset"}), ExitUnitFailed);
  EXPECT_TRUE(ErrHas("14:03:07 Comport closed by software.")) << console.Err();
  EXPECT_TRUE(ErrHas("14:03:07 Com: 1 opened with: 9600,N,8,1")) << console.Err();
}

TEST_F(CliInProcess, EndlessTooLongRepliesAreGivenUpAfterTheStallTime) {
  EXPECT_EQ(Run({"read", "21"}), ExitUnitFailed);
  EXPECT_GT(chattering.readRequests, 3) << "too long replies are no failures to the engine";
  EXPECT_GE(ticks.count, StallTicks);
  EXPECT_LT(ticks.count, StallTicks + 50);
  EXPECT_TRUE(ErrHas("tessaro-cli: no progress for 20 s; the remaining requests were cancelled")) << console.Err();
  EXPECT_TRUE(ErrHas("1 of 1 items were not read: 21"));
  EXPECT_FALSE(console.progress.empty());
  EXPECT_EQ(console.progress.back(), "read: 0 of 1 items");
}

TEST_F(CliInProcess, MonitorPrintsTheUnitsLinesAndReportsTheLostPort) {
  chattering.Feed({'o', 'k', '\r', '\n', 'x', 0x00, '\r'});
  ticks.onTick = [this](long tick) {
    if (tick == 20) {
      chattering.HangUp();
      chattering.failOpen = true;
    }
  };
  EXPECT_EQ(Run({"--format", "json", "monitor", "--seconds", "1"}), ExitUnitFailed);
  EXPECT_EQ(ticks.count, 40);
  EXPECT_EQ(console.out,
            "{\"time\":\"14:03:07\",\"text\":\"ok\"}\n{\"time\":\"14:03:07\",\"text\":\"x[NULL]\"}\n");
  EXPECT_TRUE(ErrHas("Error opening Comport")) << console.Err();
  EXPECT_TRUE(ErrHas("{\"error\":\"the serial port COM1 (dev-1) was lost\",\"item\":null}\n")) << console.Err();
  EXPECT_FALSE(ErrHas("x[NULL]")) << "unit lines go to standard output only";
}

// A whole unit settings file of zeros and empty texts, then `extra`.
std::string UnitFile(const std::string& extra) {
  std::string bytes;
  for (int item = 0; item <= LastUnitItem; ++item) bytes += std::to_string(item) + "    ->" + (item < 150 ? "0" : "") + "\r\n";
  return bytes + extra;
}

TEST_F(CliInProcess, ShowNeedsNoPortAndRefusesAFileThatCannotBeLoaded) {
  const std::string file = (folder.Path() / "big.cfg").string();
  WriteBytes(file, UnitFile("21    ->70000\r\n"));
  EXPECT_EQ(Run({"show", file}), ExitUsage);
  EXPECT_EQ(chattering.openCalls, 0);
  EXPECT_EQ(console.Err(), "tessaro-cli: " + file +
                               ", line 251: item 21 must be a whole number from -32768 to 32767, not \"70000\".\n");
  EXPECT_EQ(console.out, "");
}

// A value the screen would refuse is named in the language of the run,
// the file is not shown, and nothing is written.
TEST_F(CliInProcess, ValuesOutsideTheListsRefuseTheFile) {
  const std::string file = (folder.Path() / "odd.cfg").string();
  WriteBytes(file, UnitFile("10    ->7\r\n41    ->30\r\n"));
  EXPECT_EQ(Run({"--lang", "de", "show", file}), ExitUsage);
  EXPECT_EQ(console.Err(),
            "tessaro-cli: " + file + ", Zeile 251: Item 10 enth\xC3\xA4lt 7, was die Einstellung nicht anbietet.\n");
  EXPECT_EQ(console.out, "");

  console.err.clear();
  EXPECT_EQ(Run({"--format", "json", "write-all", file}), ExitUsage);
  EXPECT_EQ(console.Err(), "{\"error\":" + JsonString(file + ", line 251: item 10 holds 7, which its setting does not offer.") +
                               ",\"item\":10}\n");
  EXPECT_EQ(chattering.openCalls, 0) << "the file is refused before the port opens";
  EXPECT_EQ(ticks.count, 0);
  EXPECT_TRUE(chattering.written.empty());
}

TEST_F(CliInProcess, ShowPrintsTheSubnetBeyondItsListAsTheWindowShowsIt) {
  const std::string file = (folder.Path() / "subnet.cfg").string();
  WriteBytes(file, UnitFile("41    ->30\r\n150    ->AA:BB\r\n"));
  EXPECT_EQ(Run({"show", file}), ExitDone) << console.Err();
  EXPECT_EQ(console.Err(), "");
  EXPECT_NE(console.out.find("30  Default for Class A/B/C\n"), std::string::npos) << console.out;
  EXPECT_NE(console.out.find("150  MAC Address"), std::string::npos) << console.out;
  EXPECT_EQ(std::count(console.out.begin(), console.out.end(), '\n'), 32) << "one line per readable item";
}

}  // namespace
}  // namespace tessaro::cli
