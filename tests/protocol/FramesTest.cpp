#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "protocol/Frames.h"
#include "tests/support/ItemValueAssertions.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro {
namespace {

using testing::Bytes;

struct BuildRow {
  const char* name;
  std::optional<Bytes> built;
  std::optional<Bytes> expected;  // nullopt: the request cannot be framed
};

std::string TekstOfLength(std::size_t length) { return std::string(length, 'x'); }

Bytes TekstWriteFrame(uint8_t item, const std::string& text) {
  Bytes frame = {0x01, static_cast<uint8_t>(text.size() + 12), 0x01, 0x00, 0x02, 0x57, 0x1F, item, 0x1E, 0x77, 0x1F};
  for (char c : text) frame.push_back(static_cast<uint8_t>(c));
  frame.push_back(0x1E);
  int sum = 0;
  for (uint8_t byte : frame) sum += byte;
  frame.push_back(static_cast<uint8_t>((256 - sum % 256) % 256));
  return frame;
}

std::vector<BuildRow> BuildRows() {
  return {
      {"AttentionIsFixed", AttentionFrame(), Bytes{0x01, 0x01, 0x80, 0x7F}},
      {"ReadItem21", BuildReadRequest(21), Bytes{0x01, 0x09, 0x01, 0x00, 0x02, 0x77, 0x1F, 0x15, 0x1E, 0x2A}},
      {"WriteItem21Value2", BuildWriteRequest(21, ItemValue(2)),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x15, 0x1E, 0x77, 0x1F, 0x02, 0x1E, 0x90}},
      {"WriteItem23Value120", BuildWriteRequest(23, ItemValue(120)),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x17, 0x1E, 0x77, 0x1F, 0x78, 0x1E, 0x18}},
      {"WriteItem23ValueAsText", BuildWriteRequest(23, ItemValue("120 s")),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x17, 0x1E, 0x77, 0x1F, 0x78, 0x1E, 0x18}},
      {"WriteInt100Value1000", BuildWriteRequest(100, ItemValue(1000)),
       Bytes{0x01, 0x0E, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x64, 0x1E, 0x77, 0x1F, 0xE8, 0x03, 0x1E, 0x57}},
      {"WriteInt100FromShownText", BuildWriteRequest(100, ItemValue(" 1000")),
       Bytes{0x01, 0x0E, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x64, 0x1E, 0x77, 0x1F, 0xE8, 0x03, 0x1E, 0x57}},
      {"WriteTekst150abc", BuildWriteRequest(150, ItemValue("abc")),
       Bytes{0x01, 0x0F, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x96, 0x1E, 0x77, 0x1F, 0x61, 0x62, 0x63, 0x1E, 0xE9}},
      {"CallStatus", BuildCallStatusRequest(), Bytes{0x01, 0x06, 0x01, 0x00, 0x02, 0x32, 0xC4}},
      {"Reset", BuildResetRequest(), Bytes{0x01, 0x06, 0x01, 0x00, 0x02, 0x52, 0xA4}},
      {"CallFrameWorkedExample", BuildCallFrame(BuildCallRecords(3, "1234", "abc", 5)),
       Bytes{0x01, 0x1A, 0x01, 0x00, 0x02, 0x41, 0x1F, 0x33, 0x1E, 0x31, 0x1F, 0x31, 0x32, 0x33,
             0x34, 0x1E, 0x32, 0x1F, 0x61, 0x62, 0x63, 0x1E, 0x33, 0x1F, 0x35, 0x1E, 0xBF}},
      {"EmptyTekstHasLen12", BuildWriteRequest(150, ItemValue("")), TekstWriteFrame(150, "")},
      {"LongestTekstHasLen255", BuildWriteRequest(151, ItemValue(TekstOfLength(243))), TekstWriteFrame(151, TekstOfLength(243))},
      {"Item18Value11SendsA", BuildWriteRequest(18, ItemValue(11)),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x12, 0x1E, 0x77, 0x1F, 0x41, 0x1E, 0x54}},
      {"Item18Value1SendsDigit0", BuildWriteRequest(18, ItemValue(1)),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x12, 0x1E, 0x77, 0x1F, 0x30, 0x1E, 0x65}},
      {"Item18Value0SendsZero", BuildWriteRequest(18, ItemValue(0)),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x12, 0x1E, 0x77, 0x1F, 0x00, 0x1E, 0x95}},
      {"Int255IsLoFFHi00", BuildWriteRequest(101, ItemValue(255)),
       Bytes{0x01, 0x0E, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x65, 0x1E, 0x77, 0x1F, 0xFF, 0x00, 0x1E, 0x42}},
      {"Int256IsLo00Hi01", BuildWriteRequest(101, ItemValue(256)),
       Bytes{0x01, 0x0E, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x65, 0x1E, 0x77, 0x1F, 0x00, 0x01, 0x1E, 0x40}},
      {"Int65535IsLargest", BuildWriteRequest(101, ItemValue(65535)),
       Bytes{0x01, 0x0E, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x65, 0x1E, 0x77, 0x1F, 0xFF, 0xFF, 0x1E, 0x43}},
      {"ChecksumZeroWhenSumIsZero", BuildWriteRequest(21, ItemValue(146)),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x15, 0x1E, 0x77, 0x1F, 0x92, 0x1E, 0x00}},
      {"HalfRoundsToEvenDown", BuildWriteRequest(21, ItemValue(2.5)),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x15, 0x1E, 0x77, 0x1F, 0x02, 0x1E, 0x90}},
      {"HalfRoundsToEvenUp", BuildWriteRequest(21, ItemValue(1.5)),
       Bytes{0x01, 0x0D, 0x01, 0x00, 0x02, 0x57, 0x1F, 0x15, 0x1E, 0x77, 0x1F, 0x02, 0x1E, 0x90}},
      // Values that do not fit their field are refused whole.
      {"CharMinusOneFromEmptyCombo", BuildWriteRequest(21, ItemValue(-1)), std::nullopt},
      {"Char256", BuildWriteRequest(23, ItemValue(256)), std::nullopt},
      {"Char255Point5RoundsOutOfRange", BuildWriteRequest(23, ItemValue(255.5)), std::nullopt},
      {"IntNegative", BuildWriteRequest(100, ItemValue(-1)), std::nullopt},
      {"IntAbove65535", BuildWriteRequest(100, ItemValue(65536)), std::nullopt},
      {"TekstOf244", BuildWriteRequest(150, ItemValue(TekstOfLength(244))), std::nullopt},
      {"Item18At256", BuildWriteRequest(18, ItemValue(256)), std::nullopt},
      {"Item18At300", BuildWriteRequest(18, ItemValue(300)), std::nullopt},
      {"Item18Negative", BuildWriteRequest(18, ItemValue(-1)), std::nullopt},
      {"WriteItem250", BuildWriteRequest(250, ItemValue(0)), std::nullopt},
      {"WriteNegativeItem", BuildWriteRequest(-1, ItemValue(0)), std::nullopt},
      {"ReadNegativeItem", BuildReadRequest(-1), std::nullopt},
      {"ReadItem250", BuildReadRequest(250), std::nullopt},
  };
}

