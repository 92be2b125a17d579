#include <gtest/gtest.h>

#include <string>

#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro {
namespace {

using testing::Bytes;
using testing::ItemReply;
using testing::kAttention;

namespace s = engine_state;

// When the line may carry the next byte: the quiet gap after a reply, the
// attention frame after a quiet spell, the first byte after an open.
class LineTimingTest : public testing::EngineFixture {
 protected:
  bool StartsWith(const Bytes& prefix) const {
    return port.written.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), port.written.begin());
  }

  // Item 23's read request goes out inside a tick or in a go between ticks
  // (the gap's timer); its reply arrives at once.
  void Read23After21(bool inTick) {
    SendReadOf21And23();
    Feed(ItemReply(21, {2}));
    engine.Continue();
    ASSERT_TRUE(engine.WaitsForGap());
    if (inTick) {
      ASSERT_GE(TickUntil([this] { return engine.EngineState == s::ReadSoh; }, 5), 1);
    } else {
      engine.GapEnded();
    }
    ASSERT_EQ(engine.EngineState, s::ReadSoh);
    Feed(ItemReply(23, {60}));
    engine.Continue();
    ASSERT_EQ(engine.EngineState, s::Idle);
    port.written.clear();
  }
};

TEST_F(LineTimingTest, AttentionFrameWaitsForTheQuietGap) {
  Start();
  SendReadOf21And23();
  // The unit took so long that the line counts as quiet when it answers.
  engine.IdleCountdown = 0;
  Feed(ItemReply(21, {2}));
  engine.Continue();
  EXPECT_TRUE(port.written.empty()) << "the attention frame went out with the reply's last byte";

  engine.GapEnded();
  EXPECT_EQ(port.written, kAttention);
}

struct QuietCase {
  bool sentInTick;
  int ticksAfter;
  bool attention;
};

class QuietThreshold : public LineTimingTest, public ::testing::WithParamInterface<QuietCase> {};

// 80 whole ticks after a read request the line counts as quiet, wherever in
// a tick the request went out; one tick earlier it is still awake.
TEST_P(QuietThreshold, NextRequestIsPrecededByAttentionOnlyOnceTheLineIsQuiet) {
  const QuietCase c = GetParam();
  Start();
  Read23After21(c.sentInTick);
  Tick(c.ticksAfter);
  engine.ReadItem(21);
  engine.Continue();
  if (c.attention) {
    EXPECT_EQ(port.written, kAttention);
  } else {
    EXPECT_EQ(port.written, *BuildReadRequest(21));
  }
}

INSTANTIATE_TEST_SUITE_P(BothSides, QuietThreshold,
                         ::testing::Values(QuietCase{true, QuietAfterReadTicks - 1, false},
                                           QuietCase{true, QuietAfterReadTicks, true},
                                           QuietCase{false, QuietAfterReadTicks - 1, false},
                                           QuietCase{false, QuietAfterReadTicks, true}),
                         [](const auto& info) {
                           return std::string(info.param.sentInTick ? "InTick" : "BetweenTicks") +
                                  (info.param.attention ? "Quiet" : "Awake");
                         });

class FirstByteAfterOpen : public LineTimingTest, public ::testing::WithParamInterface<bool> {};

// Opening a port is followed by at least one whole tick before its first
// byte: an adapter or a unit may need it.
TEST_P(FirstByteAfterOpen, WaitsAWholeTick) {
  const bool inTick = GetParam();
  Start();
  engine.ReadAll();
  if (inTick) {
    Tick();
  } else {
    engine.Continue();
  }
  ASSERT_EQ(engine.BatchReport, 1);
  port.written.clear();
  engine.Continue();
  EXPECT_TRUE(port.written.empty()) << "nothing in the moment the port opened";
  if (!inTick) {
    Tick();
    EXPECT_TRUE(port.written.empty()) << "the first tick after a go may come a moment later";
  }
  Tick();
  EXPECT_EQ(port.written, kAttention);
}

INSTANTIATE_TEST_SUITE_P(OpenedInATickOrBetween, FirstByteAfterOpen, ::testing::Bool(),
                         [](const auto& info) { return std::string(info.param ? "InTick" : "BetweenTicks"); });

}  // namespace
}  // namespace tessaro
