#include "tools/unit-sim/UnitResponder.h"

#include <gtest/gtest.h>

#include "HexBytes.h"

namespace tessaro::unitsim {
namespace {

using testing::Hex;

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& l : lines) text += (text.empty() ? "" : " | ") + l;
  return text;
}

class UnitSimResponderTest : public ::testing::Test {
 protected:
  UnitReply Send(const std::string& request, const ReplyOptions& options = {}) {
    return unit.Handle(Hex(request), options);
  }
  ItemStore store;
  UnitResponder unit{store};
};

struct ExchangeRow {
  const char* name;
  const char* request;
  const char* reply;
  const char* notes;
};

class UnitSimSingleExchangeTest : public UnitSimResponderTest, public ::testing::WithParamInterface<ExchangeRow> {};

TEST_P(UnitSimSingleExchangeTest, ReplyBytesAndNotes) {
  const auto& row = GetParam();
  const UnitReply reply = Send(row.request);
  EXPECT_EQ(HexDump(reply.frame), row.reply);
  EXPECT_TRUE(SumsToZero(reply.frame));
  EXPECT_EQ(Joined(reply.notes), row.notes);
}

// Replies worked out by hand from the frame layout (factory values of a fresh unit).
INSTANTIATE_TEST_SUITE_P(
    FreshUnit, UnitSimSingleExchangeTest,
    ::testing::Values(
        ExchangeRow{"ReadCharItem21", "01 09 01 00 02 77 1F 15 1E 2A",
                    "01 0D 01 00 06 57 1F 15 1E 77 1F 01 1E 8D", ""},
        ExchangeRow{"ReadPortLowByte35", "01 09 01 00 02 77 1F 23 1E 1C",
                    "01 0D 01 00 06 57 1F 23 1E 77 1F D0 1E B0", ""},
        ExchangeRow{"ReadIntItemLowHigh", "01 09 01 00 02 77 1F 64 1E DB",
                    "01 0E 01 00 06 57 1F 64 1E 77 1F 00 00 1E 3E", ""},
        ExchangeRow{"ReadMacText", "01 09 01 00 02 77 1F 96 1E A9",
                    "01 1D 01 00 06 57 1F 96 1E 77 1F 30 30 3A 31 45 3A 43 30 3A 34 41 3A 32 31 3A 37 46 1E 3D", ""},
        ExchangeRow{"ReadUnknownCharIsZero", "01 09 01 00 02 77 1F 03 1E 3C",
                    "01 0D 01 00 06 57 1F 03 1E 77 1F 00 1E A0", ""},
        ExchangeRow{"ReadUnknownTekstIsEmpty", "01 09 01 00 02 77 1F A0 1E 9F", "01 0C 01 00 06 57 1F A0 1E 77 1F 1E 04",
                    ""},
        ExchangeRow{"WriteAccepted", "01 0D 01 00 02 57 1F 15 1E 77 1F 02 1E 90", "01 06 01 00 06 57 9B", "SET 21 2"},
        ExchangeRow{"WriteItem18HexDigitA", "01 0D 01 00 02 57 1F 12 1E 77 1F 41 1E 54", "01 06 01 00 06 57 9B",
                    "SET 18 65"},
        ExchangeRow{"WriteItem18NotHexRefused", "01 0D 01 00 02 57 1F 12 1E 77 1F 47 1E 4E", "01 06 01 00 15 57 8C",
                    "REFUSED 18 47: not a hex digit"},
        ExchangeRow{"WriteAboveChoiceListRefused", "01 0D 01 00 02 57 1F 15 1E 77 1F 04 1E 8E",
                    "01 06 01 00 15 57 8C", "REFUSED 21 04: value above 3"},
        ExchangeRow{"WriteCharWithTwoBytesRefused", "01 0E 01 00 02 57 1F 15 1E 77 1F 02 00 1E 8F",
                    "01 06 01 00 15 57 8C", "REFUSED 21 02 00: a byte item needs exactly one value byte"},
        ExchangeRow{"WriteDiagnosticTextRefused", "01 0F 01 00 02 57 1F 97 1E 77 1F 61 62 63 1E E8",
                    "01 06 01 00 15 57 8C", "REFUSED 151 61 62 63: read-only item"},
        ExchangeRow{"WriteFreeText", "01 0F 01 00 02 57 1F 9B 1E 77 1F 61 62 63 1E E4", "01 06 01 00 06 57 9B",
                    "SET 155 abc"},
        ExchangeRow{"WriteItem250Refused", "01 0D 01 00 02 57 1F FA 1E 77 1F 00 1E AD", "01 06 01 00 15 57 8C",
                    "REFUSED 250 00: no such item"},
        ExchangeRow{"WriteInt", "01 0E 01 00 02 57 1F 64 1E 77 1F E8 03 1E 57", "01 06 01 00 06 57 9B",
                    "SET 100 1000"},
        ExchangeRow{"FirstCallStatusIsZero", "01 06 01 00 02 32 C4", "01 09 01 00 06 32 1F 30 1E 50", ""},
        ExchangeRow{"Reset", "01 06 01 00 02 52 A4", "01 06 01 00 06 52 A0", "RESET"},
        ExchangeRow{"UnknownRequestRefused", "01 06 01 00 02 58 9E", "01 06 01 00 15 58 8B", "REFUSED unknown request 58"},
        ExchangeRow{"ReadWithExtraByteRefused", "01 0A 01 00 02 77 1F 15 1E 00 29", "01 06 01 00 15 77 6C",
                    "REFUSED malformed read 77 1F 15 1E 00"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnitSimResponderTest, WrittenValuesAreReadBack) {
  Send("01 0D 01 00 02 57 1F 15 1E 77 1F 02 1E 90");
  EXPECT_EQ(HexDump(Send("01 09 01 00 02 77 1F 15 1E 2A").frame), "01 0D 01 00 06 57 1F 15 1E 77 1F 02 1E 8C");
  Send("01 0E 01 00 02 57 1F 64 1E 77 1F E8 03 1E 57");
  EXPECT_EQ(HexDump(Send("01 09 01 00 02 77 1F 64 1E DB").frame), "01 0E 01 00 06 57 1F 64 1E 77 1F E8 03 1E 53");
  Send("01 0F 01 00 02 57 1F 9B 1E 77 1F 61 62 63 1E E4");
  EXPECT_EQ(HexDump(Send("01 09 01 00 02 77 1F 9B 1E A4").frame), "01 0F 01 00 06 57 1F 9B 1E 77 1F 61 62 63 1E E0");
}

TEST_F(UnitSimResponderTest, RefusedWriteLeavesTheValue) {
  Send("01 0D 01 00 02 57 1F 15 1E 77 1F 04 1E 8E");
  EXPECT_EQ(store.Number(21), 1);
}

TEST_F(UnitSimResponderTest, CallStatusDigitsCountUpAndWrap) {
  std::string digits;
  for (int i = 0; i < 12; ++i) {
    const Bytes reply = Send("01 06 01 00 02 32 C4").frame;
    ASSERT_GE(reply.size(), 9u);
    digits += static_cast<char>(reply[7]);
  }
  EXPECT_EQ(digits, "012345678901");
}

TEST_F(UnitSimResponderTest, CallIsAcknowledgedAndPrinted) {
  for (int i = 0; i < 4; ++i) Send("01 06 01 00 02 32 C4");  // last status gave 3
  const UnitReply reply =
      Send("01 1A 01 00 02 41 1F 33 1E 31 1F 31 32 33 34 1E 32 1F 61 62 63 1E 33 1F 35 1E BF");
  EXPECT_EQ(HexDump(reply.frame), "01 06 01 00 06 41 B1");
  EXPECT_EQ(Joined(reply.notes), "CALL sequence=3 address=1234 bleep=5 message=abc");
  EXPECT_EQ(unit.TakeStatusLine(), "Tessaro-IP status: ESPA link up, 1 calls queued");
  EXPECT_EQ(unit.TakeStatusLine(), "Tessaro-IP status: ESPA link up, 0 calls queued");
}

TEST_F(UnitSimResponderTest, CallWithoutMessageAndWrongSequenceIsWarned) {
  Send("01 06 01 00 02 32 C4");  // gives 0
  // A 1 US 9 RS 1 US 77 RS 3 US FFFF RS
  Bytes data = Hex("41 1F 39 1E 31 1F 37 37 1E 33 1F 46 46 46 46 1E");
  const UnitReply reply = unit.Handle(BuildFrame(kStx, data));
  EXPECT_EQ(reply.frame[kAnswerOffset], kAck);
  EXPECT_EQ(Joined(reply.notes),
            "CALL sequence=9 address=77 bleep=FFFF | WARN call sequence 9 does not match the last call status 0");
}

TEST_F(UnitSimResponderTest, CallWithRecordsOutOfOrderIsRefused) {
  const Bytes data = Hex("41 1F 30 1E 33 1F 35 1E 31 1F 37 1E");
  const UnitReply reply = unit.Handle(BuildFrame(kStx, data));
  EXPECT_EQ(reply.frame[kAnswerOffset], kNak);
  EXPECT_EQ(Joined(reply.notes).rfind("REFUSED malformed call", 0), 0u) << Joined(reply.notes);
}

TEST_F(UnitSimResponderTest, ResetPrintsBootBannerWithNewAddress) {
  Send("01 0D 01 00 02 57 1F 20 1E 77 1F 0A 1E 7D");  // item 32 (second address byte) = 10
  EXPECT_EQ(store.Text(151), "192.168.1.50") << "address in use changes only at a reset";
  const UnitReply reply = Send("01 06 01 00 02 52 A4");
  EXPECT_EQ(store.Text(151), "192.10.1.50");
  ASSERT_EQ(reply.unitText.size(), 4u);
  EXPECT_EQ(reply.unitText[0], "Tessaro-IP converter starting");
  EXPECT_EQ(reply.unitText[2], "IP 192.10.1.50 mask 255.255.255.0 gateway 192.168.1.1");
}

struct OptionRow {
  const char* name;
  const char* request;
  ReplyOptions options;
  const char* reply;
};

class UnitSimReplyOptionsTest : public UnitSimResponderTest, public ::testing::WithParamInterface<OptionRow> {};

TEST_P(UnitSimReplyOptionsTest, ReplyBytes) {
  EXPECT_EQ(HexDump(Send(GetParam().request, GetParam().options).frame), GetParam().reply);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, UnitSimReplyOptionsTest,
    ::testing::Values(
        OptionRow{"OtherItemGivesNextReadable", "01 09 01 00 02 77 1F 15 1E 2A", {false, true},
                  "01 0D 01 00 06 57 1F 16 1E 77 1F 00 1E 8D"},
        OptionRow{"OtherItemStaysWhenNextNotReadable", "01 09 01 00 02 77 1F 29 1E 16", {false, true},
                  "01 0D 01 00 06 57 1F 29 1E 77 1F 08 1E 72"},
        OptionRow{"RefuseWrite", "01 0D 01 00 02 57 1F 15 1E 77 1F 02 1E 90", {true, false}, "01 06 01 00 15 57 8C"},
        OptionRow{"RefuseReset", "01 06 01 00 02 52 A4", {true, false}, "01 06 01 00 15 52 91"},
        OptionRow{"RefuseDoesNotTouchReads", "01 09 01 00 02 77 1F 15 1E 2A", {true, false},
                  "01 0D 01 00 06 57 1F 15 1E 77 1F 01 1E 8D"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UnitSimResponderTest, RefusedWriteAndResetChangeNothing) {
  const ReplyOptions refuse{true, false};
  const UnitReply write = Send("01 0D 01 00 02 57 1F 15 1E 77 1F 02 1E 90", refuse);
  EXPECT_EQ(store.Number(21), 1);
  for (const auto& note : write.notes) EXPECT_NE(note.rfind("SET", 0), 0u) << note;
  EXPECT_TRUE(Send("01 06 01 00 02 52 A4", refuse).unitText.empty());
}

}  // namespace
}  // namespace tessaro::unitsim
