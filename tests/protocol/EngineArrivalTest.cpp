#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro {
namespace {

using testing::Bytes;
using testing::FakeUnit;
using testing::ItemReply;
using testing::kAttention;
using testing::ReplyFrame;

namespace s = engine_state;

// The engine driven as the front ends drive it: a tick now and then, and a go
// whenever bytes arrive or the quiet gap after a reply has passed.
class EngineArrivalTest : public testing::EngineFixture {
 protected:
  // What a front end does after bytes arrived: a go, and the gap's go once
  // its time is up (here at once: only the order of events matters).
  void Arrived() {
    engine.Continue();
    while (engine.WaitsForGap()) engine.GapEnded();
  }

  // Ticks, letting the unit answer each request as soon as it is written.
  int TicksUntil(FakeUnit& unit, const std::function<bool()>& done, int limit = 2000) {
    for (int ticks = 0; ticks <= limit; ++ticks) {
      for (std::size_t before = SIZE_MAX; before != port.written.size();) {
        before = port.written.size();
        unit.Respond();
        Arrived();
      }
      if (done()) return ticks;
      engine.EngineTick(0);
    }
    return -1;
  }
};

TEST_F(EngineArrivalTest, ReplyIsTakenAsItArrivesAndTheNextRequestWaitsForTheGap) {
  Start();
  SendReadOf21And23();

  // Half a reply: taken, nothing decided yet.
  const Bytes reply = ItemReply(21, {2});
  Feed(Bytes(reply.begin(), reply.begin() + 5));
  engine.Continue();
  EXPECT_EQ(engine.EngineState, s::ReadData);

  Feed(Bytes(reply.begin() + 5, reply.end()));
  engine.Continue();
  EXPECT_EQ(store.UnitValues[21], ItemValue("2"));
  EXPECT_EQ(store.ItemStatus[21], RequestNone);
  EXPECT_TRUE(LinesContain("Read from unit:  [Item: 21 Value: 2] ESPA mode 2 OK"));
  // The next item is picked in the same go, but its request waits.
  EXPECT_EQ(engine.CurrentItem, 23);
  EXPECT_TRUE(engine.WaitsForGap());
  engine.Continue();
  EXPECT_TRUE(port.written.empty());

  engine.GapEnded();
  EXPECT_FALSE(engine.WaitsForGap());
  EXPECT_EQ(engine.EngineState, s::ReadSoh);
  EXPECT_EQ(port.written, *BuildReadRequest(23));
}

TEST_F(EngineArrivalTest, WithoutItsEndTheGapClosesOnTheSecondTick) {
  Start();
  SendReadOf21And23();
  Feed(ItemReply(21, {2}));
  engine.Continue();
  ASSERT_TRUE(engine.WaitsForGap());

  // The first tick may come a moment after the reply ended.
  Tick();
  engine.Continue();
  EXPECT_TRUE(port.written.empty());
  Tick();
  EXPECT_FALSE(engine.WaitsForGap());
  EXPECT_EQ(port.written, *BuildReadRequest(23));
}

TEST_F(EngineArrivalTest, CountdownsSetBetweenTicksRunTheirWholeTicks) {
  Start();
  // A quiet line: the request needs the attention frame and its delay.
  store.ItemStatus[21] = RequestRead;
  engine.Continue();
  ASSERT_EQ(port.written, kAttention);
  int ticks = 0;
  while (port.written.size() == kAttention.size() && ticks < 100) {
    Tick();
    ++ticks;
  }
  EXPECT_EQ(ticks, StepDelayTicks + 1);

  // A request sent between ticks times out after its full 120 ticks.
  store.ItemStatus[23] = RequestRead;
  Feed(ItemReply(21, {2}));
  engine.Continue();
  engine.GapEnded();
  ASSERT_EQ(engine.EngineState, s::ReadSoh);
  ticks = 0;
  while (engine.EngineState == s::ReadSoh && ticks < 500) {
    Tick();
    ++ticks;
  }
  EXPECT_EQ(ticks, ReplyTimeoutTicks + 1);
  EXPECT_EQ(engine.FailCount, 1);
}

TEST_F(EngineArrivalTest, NothingHappensBeforeTheStart) {
  Feed(ItemReply(21, {2}));
  engine.Continue();
  engine.GapEnded();
  EXPECT_EQ(engine.EngineState, s::Initial);
  EXPECT_EQ(port.received.size(), ItemReply(21, {2}).size());
}

TEST_F(EngineArrivalTest, ReadAllTakesOnlyTheAttentionDelayInTicks) {
  Start();
  FakeUnit unit(port);
  unit.charValue = 2;
  engine.ReadAll();
  const int ticks = TicksUntil(unit, [this] { return engine.Quiet(); });
  EXPECT_EQ(unit.seen.size(), 32u);
  EXPECT_EQ(store.UnitValues[21], ItemValue("2"));
  EXPECT_TRUE(LinesContain("Reading of all settings successfull."));
  // Flags served, item picked and attention sent, its delay, the last
  // request, the batch line; everything else as the replies come in.
  EXPECT_LE(ticks, StepDelayTicks + 4);
}

TEST_F(EngineArrivalTest, TestCallFrameFollowsTheStatusReplyOnceTheGapHasPassed) {
  Start();
  screen.pagerAddress = "1234";
  screen.pagerMessage = "abc";
  screen.bleepCode = 5;
  engine.TestCall();
  Tick(StepDelayTicks + 2);
  ASSERT_EQ(engine.EngineState, s::CallStatusSoh);
  port.written.clear();

  Feed(ReplyFrame(0x06, {'2', 0x1F, '3', 0x1E}));
  engine.Continue();
  EXPECT_EQ(engine.EngineState, s::CallSend);
  EXPECT_TRUE(port.written.empty());
  engine.GapEnded();
  EXPECT_EQ(engine.EngineState, s::CallSoh);
  const Bytes call = {0x01, 0x1A, 0x01, 0x00, 0x02, 0x41, 0x1F, 0x33, 0x1E, 0x31, 0x1F, 0x31, 0x32, 0x33,
                      0x34, 0x1E, 0x32, 0x1F, 0x61, 0x62, 0x63, 0x1E, 0x33, 0x1F, 0x35, 0x1E, 0xBF};
  EXPECT_EQ(port.written, call);

  Feed(ReplyFrame(0x06, {}));
  engine.Continue();
  EXPECT_EQ(lines.back(), "STATUS: Call Pager via Tessaro-IP succeeded.");
}

}  // namespace
}  // namespace tessaro
