#pragma once

#include <cstdint>

#include "protocol/Frames.h"

namespace tessaro {

enum class ReplyPhase { Soh, Len, Data, Ended };

enum class ReplyOutcome { Waiting, Complete, ChecksumError, TooLong, SohTimeout, LenTimeout, DataTimeout };

// Collects one reply frame: SOH, LEN, then LEN bytes of data and checksum.
// It owns nothing but the frame; whoever holds the port feeds it byte by
// byte and tells it when a tick has passed.
//
// The time-out counts ticks like the engine's countdowns: progress (or the
// start) arms it with the full count, and each later tick takes one off.
// Progress that arrives between ticks counts as made at the next tick, so
// a reply is given exactly as many ticks as when bytes were only read on
// the tick.
class ReplyReceiver {
 public:
  explicit ReplyReceiver(int timeoutTicks) : timeoutTicks_(timeoutTicks) { buffer_.fill(-1); }

  // A request went out: an empty buffer (-1 everywhere), waiting for SOH.
  // betweenTicks: the request left outside a tick.
  void Start(bool betweenTicks = false);
  // Ends the wait without an outcome (the port went away, a cancel).
  void Stop() { phase_ = ReplyPhase::Ended; }

  ReplyOutcome Feed(uint8_t byte);
  // Call after feeding what arrived by this tick.
  ReplyOutcome TickPassed();

  ReplyPhase Phase() const { return phase_; }
  bool Receiving() const { return phase_ != ReplyPhase::Ended; }
  const ReplyBuffer& Buffer() const { return buffer_; }
  int Position() const { return position_; }
  int Length() const { return length_; }
  int CheckSum() const { return checkSum_; }
  int CountdownTicks() const { return countdown_; }

 private:
  void Store(uint8_t byte);
  void Progress();
  ReplyOutcome End(ReplyOutcome outcome);

  int timeoutTicks_;
  ReplyBuffer buffer_{};
  ReplyPhase phase_ = ReplyPhase::Ended;
  int position_ = 0;
  int length_ = 0;
  int checkSum_ = 0;
  int countdown_ = 0;
  bool progressSinceTick_ = false;
};

}  // namespace tessaro
