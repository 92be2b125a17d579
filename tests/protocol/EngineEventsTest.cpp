#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Items.h"
#include "protocol/EngineEvents.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro::testing {
namespace {

struct Recorder final : EngineEvents {
  void ItemRead(int16_t item, const ItemValue& value) override {
    log.push_back("read " + std::to_string(item) + " " + value.TextValue());
  }
  void ItemWritten(int16_t item, const ItemValue& value) override {
    log.push_back("written " + std::to_string(item) + " " + value.TextValue());
  }
  void TransactionFinished(TransactionKind kind, int16_t item, TransactionOutcome outcome) override {
    log.push_back("end " + std::to_string(static_cast<int>(kind)) + " " + std::to_string(item) + " " +
                  std::to_string(static_cast<int>(outcome)));
  }
  void BatchFinished(BatchKind kind, TransactionOutcome outcome) override {
    log.push_back("batch " + std::to_string(static_cast<int>(kind)) + " " + std::to_string(static_cast<int>(outcome)));
  }
  void UnitLine(const std::string& line) override { log.push_back("unit " + line); }
  std::vector<std::string> log;
};

class EngineEventsTest : public EngineFixture {
 protected:
  void SetUp() override {
    Start();
    engine.SetEvents(&recorder);
  }
  void TearDown() override { engine.SetEvents(nullptr); }

  // Runs a test call or a reset whose final reply carries `answer`; the
  // status reply of a test call is always good.
  void RunSpecial(bool testCall, std::optional<uint8_t> answer) {
    if (testCall) {
      engine.TestCall();
      Tick(2);
      Feed(ReplyFrame(ACK, {'x', US, '3', RS}));
      Tick(2);
    } else {
      engine.Reset();
      Tick(2);
    }
    if (answer) Feed(ReplyFrame(*answer, {}));
    Tick(answer ? 1 : ReplyTimeoutTicks);
  }

  Recorder recorder;
};

TEST_F(EngineEventsTest, TestCallAndResetOutcomes) {
  struct Case {
    bool testCall;
    std::optional<uint8_t> answer;
    std::string end;
  };
  // kind 2 test call, 3 reset; outcome 0 done, 1 refused, 2 failed.
  for (const Case& c : {Case{true, ACK, "end 2 -1 0"}, Case{true, 0x15, "end 2 -1 1"}, Case{true, std::nullopt, "end 2 -1 2"},
                        Case{false, ACK, "end 3 -1 0"}, Case{false, 0x15, "end 3 -1 1"},
                        Case{false, std::nullopt, "end 3 -1 2"}}) {
    recorder.log.clear();
    engine.FailCount = 0;
    RunSpecial(c.testCall, c.answer);
    EXPECT_EQ(recorder.log, std::vector<std::string>{c.end}) << c.end;
    EXPECT_TRUE(engine.Quiet());
  }
}

TEST_F(EngineEventsTest, ItemReadAndWrittenThenTheirEnds) {
  engine.ReadItem(21);
  SendPendingRequest();
  Feed(ItemReply(21, {2}));
  Tick(2);
  store.ItemValues[21] = ItemValue(3);
  engine.WriteItem(21);
  SendPendingRequest();
  Feed(ReplyFrame(0x15, {}));
  Tick(2);
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"read 21 2", "end 0 21 0", "end 1 21 1"}));
}

TEST_F(EngineEventsTest, UnitLineComesWithItsMessageLine) {
  Feed(TextBytes("BOOT OK\r\n"));
  Tick();
  EXPECT_EQ(recorder.log, std::vector<std::string>{"unit BOOT OK"});
  EXPECT_TRUE(LinesContain("BOOT OK"));
}

TEST_F(EngineEventsTest, CancelEndsTheBatch) {
  engine.ReadAll();
  Tick();
  engine.Cancel();
  EXPECT_EQ(recorder.log, std::vector<std::string>{"batch 0 3"});
  EXPECT_TRUE(engine.Quiet());
}

