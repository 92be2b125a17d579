#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "protocol/EngineDriver.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro {
namespace {

using testing::ItemReply;
using testing::PendingCalls;

namespace s = engine_state;

class EngineDriverTest : public testing::EngineFixture {
 protected:
  PendingCalls timer;
};

TEST_F(EngineDriverTest, ArrivalEndsTheReplyAndTheGapTimerSendsTheNextRequest) {
  Start();
  EngineDriver driver(engine, timer.Later());
  SendReadOf21And23();

  port.Feed(ItemReply(21, {2}));
  driver.Arrived();
  driver.Arrived();  // more arrivals during the gap start no second timer
  driver.Tick();
  ASSERT_EQ(timer.calls.size(), 1u);
  EXPECT_EQ(timer.calls[0].ms, RequestGapMs);
  EXPECT_TRUE(port.written.empty());

  timer.FireAll();
  EXPECT_EQ(port.written, *BuildReadRequest(23));
  EXPECT_TRUE(timer.calls.empty()) << "no gap while a request is out";
}

TEST_F(EngineDriverTest, ArrivalWithNothingToEndStartsNoTimer) {
  Start();
  EngineDriver driver(engine, timer.Later());
  port.Feed(testing::TextBytes("PING\r\n"));
  driver.Arrived();
  EXPECT_TRUE(LinesContain("PING"));
  EXPECT_TRUE(timer.calls.empty());
}

TEST_F(EngineDriverTest, TimerFiringAfterTheDriverIsGoneDoesNothing) {
  Start();
  {
    EngineDriver driver(engine, timer.Later());
    SendReadOf21And23();
    port.Feed(ItemReply(21, {2}));
    driver.Arrived();
  }
  ASSERT_EQ(timer.calls.size(), 1u);
  timer.FireAll();
  EXPECT_TRUE(port.written.empty());
}

}  // namespace
}  // namespace tessaro
