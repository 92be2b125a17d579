#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro {
namespace {

using testing::Bytes;
using testing::ItemReply;
using testing::ReplyFrame;

namespace s = engine_state;

const Bytes kCallStatusRequest = {0x01, 0x06, 0x01, 0x00, 0x02, 0x32, 0xC4};
const Bytes kResetRequest = {0x01, 0x06, 0x01, 0x00, 0x02, 0x52, 0xA4};
const std::vector<std::string> kReopenLines = {"Comport closed by software.", "Com: 1 opened with: 9600,N,8,1"};

Bytes StatusReply(uint8_t digit) { return ReplyFrame(0x06, {'2', 0x1F, digit, 0x1E}); }

Bytes Damaged(Bytes frame) {
  frame.back() ^= 0x01;
  return frame;
}

Bytes TooLongReply() {
  Bytes bytes = {0x01, 120};
  bytes.resize(102, 0x00);
  return bytes;
}

// US and RS spelled as | and ;.
std::string Spelled(const Bytes& bytes) {
  std::string text;
  for (uint8_t byte : bytes) text += byte == 0x1F ? '|' : byte == 0x1E ? ';' : static_cast<char>(byte);
  return text;
}

class SpecialTransactionTest : public testing::EngineFixture {
 protected:
  void SetUp() override {
    Start();
    screen.pagerAddress = "1234";
    screen.pagerMessage = "abc";
    screen.bleepCode = 5;
  }

  int TickUntilIdle(int limit = 400) {
    return TickUntil([this] { return engine.EngineState == s::Idle; }, limit);
  }

  // Raises the flag and runs until the status request is on the wire.
  void StartTestCall() {
    engine.TestCallRequest = true;
    Tick();
    ASSERT_EQ(engine.EngineState, s::CallStatusSend);
    port.written.clear();
    Tick();
    ASSERT_EQ(engine.EngineState, s::CallStatusSoh);
  }

  // Answers the status request and runs until the call is on the wire: the
  // waiting reply is taken in one tick, the call goes out on the next.
  void SendCall(uint8_t digit) {
    Feed(StatusReply(digit));
    port.written.clear();
    Tick();
    ASSERT_EQ(engine.EngineState, s::CallSend);
    ASSERT_TRUE(port.written.empty());
    Tick();
    ASSERT_EQ(engine.EngineState, s::CallSoh);
  }