TEST(FramesTest, BuildsEveryFrameByteForByte) {
  for (const auto& row : BuildRows()) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(row.built, row.expected);
    if (row.built && row.expected && row.built->size() > 4 && row.built != AttentionFrame()) {
      int sum = 0;
      for (uint8_t byte : *row.built) sum += byte;
      EXPECT_EQ(sum % 256, 0) << "all bytes of a frame add up to 0";
      EXPECT_EQ((*row.built)[1], row.built->size() - 1) << "LEN is the length without the checksum";
    }
  }
}

TEST(FramesTest, ChecksumByteBringsTheSumToZero) {
  EXPECT_EQ(ChecksumByte(Bytes{0x01, 0x09, 0x01, 0x00, 0x02, 0x77, 0x1F, 0x15, 0x1E}), 0x2A);
  EXPECT_EQ(ChecksumByte(Bytes{0x80, 0x80}), 0x00);
  EXPECT_EQ(ChecksumByte(Bytes{}), 0x00);
  EXPECT_EQ(ChecksumByte(Bytes{0xFF}), 0x01);
}

struct RecordsRow {
  const char* name;
  int sequence;
  std::string address;
  std::string message;
  int16_t bleep;
  std::string expected;  // with | for US and ; for RS
};

std::string Spelled(std::string records) {
  for (char& c : records) {
    if (c == 0x1F) c = '|';
    if (c == 0x1E) c = ';';
  }
  return records;
}

