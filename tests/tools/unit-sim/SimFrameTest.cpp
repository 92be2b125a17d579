#include "tools/unit-sim/SimFrame.h"

#include <gtest/gtest.h>

#include "HexBytes.h"

namespace tessaro::unitsim {
namespace {

using testing::Hex;

struct BuildRow {
  const char* name;
  const char* data;   // data part after STX
  const char* frame;  // the complete request, worked out by hand
};

class UnitSimBuildRequestTest : public ::testing::TestWithParam<BuildRow> {};

TEST_P(UnitSimBuildRequestTest, FrameMatchesHandWorkedBytes) {
  const auto& row = GetParam();
  EXPECT_EQ(HexDump(BuildFrame(kStx, Hex(row.data))), row.frame);
  EXPECT_TRUE(SumsToZero(Hex(row.frame)));
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, UnitSimBuildRequestTest,
    ::testing::Values(
        BuildRow{"ReadItem21", "77 1F 15 1E", "01 09 01 00 02 77 1F 15 1E 2A"},
        BuildRow{"WriteItem21Value2", "57 1F 15 1E 77 1F 02 1E", "01 0D 01 00 02 57 1F 15 1E 77 1F 02 1E 90"},
        BuildRow{"WriteItem23Value120", "57 1F 17 1E 77 1F 78 1E", "01 0D 01 00 02 57 1F 17 1E 77 1F 78 1E 18"},
        BuildRow{"WriteInt100Value1000", "57 1F 64 1E 77 1F E8 03 1E",
                 "01 0E 01 00 02 57 1F 64 1E 77 1F E8 03 1E 57"},
        BuildRow{"WriteTekst150Abc", "57 1F 96 1E 77 1F 61 62 63 1E",
                 "01 0F 01 00 02 57 1F 96 1E 77 1F 61 62 63 1E E9"},
        BuildRow{"CallStatus", "32", "01 06 01 00 02 32 C4"},
        BuildRow{"Reset", "52", "01 06 01 00 02 52 A4"},
        BuildRow{"Call", "41 1F 33 1E 31 1F 31 32 33 34 1E 32 1F 61 62 63 1E 33 1F 35 1E",
                 "01 1A 01 00 02 41 1F 33 1E 31 1F 31 32 33 34 1E 32 1F 61 62 63 1E 33 1F 35 1E BF"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitSimChecksumTest, IsZeroWhenTheBytesAlreadySumToZero) {
  EXPECT_EQ(ChecksumFor(Hex("01 FF")), 0x00);
  EXPECT_EQ(ChecksumFor(Hex("80 80")), 0x00);
  EXPECT_EQ(ChecksumFor(Hex("01")), 0xFF);
}

TEST(UnitSimChecksumTest, AttentionFrameDoesNotSumToZero) {
  // Fixed bytes that break the rule on purpose; a checksum test must not accept them.
  EXPECT_FALSE(SumsToZero(kAttentionFrame));
}

TEST(UnitSimBuildFrameTest, RefusesDataLongerThanLenCanDescribe) {
  EXPECT_EQ(BuildFrame(kAck, Bytes(kMaxDataBytes, 'x')).size(), kMaxDataBytes + kDataOffset + 1);
  EXPECT_TRUE(BuildFrame(kAck, Bytes(kMaxDataBytes + 1, 'x')).empty());
}

TEST(UnitSimHexDumpTest, UpperCasePairsSeparatedByBlanks) {
  EXPECT_EQ(HexDump(Hex("00 0a ff 7F")), "00 0A FF 7F");
  EXPECT_EQ(HexDump({}), "");
}

}  // namespace
}  // namespace tessaro::unitsim
