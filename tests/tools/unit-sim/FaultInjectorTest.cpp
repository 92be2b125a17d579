#include "tools/unit-sim/FaultInjector.h"

#include <gtest/gtest.h>

#include "HexBytes.h"

namespace tessaro::unitsim {
namespace {

using testing::Hex;

const Bytes kReadReply = Hex("01 0D 01 00 06 57 1F 15 1E 77 1F 01 1E 8D");
const Bytes kWriteAck = Hex("01 06 01 00 06 57 9B");

FaultPlan PlanOf(FaultKind kind) {
  FaultPlan plan;
  plan.Add(kind);
  return plan;
}

struct MangleRow {
  const char* name;
  FaultKind kind;
  Bytes reply;
  const char* wire;
};

class UnitSimMangleTest : public ::testing::TestWithParam<MangleRow> {};

TEST_P(UnitSimMangleTest, BytesOnTheLine) {
  FaultInjector faults({}, 1);
  EXPECT_EQ(HexDump(faults.Mangle(PlanOf(GetParam().kind), GetParam().reply)), GetParam().wire);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, UnitSimMangleTest,
    ::testing::Values(
        MangleRow{"NoReply", FaultKind::NoReply, kReadReply, ""},
        MangleRow{"NoLen", FaultKind::NoLen, kReadReply, "01"},
        MangleRow{"BadChecksum", FaultKind::BadChecksum, kReadReply, "01 0D 01 00 06 57 1F 15 1E 77 1F 01 1E 8E"},
        MangleRow{"CutOffInsideData", FaultKind::CutOff, kReadReply, "01 0D 01 00 06 57 1F 15 1E"},
        MangleRow{"CutOffShortAnswer", FaultKind::CutOff, kWriteAck, "01 06 01 00 06"},
        // Intact but ends at offset 7: the item is there, the value is not.
        MangleRow{"ShortRead", FaultKind::Short, kReadReply, "01 08 01 00 06 57 1F 15 65"},
        MangleRow{"ShortLeavesShortAnswerAlone", FaultKind::Short, kWriteAck, "01 06 01 00 06 57 9B"},
        MangleRow{"AckOnly", FaultKind::AckOnly, kReadReply, "01 06 01 00 06 57 9B"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitSimFaultInjectorTest, TooLongIsAnIntact120ByteFrameKeepingTheFields) {
  FaultInjector faults({}, 1);
  const Bytes wire = faults.Mangle(PlanOf(FaultKind::TooLong), kReadReply);
  ASSERT_EQ(wire.size(), 120u);
  EXPECT_EQ(wire[1], 119);
  EXPECT_TRUE(SumsToZero(wire));
  EXPECT_EQ(Bytes(wire.begin() + 2, wire.begin() + 13), Bytes(kReadReply.begin() + 2, kReadReply.begin() + 13));
}

TEST(UnitSimFaultInjectorTest, NoiseComesBeforeTheFrameAndHasNoSoh) {
  FaultInjector faults({}, 7);
  for (int round = 0; round < 50; ++round) {
    const Bytes wire = faults.Mangle(PlanOf(FaultKind::Noise), kReadReply);
    ASSERT_GT(wire.size(), kReadReply.size());
    const std::size_t noise = wire.size() - kReadReply.size();
    EXPECT_LE(noise, 8u);
    EXPECT_EQ(Bytes(wire.begin() + static_cast<long>(noise), wire.end()), kReadReply);
    for (std::size_t i = 0; i < noise; ++i) EXPECT_NE(wire[i], kSoh);
  }
}

TEST(UnitSimFaultInjectorTest, CountLimitsTheRepliesHit) {
  FaultInjector faults({{FaultKind::Nack, 2}, {FaultKind::Noise, std::nullopt}, {FaultKind::NoLen, 1}}, 1);
  std::vector<std::string> plans;
  for (int i = 0; i < 4; ++i) plans.push_back(faults.NextPlan().Describe());
  EXPECT_EQ(plans, (std::vector<std::string>{"nack noise no-len", "nack noise", "noise", "noise"}));
}

TEST(UnitSimFaultInjectorTest, OptionsCarryTheSemanticFaults) {
  FaultPlan plan;
  plan.Add(FaultKind::OtherItem);
  EXPECT_TRUE(FaultInjector::OptionsFor(plan).answerNextItem);
  EXPECT_FALSE(FaultInjector::OptionsFor(plan).refuse);
  plan.Add(FaultKind::Nack);
  EXPECT_TRUE(FaultInjector::OptionsFor(plan).refuse);
}

struct SwitchRow {
  const char* text;
  bool valid;
  FaultKind kind;
  int count;  // 0 = unlimited
};

class UnitSimFaultSwitchTest : public ::testing::TestWithParam<SwitchRow> {};

TEST_P(UnitSimFaultSwitchTest, Parses) {
  const auto& row = GetParam();
  const auto fault = ParseFaultSwitch(row.text);
  ASSERT_EQ(fault.has_value(), row.valid) << row.text;
  if (!fault) return;
  EXPECT_EQ(fault->kind, row.kind);
  EXPECT_EQ(fault->count.value_or(0), row.count);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnitSimFaultSwitchTest,
                         ::testing::Values(SwitchRow{"no-reply", true, FaultKind::NoReply, 0},
                                           SwitchRow{"bad-checksum:3", true, FaultKind::BadChecksum, 3},
                                           SwitchRow{"other-item:1", true, FaultKind::OtherItem, 1},
                                           SwitchRow{"too-long", true, FaultKind::TooLong, 0},
                                           SwitchRow{"nack:0", false, FaultKind::Nack, 0},
                                           SwitchRow{"nack:", false, FaultKind::Nack, 0},
                                           SwitchRow{"nack:2x", false, FaultKind::Nack, 0},
                                           SwitchRow{"nack:-1", false, FaultKind::Nack, 0},
                                           SwitchRow{"NACK", false, FaultKind::Nack, 0},
                                           SwitchRow{"", false, FaultKind::Nack, 0}));

}  // namespace
}  // namespace tessaro::unitsim