TEST(FramesTest, CallRecords) {
  const std::vector<RecordsRow> rows = {
      {"WorkedExample", 3, "1234", "abc", 5, "A|3;1|1234;2|abc;3|5;"},
      {"AddressCutTo10", 0, "123456789012", "m", 0, "A|0;1|1234567890;2|m;3|0;"},
      {"NoMessageNoRecord2", 7, "1234", "", 10, "A|7;1|1234;3|A;"},
      {"MessageCutTo40", 1, "9", std::string(45, 'x'), 15, "A|1;1|9;2|" + std::string(40, 'x') + ";3|F;"},
      {"NoBleepSelectionIsFFFF", 2, "55", "hi", -1, "A|2;1|55;2|hi;3|FFFF;"},
      {"NegativeSequenceKeepsSign", -3, "55", "", 1, "A|-3;1|55;3|1;"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(Spelled(BuildCallRecords(row.sequence, row.address, row.message, row.bleep)), row.expected);
  }
}

// RxBuffer as the engine leaves it after receiving `frame`.
ReplyBuffer BufferOf(const Bytes& frame) {
  ReplyBuffer buffer;
  buffer.fill(-1);
  for (std::size_t i = 0; i < frame.size() && i < buffer.size(); ++i) buffer[i] = frame[i];
  return buffer;
}

struct DecodeRow {
  const char* name;
  int item;
  Bytes frame;
  LiteralValue expected;
};

TEST(FramesTest, DecodesReplyValues) {
  using testing::ItemReply;
  using testing::TextBytes;
  const ItemValue refused(-1);
  const std::vector<DecodeRow> rows = {
      {"Item21Value2", 21, ItemReply(21, {2}), "2"},
      {"Item0AtLimit", 0, ItemReply(0, {4}), "4"},
      {"Item0AboveLimit", 0, ItemReply(0, {5}), "0"},
      {"Item15AboveLimit", 15, ItemReply(15, {5}), "0"},
      {"Item5LastListPosition", 5, ItemReply(5, {10}), "10"},
      {"Item5AboveLimit", 5, ItemReply(5, {11}), "0"},
      {"Item7LastListPosition", 7, ItemReply(7, {25}), "25"},
      {"Item7AboveLimit", 7, ItemReply(7, {26}), "0"},
      {"Item41AtLimit", 41, ItemReply(41, {24}), "24"},
      {"Item10AboveLimit", 10, ItemReply(10, {5}), "0"},
      {"Item11AtLimit", 11, ItemReply(11, {1}), "1"},
      {"Item22AboveLimit", 22, ItemReply(22, {2}), "0"},
      {"Item13AtLimit", 13, ItemReply(13, {2}), "2"},
      {"Item17AboveLimit", 17, ItemReply(17, {3}), "0"},
      {"Item19Fifteen", 19, ItemReply(19, {15}), "15"},
      {"Item19AboveLimit", 19, ItemReply(19, {16}), "0"},
      {"Item20Max", 20, ItemReply(20, {255}), "255"},
      {"Item31Max", 31, ItemReply(31, {255}), "255"},
      {"Item40", 40, ItemReply(40, {192}), "192"},
      {"Item21AboveLimit", 21, ItemReply(21, {4}), "0"},
      {"Item23AtLimit", 23, ItemReply(23, {180}), "180"},
      {"Item23AboveLimit", 23, ItemReply(23, {181}), "0"},
      {"Item41AboveLimit", 41, ItemReply(41, {25}), "0"},
      {"Item18Zero", 18, ItemReply(18, {0}), "0"},
      {"Item18UpperA", 18, ItemReply(18, {'A'}), "11"},
      {"Item18LowerF", 18, ItemReply(18, {'f'}), "16"},
      {"Item18Digit0", 18, ItemReply(18, {'0'}), "1"},
      {"Item18Digit9", 18, ItemReply(18, {'9'}), "10"},
      {"Item18OtherCharacter", 18, ItemReply(18, {'G'}), "1"},
      {"Int1000HasLeadingBlank", 100, ItemReply(100, {0xE8, 0x03}), " 1000"},
      {"IntHighByte128IsUnsigned", 100, ItemReply(100, {0x00, 0x80}), " 32768"},
      {"IntLargest", 149, ItemReply(149, {0xFF, 0xFF}), " 65535"},
      {"TekstAbc", 150, ItemReply(150, TextBytes("abc")), "abc"},
      {"TekstLen12IsEmpty", 150, ItemReply(150, {}), ""},
      {"TekstLen13IsOneCharacter", 154, ItemReply(154, TextBytes("z")), "z"},
      {"TekstKeepsHighBytes", 151, ItemReply(151, {0xE9, 0x80}), std::string("\xE9\x80")},
      {"ItemWithoutDecoder", 3, ItemReply(3, {1}), refused},
      {"Item16NotUsed", 16, ItemReply(16, {1}), refused},
      {"Item42NotUsed", 42, ItemReply(42, {1}), refused},
      {"Item250", 250, ItemReply(250, {1}), refused},
      // Too short to hold the value: never a value made of fill bytes.
      {"CharValueIsTheChecksum", 21, testing::ReplyFrame(0x06, {'W', 0x1F, 21, 0x1E, 'w', 0x1F}), refused},
      {"CharValueMissing", 21, testing::ReplyFrame(0x06, {'W', 0x1F, 21}), refused},
      {"IntHighByteMissing", 100, testing::ReplyFrame(0x06, {'W', 0x1F, 100, 0x1E, 'w', 0x1F, 0xE8}), refused},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const ReplyBuffer buffer = BufferOf(row.frame);
    EXPECT_EQ(ParseReplyValue(row.item, buffer, row.frame[1]), row.expected);
  }
}

// Every list position a write can send reads back as the same position.
TEST(FramesTest, LengthListPositionsSurviveWriteAndReadBack) {
  for (const auto& [item, last] : {std::pair{5, 10}, std::pair{7, 25}}) {
    for (int position = 0; position <= last; ++position) {
      SCOPED_TRACE("item " + std::to_string(item) + " position " + std::to_string(position));
      const auto request = BuildWriteRequest(item, ItemValue(position));
      ASSERT_TRUE(request.has_value());
      const uint8_t sent = request->at(11);  // SOH LEN 01 00 STX W US n RS w US value
      EXPECT_EQ(sent, position);
      const Bytes reply = testing::ItemReply(static_cast<uint8_t>(item), {sent});
      EXPECT_EQ(ParseReplyValue(item, BufferOf(reply), reply[1]), ItemValue(std::to_string(position)));
    }
  }
}

TEST(FramesTest, ReplyPositions) {
  const Bytes full = testing::ItemReply(21, {2});
  EXPECT_EQ(ReplyItem(BufferOf(full)), 21);
  EXPECT_TRUE(ReplyHoldsValue(21, BufferOf(full), full[1]));
  EXPECT_TRUE(ReplyAccepted(BufferOf(full), full[1]));

  const Bytes shortReply = testing::ReplyFrame(0x06, {'W'});  // LEN 6: offset 7 never arrives
  EXPECT_EQ(ReplyItem(BufferOf(shortReply)), -1);
  EXPECT_FALSE(ReplyHoldsValue(21, BufferOf(shortReply), shortReply[1]));

  const Bytes refusedReply = testing::ReplyFrame(0x15, {'W', 0x1F, 21, 0x1E});
  EXPECT_FALSE(ReplyAccepted(BufferOf(refusedReply), refusedReply[1]));
  // An ACK that is really the checksum byte is no answer.
  ReplyBuffer checksumAsAnswer = BufferOf({0x01, 0x04, 0x7A, 0x7B, 0x06});
  EXPECT_FALSE(ReplyAccepted(checksumAsAnswer, 4));
}

}  // namespace
}  // namespace tessaro