  void StartReset() {
    engine.ResetRequest = true;
    Tick();
    ASSERT_EQ(engine.EngineState, s::ResetSend);
    port.written.clear();
    Tick();
    ASSERT_EQ(engine.EngineState, s::ResetSoh);
  }
};

// The status request and the reset request wait out the 10-tick delay that
// start-up and a recovered link leave, counted from the tick that opened the
// way; nothing goes out before.
class SpecialTransactionDelayTest : public testing::EngineFixture {};

struct DelayRow {
  const char* name;
  bool afterRecovery;
  bool testCall;
};

TEST_F(SpecialTransactionDelayTest, RequestGoesOutOnTheTenthTick) {
  const DelayRow rows[] = {
      {"TestCallAfterStartUp", false, true},
      {"ResetAfterStartUp", false, false},
      {"TestCallAfterRecovery", true, true},
      {"ResetAfterRecovery", true, false},
  };
  for (const DelayRow& row : rows) {
    SCOPED_TRACE(row.name);
    if (!port.open) {
      ASSERT_EQ(datacom.OpenComPort(0, 4, 0, 1, 0, 0), 0);
    }
    engine.EngineState = s::Initial;
    engine.EngineTick(10);
    ASSERT_EQ(engine.EngineState, s::Idle);
    ASSERT_EQ(engine.DelayCountdown, 10);
    if (row.afterRecovery) {
      Tick(10);  // the start-up delay runs out
      port.HangUp();
      Tick();
      ASSERT_EQ(engine.EngineState, s::PortLost);
      Tick();
      ASSERT_EQ(engine.EngineState, s::Idle);
      ASSERT_EQ(engine.DelayCountdown, 10);
    }
    (row.testCall ? engine.TestCallRequest : engine.ResetRequest) = true;
    port.written.clear();
    Tick(9);
    EXPECT_EQ(engine.EngineState, row.testCall ? s::CallStatusSend : s::ResetSend);
    EXPECT_TRUE(port.written.empty());
    Tick();
    EXPECT_EQ(engine.EngineState, row.testCall ? s::CallStatusSoh : s::ResetSoh);
    EXPECT_EQ(port.written, row.testCall ? kCallStatusRequest : kResetRequest);
    engine.EngineState = s::Idle;
  }
}

TEST_F(SpecialTransactionTest, TestCallHappyPath) {
  engine.FailCount = 1;
  StartTestCall();
  EXPECT_EQ(lines, kReopenLines);
  EXPECT_EQ(port.written, kCallStatusRequest);
  store.ItemStatus[21] = RequestRead;  // waits until the call is done

  SendCall('3');
  EXPECT_EQ(engine.PagerSequence, 3);
  const Bytes expected = {0x01, 0x1A, 0x01, 0x00, 0x02, 0x41, 0x1F, 0x33, 0x1E, 0x31, 0x1F, 0x31, 0x32, 0x33,
                          0x34, 0x1E, 0x32, 0x1F, 0x61, 0x62, 0x63, 0x1E, 0x33, 0x1F, 0x35, 0x1E, 0xBF};
  EXPECT_EQ(port.written, expected);

  Feed(ReplyFrame(0x06, {}));
  TickUntilIdle();
  EXPECT_EQ(lines.back(), "STATUS: Call Pager via Tessaro-IP succeeded.");
  EXPECT_EQ(lines.size(), 3u);
  EXPECT_EQ(engine.FailCount, 1);
  EXPECT_TRUE(screen.progress.empty()) << "special transactions report only as message lines";
  EXPECT_EQ(store.ItemStatus[21], RequestRead);
  Tick();
  EXPECT_EQ(engine.EngineState, s::ReadSend) << "the waiting read is served afterwards";
}

TEST_F(SpecialTransactionTest, CallRecordsFromTheInputs) {
  struct Row {
    const char* name;
    std::string address;
    std::string message;
    int16_t bleep;
    uint8_t digit;
    std::string records;
    int16_t failCount;  // starts at 0
  };
  const std::vector<Row> rows = {
      {"AddressCutTo10", "123456789012", "hello", 0, '0', "A|0;1|1234567890;2|hello;3|0;", 0},
      {"NoMessageNoRecord2", "1234", "", 10, '1', "A|1;1|1234;3|A;", 0},
      {"NoBleepSelection", "1234", "m", -1, '2', "A|2;1|1234;2|m;3|FFFF;", 0},
      {"StatusDigit7", "1234", "", 15, '7', "A|7;1|1234;3|F;", 0},
      {"StatusMinusIsStillCalled", "1234", "", 1, '-', "A|-3;1|1234;3|1;", 1},
      {"StatusLetterIsStillCalled", "1234", "", 1, 'A', "A|17;1|1234;3|1;", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    screen.pagerAddress = row.address;
    screen.pagerMessage = row.message;
    screen.bleepCode = row.bleep;
    engine.FailCount = 0;
    StartTestCall();
    SendCall(row.digit);
    ASSERT_GE(port.written.size(), 6u);
    EXPECT_EQ(port.written[1], row.records.size() + 5) << "LEN is the record characters + 5";
    EXPECT_EQ(Spelled(Bytes(port.written.begin() + 5, port.written.end() - 1)), row.records);
    int sum = 0;
    for (uint8_t byte : port.written) sum += byte;
    EXPECT_EQ(sum % 256, 0);
    EXPECT_EQ(engine.FailCount, row.failCount);
    Feed(ReplyFrame(0x06, {}));
    TickUntilIdle();
  }
}

struct FailureRow {
  const char* name;
  Bytes reply;
  std::string line;  // "" for none
  int16_t failCount; // starts at 1
};

TEST_F(SpecialTransactionTest, CallStatusOutcomes) {
  const std::string timeout = "ERROR: Time-out sent call to Pager via Tessaro-IP";
  const std::string checksum = "ERROR: ChecksumError sending Paging Call via Tessaro-IP";
  const std::vector<FailureRow> rows = {
      {"NoSoh", {}, timeout + ". (SOH req BufPos)", 2},
      {"NoLen", {0x01}, timeout + ". (Len BufPos)", 1},
      {"StopsInItsData", {0x01, 0x09, 0x01}, timeout + ". (Len BufPos)", 1},
      {"Checksum", Damaged(StatusReply('3')), checksum + ". (CheckSumn req BufPos)", 1},
      {"TooLong", TooLongReply(), "", 1},
      {"NoSequencePosition", ReplyFrame(0x06, {'2'}), checksum + ". (CheckSumn req BufPos)", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    engine.FailCount = 1;
    StartTestCall();
    lines.clear();
    Feed(row.reply);
    TickUntilIdle();
    EXPECT_EQ(lines, row.line.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.line});
    EXPECT_EQ(engine.FailCount, row.failCount);
    port.received.clear();
    port.written.clear();
    Tick(300);
    EXPECT_TRUE(port.written.empty()) << "no call follows and nothing is retried";
  }
}

TEST_F(SpecialTransactionTest, CallOutcomes) {
  const std::string timeout = "ERROR: Time-out sent call to Pager via Tessaro-IP";
  const std::vector<FailureRow> rows = {
      {"Accepted", ReplyFrame(0x06, {}), "STATUS: Call Pager via Tessaro-IP succeeded.", 1},
      {"Nak", ReplyFrame(0x15, {}), "ERROR: Call Pager via Tessaro-IP not succeeded.", 1},
      {"OtherAnswer", ReplyFrame(0x02, {'x'}), "ERROR: Call Pager via Tessaro-IP not succeeded.", 1},
      {"NoSoh", {}, timeout + ". (SOH snd call)", 2},
      {"NoLen", {0x01}, timeout + ". (Len send Call)", 1},
      {"StopsInItsData", {0x01, 0x09, 0x01}, timeout + ". (Len send Call)", 1},
      {"Checksum", Damaged(ReplyFrame(0x06, {})),
       "ERROR: ChecksumError sending Paging Call via Tessaro-IP. (Data send Call)", 1},
      {"TooLong", TooLongReply(), "", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    engine.FailCount = 1;
    StartTestCall();
    SendCall('4');
    lines.clear();
    Feed(row.reply);
    TickUntilIdle();
    EXPECT_EQ(lines, row.line.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.line});
    EXPECT_EQ(engine.FailCount, row.failCount);
    port.received.clear();
    port.written.clear();
    Tick(300);
    EXPECT_TRUE(port.written.empty()) << "a test call is never repeated";
  }
}

TEST_F(SpecialTransactionTest, NoUnitTimesOutAfter120Ticks) {
  StartTestCall();
  lines.clear();
  EXPECT_EQ(TickUntilIdle(), 120);
  EXPECT_EQ(lines, std::vector<std::string>{"ERROR: Time-out sent call to Pager via Tessaro-IP. (SOH req BufPos)"});
  EXPECT_EQ(engine.FailCount, 1);

  StartReset();
  lines.clear();
  EXPECT_EQ(TickUntilIdle(), 120);
  EXPECT_EQ(lines, std::vector<std::string>{"ERROR: Time-out sending RESET command to unit (SOH) SOH."});
  EXPECT_EQ(engine.FailCount, 1);
}

TEST_F(SpecialTransactionTest, FailedTestCallsCountTowardsGivingUp) {
  for (int i = 0; i < 3; ++i) {
    StartTestCall();
    TickUntilIdle();
  }
  EXPECT_EQ(engine.FailCount, 3);
  store.ItemStatus[21] = RequestRead;
  port.written.clear();
  Tick();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "ERROR reading settings from unit.\r\nReading of settings aborted.!");
  EXPECT_TRUE(port.written.empty());
}

TEST_F(SpecialTransactionTest, ResetOutcomes) {
  const std::string timeout = "ERROR: Time-out sending RESET command to unit (SOH)";
  const std::vector<FailureRow> rows = {
      {"Accepted", ReplyFrame(0x06, {'R'}), "STATUS: RESET command sent to unit.", 1},
      {"Refused", ReplyFrame(0x15, {'R'}), "", 1},
      {"NoSoh", {}, timeout + " SOH.", 1},
      {"NoLen", {0x01}, timeout + " Length", 1},
      {"StopsInItsData", {0x01, 0x09, 0x01}, timeout + " Length", 1},
      {"Checksum", Damaged(ReplyFrame(0x06, {'R'})), "ERROR: ChecksumError sending RESET command to unit.", 1},
      {"TooLong", TooLongReply(), "", 1},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    engine.FailCount = 1;
    StartReset();
    EXPECT_EQ(port.written, kResetRequest);
    lines.clear();
    Feed(row.reply);
    TickUntilIdle();
    EXPECT_EQ(lines, row.line.empty() ? std::vector<std::string>{} : std::vector<std::string>{row.line});
    EXPECT_EQ(engine.FailCount, row.failCount);
    EXPECT_TRUE(screen.progress.empty());
    port.received.clear();
  }
}

TEST_F(SpecialTransactionTest, NotStartedWhenThePortDoesNotReopen) {
  port.failOpen = true;
  engine.TestCallRequest = true;
  Tick();
  EXPECT_FALSE(engine.TestCallRequest);
  EXPECT_EQ(engine.EngineState, s::Idle);
  EXPECT_EQ(lines, (std::vector<std::string>{"Comport closed by software.", "Error opening Comport:  1"}));
}

TEST_F(SpecialTransactionTest, TestCallAndResetTogetherRunOneAfterTheOther) {
  engine.TestCallRequest = true;
  engine.ResetRequest = true;
  Tick();
  EXPECT_EQ(engine.EngineState, s::CallStatusSend);
  EXPECT_TRUE(engine.ResetRequest) << "the reset waits for the next idle tick";
  port.written.clear();
  Tick();
  EXPECT_EQ(port.written, kCallStatusRequest);
  TickUntilIdle();
  Tick();
  EXPECT_EQ(engine.EngineState, s::ResetSend);
  EXPECT_FALSE(engine.ResetRequest);
}

}  // namespace
}  // namespace tessaro
