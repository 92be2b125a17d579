#include "tools/unit-sim/SimOptions.h"

#include <gtest/gtest.h>

namespace tessaro::unitsim {
namespace {

SimOptions Parsed(const std::vector<std::string>& args) {
  const auto result = ParseSimOptions(args);
  EXPECT_TRUE(result.options) << result.error;
  return result.options.value_or(SimOptions{});
}

TEST(UnitSimOptionsTest, Defaults) {
  const SimOptions o = Parsed({});
  EXPECT_TRUE(o.device.empty());
  EXPECT_TRUE(o.link.empty());
  EXPECT_DOUBLE_EQ(o.statusEverySeconds, 5.0);
  EXPECT_TRUE(o.pace);
  EXPECT_FALSE(o.hex);
  EXPECT_TRUE(o.faults.empty());
  EXPECT_FALSE(o.hangupAfter);
  EXPECT_FALSE(o.quitAfterSeconds);
}

TEST(UnitSimOptionsTest, EveryOptionInBothSpellings) {
  const SimOptions o = Parsed({"--device", "/dev/ttyUSB0", "--link=/tmp/unit", "--status-every", "0.5", "--no-pace",
                               "--hex", "--fault", "nack:2", "--fault=noise", "--hangup-after", "3",
                               "--return-after=1.5", "--quit-after", "20", "--set", "21=2", "--set=154=10.0.0.1",
                               "--seed", "42"});
  EXPECT_EQ(o.device, "/dev/ttyUSB0");
  EXPECT_EQ(o.link, "/tmp/unit");
  EXPECT_DOUBLE_EQ(o.statusEverySeconds, 0.5);
  EXPECT_FALSE(o.pace);
  EXPECT_TRUE(o.hex);
  ASSERT_EQ(o.faults.size(), 2u);
  EXPECT_EQ(o.faults[0].kind, FaultKind::Nack);
  EXPECT_EQ(o.faults[0].count, 2);
  EXPECT_EQ(o.faults[1].kind, FaultKind::Noise);
  EXPECT_FALSE(o.faults[1].count);
  EXPECT_EQ(o.hangupAfter, 3);
  EXPECT_EQ(o.returnAfterSeconds, 1.5);
  EXPECT_EQ(o.quitAfterSeconds, 20.0);
  EXPECT_EQ(o.presets, (std::vector<std::pair<int, std::string>>{{21, "2"}, {154, "10.0.0.1"}}));
  EXPECT_EQ(o.seed, 42u);
}

struct BadRow {
  const char* name;
  std::vector<std::string> args;
};

class UnitSimBadOptionsTest : public ::testing::TestWithParam<BadRow> {};

TEST_P(UnitSimBadOptionsTest, RefusedWithAReason) {
  const auto result = ParseSimOptions(GetParam().args);
  EXPECT_FALSE(result.options);
  EXPECT_FALSE(result.error.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Args, UnitSimBadOptionsTest,
    ::testing::Values(BadRow{"Unknown", {"--frobnicate"}}, BadRow{"MissingValue", {"--link"}},
                      BadRow{"FlagWithValue", {"--hex=1"}}, BadRow{"NegativeSeconds", {"--quit-after", "-1"}},
                      BadRow{"NotSeconds", {"--status-every", "soon"}}, BadRow{"NanSeconds", {"--quit-after", "nan"}},
                      BadRow{"ZeroHangup", {"--hangup-after", "0"}}, BadRow{"UnknownFault", {"--fault", "melt"}},
                      BadRow{"ReturnWithoutHangup", {"--return-after", "1"}},
                      BadRow{"SetWithoutEquals", {"--set", "21"}}, BadRow{"SetItemTooHigh", {"--set", "250=1"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitSimOptionsTest, UsageNamesEveryFaultKind) {
  const std::string usage = UsageText();
  for (const char* kind : {"no-reply", "no-len", "bad-checksum", "nack", "too-long", "cut-off", "noise",
                           "other-item", "short", "ack-only"}) {
    EXPECT_NE(usage.find(kind), std::string::npos) << kind;
  }
}

}  // namespace
}  // namespace tessaro::unitsim
