#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <thread>
#include <vector>

#include "cli/TickSource.h"

namespace tessaro::cli {
namespace {

using namespace std::chrono_literals;

TEST(SteadyTicks, EventsAreServedUntilEachTickIsDue) {
  std::vector<std::chrono::nanoseconds> served;
  // Long enough that a busy machine (or Windows' coarse sleep) does not make
  // the second tick late, which would skip its serving.
  SteadyTicks ticks(50ms, [&](std::chrono::nanoseconds left) {
    served.push_back(left);
    std::this_thread::sleep_for(left);
  });
  ASSERT_TRUE(ticks.NextTick());
  ASSERT_TRUE(ticks.NextTick());
  ASSERT_GE(served.size(), 2u);
  for (const auto left : served) {
    EXPECT_GT(left.count(), 0);
    EXPECT_LE(left, 50ms) << "never asked to serve beyond the tick";
  }
}

#if !defined(_WIN32)
TEST(SteadyTicks, StopSignalWhileEventsAreServedEndsTheTicks) {
  bool raised = false;
  SteadyTicks ticks(5ms, [&](std::chrono::nanoseconds left) {
    if (!raised) {
      raised = true;
      std::raise(SIGINT);  // held back while the ticks exist
    }
    std::this_thread::sleep_for(left);
  });
  EXPECT_FALSE(ticks.NextTick());
  EXPECT_FALSE(ticks.NextTick()) << "stopped stays stopped";
}
#endif

}  // namespace
}  // namespace tessaro::cli
