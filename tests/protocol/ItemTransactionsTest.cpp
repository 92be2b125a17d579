#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/protocol/ProtocolTestSupport.h"
#include "tests/support/ItemValueAssertions.h"

namespace tessaro {
namespace {

using testing::Bytes;
using testing::ItemReply;
using testing::ReplyFrame;
using testing::TextBytes;

namespace s = engine_state;

Bytes Damaged(Bytes frame) {
  frame.back() ^= 0x01;
  return frame;
}

Bytes FirstBytes(const Bytes& frame, std::size_t count) { return Bytes(frame.begin(), frame.begin() + count); }

Bytes TooLongReply() {
  Bytes bytes = {0x01, 120};
  bytes.resize(102, 0x00);
  return bytes;
}

class ItemTransactionTest : public testing::EngineFixture {
 protected:
  void SetUp() override { Start(); }

  // Ticks until the engine is idle again; the ticks it took.
  int TickUntilIdle(int limit = 400) {
    return TickUntil([this] { return engine.EngineState == s::Idle; }, limit);
  }
};

// ---------------------------------------------------------------- writes

struct WriteRow {
  const char* name;
  int16_t item;
  LiteralValue value;
  std::string shown;
  int16_t debugLevel;
  Bytes reply;
  int ticksToOutcome;  // -1: not checked
  std::string progress;
  std::string logLine;  // "" for no line
  int16_t failCount;    // starts at 1
  int16_t statusAfter;
};

TEST_F(ItemTransactionTest, WriteReports) {
  const std::string line = "Writing of ESPA mode 2";
  const std::string tag = " [Item: 21 Value: 2] ";
  const Bytes ack = ReplyFrame(0x06, {'W', 0x1F, 21, 0x1E});
  const std::vector<WriteRow> rows = {
      {"Accepted", 21, 2, "2", 0, ack, -1, line + " -> Saved.\r\n", tag + line, 0, RequestNone},
      {"AcceptedDebug2", 21, 2, "2", 2, ack, -1, tag + line + " -> Saved.\r\n", tag + line, 0, RequestNone},
      {"Refused", 21, 2, "2", 0, ReplyFrame(0x15, {'W', 0x1F, 21, 0x1E}), -1,
       line + " -> program ERROR NACK.\r\n", tag + line, 2, RequestWrite},
      {"NoSoh", 21, 2, "2", 0, {}, 120, line + " -> ERROR: Time-out[SOH].\r\n", tag + line, 2, RequestWrite},
      {"GarbageButNoSoh", 21, 2, "2", 0, {0x55, 0x02, 0x06}, 120, line + " -> ERROR: Time-out[SOH].\r\n",
       tag + line, 2, RequestWrite},
      {"NoLen", 21, 2, "2", 0, {0x01}, 121, line + " -> ERROR: Time-out[LEN].\r\n", tag + line, 2, RequestWrite},
      // What arrived is taken in the first tick; the wait counts from there.
      {"StopsInItsData", 21, 2, "2", 0, FirstBytes(ack, 6), 121, line + " -> ERROR: Time-out[LEN].\r\n",
       tag + line, 2, RequestWrite},
      {"TooLong", 21, 2, "2", 0, TooLongReply(), -1, line + " -> ERROR > InfoMaxLen.\r\n", tag + line, 1,
       RequestWrite},
      {"Checksum", 21, 2, "2", 0, Damaged(ack), -1, line + " -> ERROR checksum.\r\n", tag + line, 2,
       RequestWrite},
      {"IntTagIsWholeNumber", 100, " 1000", " 1000", 2, ReplyFrame(0x06, {}), -1,
       " [Item: 100 Value: 1000] Writing of Int setting  1000 -> Saved.\r\n",
       " [Item: 100 Value: 1000] Writing of Int setting  1000", 0, RequestNone},
      {"TekstTagIsText", 150, "abc", "abc", 2, ReplyFrame(0x06, {}), -1,
       " [Item: 150 Value: abc] Writing of MAC abc -> Saved.\r\n", " [Item: 150 Value: abc] Writing of MAC abc", 0,
       RequestNone},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto index = static_cast<std::size_t>(row.item);
    store.DebugLevel = row.debugLevel;
    store.ItemValues[index] = row.value;
    store.UnitValues[index] = ItemValue(-1);
    screen.rows[row.item].shown = row.shown;
    screen.progress.clear();
    lines.clear();
    engine.FailCount = 1;
    store.ItemStatus[index] = RequestWrite;

    SendPendingRequest();
    ASSERT_EQ(engine.EngineState, s::WriteSoh);
    EXPECT_EQ(port.written, *BuildWriteRequest(row.item, row.value));
    Feed(row.reply);
    const int ticks = TickUntilIdle();
    if (row.ticksToOutcome >= 0) {
      EXPECT_EQ(ticks, row.ticksToOutcome);
    }
    EXPECT_EQ(screen.progress, row.progress);
    EXPECT_EQ(lines, std::vector<std::string>{row.logLine});
    EXPECT_EQ(engine.FailCount, row.failCount);
    EXPECT_EQ(store.ItemStatus[index], row.statusAfter);
    EXPECT_EQ(store.UnitValues[index], row.statusAfter == RequestNone ? row.value.value : ItemValue(-1));
    store.ItemStatus[index] = RequestNone;
    port.received.clear();
  }
}

TEST_F(ItemTransactionTest, AcceptedWriteShowsTheItem) {
  store.ItemValues[21] = ItemValue(2);
  store.ItemStatus[21] = RequestWrite;
  SendPendingRequest();
  Feed(ReplyFrame(0x06, {'W', 0x1F, 21, 0x1E}));
  TickUntilIdle();
  EXPECT_EQ(settingsScreen.itemToScreen, std::vector<int16_t>{21});
}

struct UnframeableRow {
  const char* name;
  int16_t item;
  LiteralValue value;
};

TEST_F(ItemTransactionTest, ValueThatCannotBeFramedIsDroppedWithoutSending) {
  const std::vector<UnframeableRow> rows = {
      {"ComboWithNothingSelected", 21, -1},
      {"CharTooLarge", 23, 256},
      {"IntNegative", 100, -5},
      {"IntTooLarge", 100, 70000},
      {"TekstOver243", 150, std::string(244, 'x')},
      {"Item18Value300", 18, 300},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto index = static_cast<std::size_t>(row.item);
    store.ItemValues[index] = row.value;
    store.ItemStatus[index] = RequestWrite;
    engine.FailCount = 1;
    screen.progress.clear();
    const int discards = port.discardCalls;
    SendPendingRequest();
    EXPECT_EQ(engine.EngineState, s::Idle);
    EXPECT_TRUE(port.written.empty());
    EXPECT_EQ(port.discardCalls, discards) << "nothing is flushed for a frame that is not sent";
    EXPECT_TRUE(screen.progress.ends_with(" -> Not implemented type of unit\r\n")) << screen.progress;
    EXPECT_EQ(store.ItemStatus[index], RequestNone);
    EXPECT_EQ(engine.FailCount, 1);
  }
}

TEST_F(ItemTransactionTest, WriteWithoutVisibleRowReportsOnlyTheOutcome) {
  store.ItemValues[1] = ItemValue(4);
  store.ItemStatus[1] = RequestWrite;
  SendPendingRequest();
  EXPECT_EQ(port.written, *BuildWriteRequest(1, ItemValue(4)));
  Feed(ReplyFrame(0x06, {}));
  TickUntilIdle();
  EXPECT_EQ(screen.progress, " -> Saved.\r\n");
  EXPECT_TRUE(lines.empty());
}

TEST_F(ItemTransactionTest, RefusalDoesNotReviveACancelledWrite) {
  store.ItemValues[21] = ItemValue(2);
  store.ItemStatus[21] = RequestWrite;
  SendPendingRequest();
  engine.CancelAll();
  Feed(ReplyFrame(0x15, {}));
  TickUntilIdle();
  EXPECT_EQ(store.ItemStatus[21], RequestNone);
  port.written.clear();
  Tick(50);
  EXPECT_TRUE(port.written.empty());
}

TEST_F(ItemTransactionTest, ValueQueuedAgainDuringAWriteIsWrittenToo) {
  store.ItemValues[21] = ItemValue(2);
  store.ItemStatus[21] = RequestWrite;
  SendPendingRequest();
  // The user edits and presses write again while the frame is on its way.
  store.ItemValues[21] = ItemValue(3);
  store.ItemStatus[21] = RequestWrite;
  Feed(ReplyFrame(0x06, {}));
  TickUntilIdle();
  EXPECT_EQ(store.UnitValues[21], ItemValue(2)) << "the unit holds what was sent";
  EXPECT_EQ(store.ItemStatus[21], RequestWrite);
  SendPendingRequest();
  EXPECT_EQ(port.written, *BuildWriteRequest(21, ItemValue(3)));
}

// ----------------------------------------------------------------- reads

struct ReadRow {
  const char* name;
  int16_t item;
  int16_t debugLevel;
  Bytes reply;
  int ticksToOutcome;  // -1: not checked
  std::string progress;
  std::string logLine;  // "" for none
  int16_t failCount;    // starts at 1
  std::optional<LiteralValue> stored;
};

TEST_F(ItemTransactionTest, ReadReports) {
  const std::string start = "Reading of Item: 21  ";
  const std::string d = "[Item: 21 Value: 1] ";
  const std::string fail = "ERROR Reading of: ";
  const Bytes reply = ItemReply(21, {2});
  const std::vector<ReadRow> rows = {
      {"Ok", 21, 0, reply, -1, start + "ESPA mode 2 OK\r\n",
       "Read from unit:  [Item: 21 Value: 2] ESPA mode 2 OK", 0, "2"},
      {"OkDebug2", 21, 2, reply, -1, start + " [Item: 21 Value: 2] ESPA mode 2 OK\r\n",
       "Read from unit:  [Item: 21 Value: 2] ESPA mode 2 OK", 0, "2"},
      {"Item5LastPosition", 5, 0, ItemReply(5, {10}), -1, "Reading of Item: 5  Address Length 10 OK\r\n",
       "Read from unit:  [Item: 5 Value: 10] Address Length 10 OK", 0, "10"},
      {"Item5AboveTheList", 5, 0, ItemReply(5, {11}), -1, "Reading of Item: 5  Address Length 0 OK\r\n",
       "Read from unit:  [Item: 5 Value: 0] Address Length 0 OK", 0, "0"},
      {"Item18Letter", 18, 0, ItemReply(18, {'B'}), -1,
       "Reading of Item: 18  ESPA simulation Bosch fixed info 12 OK\r\n",
       "Read from unit:  [Item: 18 Value: 12] ESPA simulation Bosch fixed info 12 OK", 0, "12"},
      {"IntDebug2", 100, 2, ItemReply(100, {0xE8, 0x03}), -1,
       "Reading of Item: 100   [Item: 100 Value:  1000] Int setting  1000 OK\r\n",
       "Read from unit:  [Item: 100 Value:  1000] Int setting  1000 OK", 0, " 1000"},
      {"TekstDebug2", 150, 2, ItemReply(150, TextBytes("abc")), -1,
       "Reading of Item: 150   [Item: 150 Waarde: abc] MAC abc OK\r\n",
       "Read from unit:  [Item: 150 Waarde: abc] MAC abc OK", 0, "abc"},
      {"NoSoh", 21, 0, {}, 120, start + d + "ERROR: Time-out [SOH]. \r\n", fail + d + "ERROR: Time-out [SOH]. ", 2,
       std::nullopt},
      {"NoLen", 21, 0, {0x01}, 121, start + d + "ERROR: Time-out [LEN]. \r\n", fail + d + "ERROR: Time-out [LEN]. ",
       2, std::nullopt},
      // What arrived is taken in the first tick; the wait counts from there.
      {"StopsInItsData", 21, 0, FirstBytes(reply, 9), 121, start + d + "ERROR: Time-out [LEN]. \r\n",
       fail + d + "ERROR: Time-out [LEN]. ", 2, std::nullopt},
      {"TooLong", 21, 0, TooLongReply(), -1, start + d + " ERROR Len > Max. \r\n", fail + d + " ERROR Len > Max. ",
       1, std::nullopt},
      {"Checksum", 21, 0, Damaged(reply), -1, start + d + "ERROR [checksum]. \r\n", fail + d + "ERROR [checksum]. ",
       2, std::nullopt},
      {"TooShortForTheValue", 21, 0, ReplyFrame(0x06, {'W', 0x1F, 21, 0x1E, 'w', 0x1F}), -1,
       start + d + "ERROR [checksum]. \r\n", fail + d + "ERROR [checksum]. ", 2, std::nullopt},
      {"TooShortForTheItem", 21, 0, ReplyFrame(0x06, {'W'}), -1, start + d + "ERROR [checksum]. \r\n",
       fail + d + "ERROR [checksum]. ", 2, std::nullopt},
      {"IntWithoutHighByte", 100, 0, ReplyFrame(0x06, {'W', 0x1F, 100, 0x1E, 'w', 0x1F, 0xE8}), -1,
       "Reading of Item: 100  [Item: 100 Value: 1] ERROR [checksum]. \r\n",
       "ERROR Reading of: [Item: 100 Value: 1] ERROR [checksum]. ", 2, std::nullopt},
      {"ValueNotAccepted", 21, 0, ItemReply(16, {1}), -1, start + d + " ERROR Reading of!\r\n",
       fail + d + " ERROR Reading of!", 2, std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto index = static_cast<std::size_t>(row.item);
    store.DebugLevel = row.debugLevel;
    store.ItemValues[index] = ItemValue(1);
    store.UnitValues[index] = ItemValue(-1);
    screen.rows[row.item].shown = "1";
    screen.progress.clear();
    lines.clear();
    settingsScreen.itemToScreen.clear();
    engine.FailCount = 1;
    store.ItemStatus[index] = RequestRead;

    SendPendingRequest();
    ASSERT_EQ(engine.EngineState, s::ReadSoh);
    EXPECT_EQ(port.written, *BuildReadRequest(row.item));
    Feed(row.reply);
    const int ticks = TickUntilIdle();
    if (row.ticksToOutcome >= 0) {
      EXPECT_EQ(ticks, row.ticksToOutcome);
    }
    EXPECT_EQ(screen.progress, row.progress);
    EXPECT_EQ(lines, std::vector<std::string>{row.logLine});
    EXPECT_EQ(engine.FailCount, row.failCount);
    if (row.stored) {
      EXPECT_EQ(store.ItemStatus[index], RequestNone);
      EXPECT_EQ(store.ItemValues[index], *row.stored);
      EXPECT_EQ(store.UnitValues[index], *row.stored);
      EXPECT_EQ(settingsScreen.itemToScreen, std::vector<int16_t>{row.item});
    } else {
      EXPECT_EQ(store.ItemStatus[index], RequestRead);
      EXPECT_EQ(store.ItemValues[index], ItemValue(1));
      EXPECT_EQ(store.UnitValues[index], ItemValue(-1));
      EXPECT_TRUE(settingsScreen.itemToScreen.empty());
    }
    store.ItemStatus.fill(RequestNone);
    port.received.clear();
  }
}

TEST_F(ItemTransactionTest, ReplyForAnotherItemIsStoredThereAndTheRequestStays) {
  store.ItemStatus[5] = RequestRead;
  store.ItemStatus[7] = RequestRead;
  engine.FailCount = 2;
  SendPendingRequest();
  ASSERT_EQ(engine.CurrentItem, 5);
  Feed(ItemReply(7, {3}));
  TickUntilIdle();
  EXPECT_EQ(store.ItemValues[7], ItemValue("3"));
  EXPECT_EQ(store.UnitValues[7], ItemValue("3"));
  EXPECT_EQ(store.ItemStatus[7], RequestNone);
  EXPECT_EQ(store.ItemStatus[5], RequestRead);
  EXPECT_EQ(store.UnitValues[5], ItemValue(-1));
  // The line names what was actually read.
  EXPECT_EQ(screen.progress, "Reading of Item: 5  Message Length 3 OK\r\n");
  EXPECT_EQ(engine.FailCount, 0);
  Tick();
  EXPECT_EQ(engine.EngineState, s::ReadSend);
  EXPECT_EQ(engine.CurrentItem, 5);
}

// The line the request began is finished even when the reply names an item
// that has no row: with the requested item's row and the tag of what came.
TEST_F(ItemTransactionTest, ReplyForAnItemWithoutARowStillEndsTheLine) {
  store.DebugLevel = 2;
  store.ItemStatus[5] = RequestRead;
  SendPendingRequest();
  Feed(ItemReply(31, {192}));
  TickUntilIdle();
  EXPECT_EQ(store.UnitValues[31], ItemValue("192"));
  EXPECT_EQ(store.ItemStatus[5], RequestRead);
  EXPECT_EQ(screen.progress, "Reading of Item: 5   [Item: 31 Value: 192] Address Length 1 OK\r\n");
  EXPECT_TRUE(LinesContain("Read from unit:  [Item: 31 Value: 192] Address Length 1 OK"));
}

TEST_F(ItemTransactionTest, ItemWithoutDecoderFailsAndGivesUpAfterThree) {
  store.ItemStatus[3] = RequestRead;
  for (int attempt = 0; attempt < 3; ++attempt) {
    SendPendingRequest();
    ASSERT_EQ(engine.EngineState, s::ReadSoh);
    Feed(ItemReply(3, {1}));
    TickUntilIdle();
  }
  EXPECT_EQ(screen.progress, "Reading of Item: 3   ERROR Reading of!\r\n"
                             "Reading of Item: 3   ERROR Reading of!\r\n"
                             "Reading of Item: 3   ERROR Reading of!\r\n");
  EXPECT_EQ(store.ItemValues[3], ItemValue(-1));
  EXPECT_EQ(engine.FailCount, 3);
  Tick();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "ERROR reading settings from unit.\r\nReading of settings aborted.!");
}

TEST_F(ItemTransactionTest, ReadWithoutVisibleRowStoresSilently) {
  store.ItemStatus[31] = RequestRead;
  SendPendingRequest();
  Feed(ItemReply(31, {192}));
  TickUntilIdle();
  EXPECT_EQ(store.ItemValues[31], ItemValue("192"));
  EXPECT_EQ(screen.progress, "Reading of Item: 31  ");
  EXPECT_TRUE(lines.empty());
}

TEST_F(ItemTransactionTest, WriteQueuedDuringAReadIsKept) {
  store.ItemValues[21] = ItemValue(1);
  store.ItemStatus[21] = RequestRead;
  SendPendingRequest();
  store.ItemValues[21] = ItemValue(3);
  store.ItemStatus[21] = RequestWrite;
  Feed(ItemReply(21, {2}));
  TickUntilIdle();
  EXPECT_EQ(store.UnitValues[21], ItemValue("2"));
  EXPECT_EQ(store.ItemValues[21], ItemValue(3)) << "the user's edit survives";
  EXPECT_EQ(store.ItemStatus[21], RequestWrite);
}

TEST_F(ItemTransactionTest, ReplyDuringAQueuedWriteIsQuotedAsTheUnitSentIt) {
  for (int16_t debugLevel : {int16_t{0}, int16_t{2}}) {
    SCOPED_TRACE(debugLevel);
    store.DebugLevel = debugLevel;
    screen.progress.clear();
    lines.clear();
    store.ItemStatus[21] = RequestRead;
    SendPendingRequest();
    store.ItemStatus[21] = RequestWrite;
    screen.rows[21].shown = "3";  // the user's unsent edit
    Feed(ItemReply(21, {2}));
    TickUntilIdle();
    EXPECT_EQ(screen.rows[21].shown, "3");
    const std::string tag = debugLevel == 2 ? " [Item: 21 Value: 2] " : "";
    EXPECT_EQ(screen.progress, "Reading of Item: 21  " + tag + "ESPA mode 2 OK\r\n");
    EXPECT_EQ(lines, std::vector<std::string>{"Read from unit:  [Item: 21 Value: 2] ESPA mode 2 OK"});
    store.ItemStatus.fill(RequestNone);
  }
}

struct LimitRow {
  std::size_t textLength;
  std::size_t frameBytes;
  bool accepted;
};

// A reply may take 98 bytes (LEN 97); at the 99th byte reception gives up and
// leaves whatever follows in the port.
TEST_F(ItemTransactionTest, LongestReplyIsTakenAndOneByteMoreIsTooLong) {
  const LimitRow rows[] = {{85, 98, true}, {86, 99, false}};
  for (const LimitRow& row : rows) {
    SCOPED_TRACE(row.frameBytes);
    const std::string text(row.textLength, 'x');
    Bytes reply = ItemReply(150, TextBytes(text));
    ASSERT_EQ(reply.size(), row.frameBytes);
    ASSERT_EQ(reply[1], row.frameBytes - 1);
    reply.push_back('z');
    screen.progress.clear();
    lines.clear();
    port.received.clear();
    engine.FailCount = 0;
    store.ItemValues[150] = ItemValue(std::string("before"));
    screen.rows[150].shown = "before";
    store.ItemStatus[150] = RequestRead;
    SendPendingRequest();
    ASSERT_EQ(engine.EngineState, s::ReadSoh);
    Feed(reply);
    TickUntilIdle();
    EXPECT_EQ(port.received.size(), 1u) << "bytes after the 98th or 99th stay in the port";
    if (row.accepted) {
      EXPECT_EQ(store.ItemValues[150], ItemValue(text));
      EXPECT_EQ(store.ItemStatus[150], RequestNone);
      EXPECT_EQ(screen.progress, "Reading of Item: 150  MAC " + text + " OK\r\n");
    } else {
      EXPECT_EQ(store.ItemValues[150], ItemValue(std::string("before")));
      EXPECT_EQ(store.ItemStatus[150], RequestRead);
      EXPECT_EQ(screen.progress, "Reading of Item: 150  [Item: 150 Value: before]  ERROR Len > Max. \r\n");
    }
    store.ItemStatus.fill(RequestNone);
  }
}

TEST_F(ItemTransactionTest, BytesAfterTheFrameStayInThePort) {
  store.ItemStatus[21] = RequestRead;
  SendPendingRequest();
  Bytes bytes = ItemReply(21, {2});
  bytes.push_back('z');
  Feed(bytes);
  TickUntilIdle();
  EXPECT_EQ(port.received.size(), 1u);
  EXPECT_EQ(store.ItemValues[21], ItemValue("2"));
}

}  // namespace
}  // namespace tessaro