// A request raised and not yet served is dropped by Cancel, with its outcome:
// served later, it would start work the user called off.
TEST_F(EngineEventsTest, CancelDropsRaisedRequests) {
  engine.ReadAll();
  engine.WriteAll(ScreenWriteAll(false));
  engine.TestCall();
  engine.Reset();
  engine.Cancel();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"batch 0 3", "batch 1 3", "end 2 -1 3", "end 3 -1 3"}));
  EXPECT_TRUE(engine.Quiet());
  port.written.clear();
  Tick(StepDelayTicks * 3);
  EXPECT_TRUE(port.written.empty());
}

// Kept while the port is away, a request would go to whatever unit is
// plugged in next: it is refused at once and says why.
TEST_F(EngineEventsTest, BulkAndSpecialRequestsWithoutAPortAreRefusedAtOnce) {
  port.HangUp();
  port.failOpen = true;
  Tick();
  ASSERT_TRUE(engine.PortIsLost());
  recorder.log.clear();
  screen.progress.clear();

  engine.ReadAll();
  engine.WriteAll(ScreenWriteAll(false));
  engine.TestCall();
  engine.Reset();
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"batch 0 2", "batch 1 2", "end 2 -1 2", "end 3 -1 2"}));
  const std::string refusal = "The port is not open: nothing was sent to the unit.";
  EXPECT_EQ(screen.progress, refusal + "\r\n" + refusal + "\r\n" + refusal + "\r\n" + refusal + "\r\n");
  EXPECT_TRUE(LinesContain(refusal));

  // Another unit on the link: nothing waits for it.
  port.failOpen = false;
  port.written.clear();
  Tick(ReopenDelayTicks + StepDelayTicks * 3);
  EXPECT_FALSE(engine.PortIsLost());
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(engine.Quiet());
}

// Raised while the port was there and still waiting when it went, a
// request is dropped when the port returns, as item requests are: the unit
// now on the link may be another one.
TEST_F(EngineEventsTest, RequestsRaisedBeforeThePortWentAreDroppedWhenItReturns) {
  store.ItemStatus[21] = RequestRead;
  Tick(2);  // the read is under way; what is raised now waits for it
  ASSERT_FALSE(engine.Quiet());
  engine.ReadAll();
  engine.WriteAll(ScreenWriteAll(false));
  engine.TestCall();
  engine.Reset();
  ASSERT_TRUE(recorder.log.empty());

  port.HangUp();
  port.failOpen = true;
  for (int i = 0; i < 2000 && !engine.PortIsLost(); ++i) Tick();
  ASSERT_TRUE(engine.PortIsLost());
  recorder.log.clear();
  screen.progress.clear();
  port.failOpen = false;
  port.written.clear();
  Tick(ReopenDelayTicks + StepDelayTicks * 3);
  EXPECT_FALSE(engine.PortIsLost());
  EXPECT_EQ(recorder.log, (std::vector<std::string>{"batch 0 3", "batch 1 3", "end 2 -1 3", "end 3 -1 3"}));
  EXPECT_EQ(screen.progress, "\r\nCurrent actions Read from or Write to unit cancelled!\r\n");
  EXPECT_TRUE(port.written.empty());
  EXPECT_TRUE(engine.Quiet());
}

// An item a batch could not send makes the batch fail, named in its last line.
TEST_F(EngineEventsTest, BatchWithAnItemNotSentNamesItInsteadOfSuccess) {
  FakeUnit unit(port);
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (IsWritableItem(item) >= 0) store.ItemValues[static_cast<std::size_t>(item)] = ItemValue(1);
  }
  screen.rows[23].shown = "999";  // more than one byte can carry
  screen.rows[21].shown = "2";
  engine.WriteAll(ScreenWriteAll(false));
  for (int tick = 0; tick < 400 && !engine.Quiet(); ++tick) {
    unit.Respond();
    Tick();
  }
  ASSERT_TRUE(engine.Quiet());
  EXPECT_EQ(recorder.log.back(), "batch 1 2");
  EXPECT_NE(screen.progress.find("Writing of all settings failed for item 23."), std::string::npos) << screen.progress;
  for (const std::string& line : lines) EXPECT_EQ(line.find("successfull"), std::string::npos) << line;
  EXPECT_TRUE(LinesContain("Writing of all settings failed for item 23."));
  EXPECT_TRUE(LinesContain("ERROR Writing of:  [Item: 23 Value: 999] -> Not implemented type of unit!"));
}

}  // namespace
}  // namespace tessaro::testing
