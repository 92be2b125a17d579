#include "protocol/ReplyReceiver.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro::testing {
namespace {

constexpr int kTimeout = 120;

// Feeds bytes until the receiver answers; Waiting when it never did.
ReplyOutcome FeedAll(ReplyReceiver& receiver, const Bytes& bytes) {
  for (uint8_t byte : bytes) {
    const ReplyOutcome outcome = receiver.Feed(byte);
    if (outcome != ReplyOutcome::Waiting) return outcome;
  }
  return ReplyOutcome::Waiting;
}

// Ticks until the receiver answers; the tick that answered (1 = the first), or -1.
int TicksUntilAnswer(ReplyReceiver& receiver, ReplyOutcome& outcome, int limit = 1000) {
  for (int tick = 1; tick <= limit; ++tick) {
    outcome = receiver.TickPassed();
    if (outcome != ReplyOutcome::Waiting) return tick;
  }
  return -1;
}

Bytes FrameOfLength(int len) {
  // SOH LEN, then len - 2 data bytes and the checksum: len + 1 bytes in all.
  Bytes frame = {0x01, static_cast<uint8_t>(len)};
  for (int i = 2; i < len; ++i) frame.push_back(static_cast<uint8_t>('a' + i % 26));
  int sum = 0;
  for (uint8_t byte : frame) sum += byte;
  frame.push_back(static_cast<uint8_t>((256 - sum % 256) % 256));
  return frame;
}

TEST(ReplyReceiverTest, NoiseBeforeTheStartByteIsDropped) {
  const Bytes reply = ReplyFrame(ACK, {'x', 'y'});
  Bytes noisy = {0x00, 0xFF, 0x06, 0x7F, '\r', '\n', 0x02};
  noisy.insert(noisy.end(), reply.begin(), reply.end());
  ReplyReceiver receiver(kTimeout);
  receiver.Start();
  EXPECT_EQ(FeedAll(receiver, noisy), ReplyOutcome::Complete);
  EXPECT_EQ(receiver.Position(), static_cast<int>(reply.size()));
  EXPECT_EQ(receiver.Length(), reply[1]);
  for (std::size_t i = 0; i < reply.size(); ++i) EXPECT_EQ(receiver.Buffer()[i], reply[i]) << "offset " << i;
  EXPECT_EQ(receiver.Buffer()[reply.size()], -1) << "nothing past the frame";
  EXPECT_TRUE(ReplyAccepted(receiver.Buffer(), receiver.Length()));
  EXPECT_FALSE(receiver.Receiving());
}

TEST(ReplyReceiverTest, FrameSplitAcrossManyTicksWithLongGaps) {
  // One byte every few ticks (bytes 30 ms apart and slower): never a time-out.
  const Bytes reply = ItemReply(21, {'5'});
  ReplyReceiver receiver(kTimeout);
  receiver.Start();
  ReplyOutcome outcome = ReplyOutcome::Waiting;
  for (uint8_t byte : reply) {
    for (int tick = 0; tick < kTimeout - 1; ++tick) ASSERT_EQ(receiver.TickPassed(), ReplyOutcome::Waiting);
    outcome = receiver.Feed(byte);
  }
  EXPECT_EQ(outcome, ReplyOutcome::Complete);
  EXPECT_EQ(ReplyItem(receiver.Buffer()), 21);
}

TEST(ReplyReceiverTest, LengthBoundary) {
  struct Case {
    int len;
    ReplyOutcome outcome;
    int position;  // bytes taken when it answered
  };
  // 98 bytes at most (LEN 97); the 99th byte ends reception at once.
  for (const Case& c : {Case{5, ReplyOutcome::Complete, 6}, Case{97, ReplyOutcome::Complete, 98},
                        Case{98, ReplyOutcome::TooLong, 99}, Case{99, ReplyOutcome::TooLong, 99},
                        Case{255, ReplyOutcome::TooLong, 99}}) {
    ReplyReceiver receiver(kTimeout);
    receiver.Start();
    Bytes frame = FrameOfLength(c.len);
    frame.push_back(0x01);  // a following byte is never taken
    EXPECT_EQ(FeedAll(receiver, frame), c.outcome) << "LEN " << c.len;
    EXPECT_EQ(receiver.Position(), c.position) << "LEN " << c.len;
  }
}

TEST(ReplyReceiverTest, DamagedChecksum) {
  Bytes reply = ReplyFrame(ACK, {'x'});
  reply.back() ^= 0x10;
  ReplyReceiver receiver(kTimeout);
  receiver.Start();
  EXPECT_EQ(FeedAll(receiver, reply), ReplyOutcome::ChecksumError);
  EXPECT_EQ(receiver.Feed(0x01), ReplyOutcome::Waiting) << "an ended reply takes nothing";
  EXPECT_EQ(receiver.Position(), static_cast<int>(reply.size()));
}

TEST(ReplyReceiverTest, TimeOutsCountFullTicksFromTheLastProgress) {
  struct Case {
    const char* what;
    Bytes received;
    ReplyOutcome outcome;
  };
  const Bytes reply = ReplyFrame(ACK, {'x', 'y'});
  for (const Case& c : {Case{"nothing", {}, ReplyOutcome::SohTimeout},
                        Case{"noise only", {0x00, 0x02, 0x06}, ReplyOutcome::SohTimeout},
                        Case{"SOH", {0x01}, ReplyOutcome::LenTimeout},
                        Case{"SOH LEN", {0x01, 0x08}, ReplyOutcome::DataTimeout},
                        Case{"half a frame", Bytes(reply.begin(), reply.begin() + 6), ReplyOutcome::DataTimeout}}) {
    // Sent in a tick: the following 120 ticks are the wait.
    ReplyReceiver receiver(kTimeout);
    receiver.Start();
    ASSERT_EQ(FeedAll(receiver, c.received), ReplyOutcome::Waiting) << c.what;
    ReplyOutcome outcome = ReplyOutcome::Waiting;
    const bool progress = !c.received.empty() && c.received[0] == 0x01;
    // Progress made between ticks counts from the next tick, as when bytes
    // were only read on the tick.
    EXPECT_EQ(TicksUntilAnswer(receiver, outcome), progress ? kTimeout + 1 : kTimeout) << c.what;
    EXPECT_EQ(outcome, c.outcome) << c.what;
    EXPECT_FALSE(receiver.Receiving()) << c.what;
  }
}

TEST(ReplyReceiverTest, RequestSentBetweenTicksWaitsFromTheNextTick) {
  ReplyReceiver receiver(kTimeout);
  receiver.Start(/*betweenTicks=*/true);
  ReplyOutcome outcome = ReplyOutcome::Waiting;
  EXPECT_EQ(TicksUntilAnswer(receiver, outcome), kTimeout + 1);
  EXPECT_EQ(outcome, ReplyOutcome::SohTimeout);
}

TEST(ReplyReceiverTest, StartForgetsTheLastReply) {
  ReplyReceiver receiver(kTimeout);
  receiver.Start();
  ASSERT_EQ(FeedAll(receiver, ReplyFrame(ACK, {'x'})), ReplyOutcome::Complete);
  receiver.Start();
  EXPECT_EQ(receiver.Position(), 0);
  EXPECT_EQ(receiver.Phase(), ReplyPhase::Soh);
  for (int16_t value : receiver.Buffer()) EXPECT_EQ(value, -1);
  EXPECT_FALSE(ReplyAccepted(receiver.Buffer(), receiver.Length()));
}

TEST(ReplyReceiverTest, StoppedWaitNeverTimesOut) {
  ReplyReceiver receiver(kTimeout);
  receiver.Start();
  receiver.Feed(0x01);
  receiver.Stop();
  ReplyOutcome outcome = ReplyOutcome::Waiting;
  EXPECT_EQ(TicksUntilAnswer(receiver, outcome, 500), -1);
  EXPECT_EQ(receiver.Feed(0x05), ReplyOutcome::Waiting);
  EXPECT_EQ(receiver.Position(), 1);
}

}  // namespace
}  // namespace tessaro::testing
