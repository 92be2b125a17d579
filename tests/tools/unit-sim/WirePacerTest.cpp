#include "tools/unit-sim/WirePacer.h"

#include <gtest/gtest.h>

namespace tessaro::unitsim {
namespace {

using namespace std::chrono_literals;
using Clock = WirePacer::Clock;

TEST(UnitSimWirePacerTest, UnpacedReleasesEverything) {
  WirePacer pacer(false);
  EXPECT_EQ(pacer.Take(Clock::time_point{} + 5s, 40), 40u);
  EXPECT_EQ(pacer.Take(Clock::time_point{} + 5s, 0), 0u);
}

TEST(UnitSimWirePacerTest, PacedReleasesOneBytePerByteTime) {
  WirePacer pacer(true, 1ms);
  const auto t0 = Clock::time_point{} + 10s;
  struct Step {
    std::chrono::microseconds at;
    std::size_t waiting;
    std::size_t expected;
  };
  const Step steps[] = {
      {0us, 14, 1},     // an idle line starts at once
      {500us, 13, 0},   // still sending the first byte
      {1000us, 13, 1},  // second byte
      {2500us, 12, 1},  // third byte was due at 2 ms
      {3000us, 11, 1},  // fourth at 3 ms
      {3999us, 10, 0},
  };
  for (const auto& s : steps) {
    EXPECT_EQ(pacer.Take(t0 + s.at, s.waiting), s.expected) << "at " << s.at.count() << " us";
  }
  EXPECT_EQ(pacer.NextDue(), t0 + 4ms);
}

TEST(UnitSimWirePacerTest, SlightlyLateWakeUpKeepsToTheSchedule) {
  WirePacer pacer(true, 1ms);
  const auto t0 = Clock::time_point{} + 10s;
  EXPECT_EQ(pacer.Take(t0, 10), 1u);
  // Bytes were due at 1, 2 and 3 ms: three now, the next at 4 ms.
  EXPECT_EQ(pacer.Take(t0 + 3500us, 9), 3u);
  EXPECT_EQ(pacer.NextDue(), t0 + 4ms);
}

TEST(UnitSimWirePacerTest, LongPauseDoesNotEarnABurst) {
  WirePacer pacer(true, 1ms);
  const auto t0 = Clock::time_point{} + 10s;
  EXPECT_EQ(pacer.Take(t0, 10), 1u);
  // 50 ms without sending: the line was idle, so one byte now.
  EXPECT_EQ(pacer.Take(t0 + 50ms, 9), 1u);
  EXPECT_EQ(pacer.Take(t0 + 50ms, 8), 0u);
}

TEST(UnitSimWirePacerTest, NineSixHundredBaudIsTenBitsPerByte) {
  // 14 bytes of a read reply take about 14.6 ms on the wire.
  EXPECT_EQ(std::chrono::duration_cast<std::chrono::microseconds>(WirePacer::kByteTime9600 * 14).count(), 14583);
}

}  // namespace
}  // namespace tessaro::unitsim
