#include "tools/unit-sim/FrameParser.h"

#include <gtest/gtest.h>

#include "HexBytes.h"

namespace tessaro::unitsim {
namespace {

using testing::Concat;
using testing::Hex;
using Kind = ParseEvent::Kind;

const Bytes kRead21 = Hex("01 09 01 00 02 77 1F 15 1E 2A");
const Bytes kWrite21 = Hex("01 0D 01 00 02 57 1F 15 1E 77 1F 02 1E 90");

std::string Describe(const std::vector<ParseEvent>& events) {
  std::string text;
  for (const auto& e : events) {
    static constexpr const char* kNames[] = {"Frame", "Attention", "BadChecksum", "Malformed", "Incomplete", "Skipped"};
    if (!text.empty()) text += " | ";
    text += std::string(kNames[static_cast<int>(e.kind)]) + ": " + HexDump(e.bytes);
  }
  return text;
}

struct StreamRow {
  const char* name;
  Bytes input;
  std::string expected;  // Describe() of all events, including a final Flush()
};

class UnitSimParseStreamTest : public ::testing::TestWithParam<StreamRow> {};

TEST_P(UnitSimParseStreamTest, Events) {
  FrameParser parser;
  auto events = parser.Feed(GetParam().input);
  const auto tail = parser.Flush();
  events.insert(events.end(), tail.begin(), tail.end());
  EXPECT_EQ(Describe(events), GetParam().expected);
  EXPECT_FALSE(parser.HasPending());
}

INSTANTIATE_TEST_SUITE_P(
    Streams, UnitSimParseStreamTest,
    ::testing::Values(
        StreamRow{"ReadRequest", kRead21, "Frame: 01 09 01 00 02 77 1F 15 1E 2A"},
        StreamRow{"WriteRequest", kWrite21, "Frame: 01 0D 01 00 02 57 1F 15 1E 77 1F 02 1E 90"},
        StreamRow{"Attention", Hex("01 01 80 7F"), "Attention: 01 01 80 7F"},
        StreamRow{"AttentionThenRead", Concat(Hex("01 01 80 7F"), kRead21),
                  "Attention: 01 01 80 7F | Frame: 01 09 01 00 02 77 1F 15 1E 2A"},
        StreamRow{"GarbageBeforeFrame", Concat(Hex("33 44 00 FF"), kRead21),
                  "Skipped: 33 44 00 FF | Frame: 01 09 01 00 02 77 1F 15 1E 2A"},
        StreamRow{"BadChecksumIsNotAFrame", Hex("01 09 01 00 02 77 1F 15 1E 2B"),
                  "BadChecksum: 01 09 01 00 02 77 1F 15 1E 2B"},
        // The value byte went missing, so the next frame's SOH is taken as the
        // checksum; the next frame must still be found.
        StreamRow{"FrameBehindAShortOneIsRecovered",
                  Concat(Hex("01 0D 01 00 02 57 1F 15 1E 77 1F 1E 90"), kRead21),
                  "BadChecksum: 01 0D 01 00 02 57 1F 15 1E 77 1F 1E 90 01 | "
                  "Frame: 01 09 01 00 02 77 1F 15 1E 2A"},
        StreamRow{"WrongStxIsMalformed", Concat(Hex("01 09 01 00 06 77"), kRead21),
                  "Malformed: 01 09 01 00 06 | Skipped: 77 | Frame: 01 09 01 00 02 77 1F 15 1E 2A"},
        StreamRow{"LenTooSmallIsMalformed", Hex("01 05 01 00 02 F9"), "Malformed: 01 05 | Malformed: 01 00 | Skipped: 02 F9"},
        StreamRow{"AttentionWithWrongTail", Hex("01 01 80 7E"), "Malformed: 01 01 80 7E"},
        StreamRow{"CutOffFrameReportedOnFlush", Hex("01 09 01 00 02 77"), "Incomplete: 01 09 01 00 02 77"},
        // Bytes a line discipline would eat or translate: CR, LF, XON, XOFF, DEL, and separators as item numbers.
        StreamRow{"ReadItem13IsCarriageReturn", Hex("01 09 01 00 02 77 1F 0D 1E 32"),
                  "Frame: 01 09 01 00 02 77 1F 0D 1E 32"},
        StreamRow{"ReadItem17IsXon", Hex("01 09 01 00 02 77 1F 11 1E 2E"), "Frame: 01 09 01 00 02 77 1F 11 1E 2E"},
        StreamRow{"ReadItem31IsUnitSeparator", Hex("01 09 01 00 02 77 1F 1F 1E 20"),
                  "Frame: 01 09 01 00 02 77 1F 1F 1E 20"},
        StreamRow{"WriteValue7FAndItem10IsLineFeed", Hex("01 0D 01 00 02 57 1F 0A 1E 77 1F 7F 1E 1E"),
                  "Frame: 01 0D 01 00 02 57 1F 0A 1E 77 1F 7F 1E 1E"},
        StreamRow{"WriteItem1ValueSoh", Hex("01 0D 01 00 02 57 1F 01 1E 77 1F 01 1E A5"),
                  "Frame: 01 0D 01 00 02 57 1F 01 1E 77 1F 01 1E A5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitSimFrameParserTest, FrameCompletesOnlyWithItsChecksumByte) {
  FrameParser parser;
  for (std::size_t i = 0; i + 1 < kRead21.size(); ++i) {
    EXPECT_TRUE(parser.Feed(kRead21[i]).empty()) << "after byte " << i;
    EXPECT_TRUE(parser.HasPending());
  }
  const auto events = parser.Feed(kRead21.back());
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].kind, Kind::Frame);
  EXPECT_FALSE(parser.HasPending());
}

TEST(UnitSimFrameParserTest, CorruptFrameWithSohInsideDoesNotSwallowTheNextFrame) {
  // Item 1 value 1 with a bad checksum: the rescan meets SOH bytes inside
  // the data, and one of them claims a LEN that would run into the next frame.
  FrameParser parser;
  auto events = parser.Feed(Concat(Hex("01 0D 01 00 02 57 1F 01 1E 77 1F 01 1E 00"), kRead21));
  const auto quiet = parser.Flush();
  events.insert(events.end(), quiet.begin(), quiet.end());
  EXPECT_EQ(Describe(events),
            "BadChecksum: 01 0D 01 00 02 57 1F 01 1E 77 1F 01 1E 00 | Frame: 01 09 01 00 02 77 1F 15 1E 2A");
}

}  // namespace
}  // namespace tessaro::unitsim
