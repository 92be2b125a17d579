#include "protocol/ReplyReceiver.h"

namespace tessaro {

void ReplyReceiver::Start(bool betweenTicks) {
  buffer_.fill(-1);
  phase_ = ReplyPhase::Soh;
  position_ = 0;
  length_ = 0;
  checkSum_ = 0;
  countdown_ = timeoutTicks_;
  progressSinceTick_ = betweenTicks;
}

void ReplyReceiver::Store(uint8_t byte) {
  if (position_ >= 0 && position_ < RxBufferSize) buffer_[static_cast<std::size_t>(position_)] = byte;
  ++position_;
  checkSum_ = (checkSum_ + byte) % 256;
}

void ReplyReceiver::Progress() {
  countdown_ = timeoutTicks_;
  progressSinceTick_ = true;
}

ReplyOutcome ReplyReceiver::End(ReplyOutcome outcome) {
  phase_ = ReplyPhase::Ended;
  return outcome;
}

ReplyOutcome ReplyReceiver::Feed(uint8_t byte) {
  switch (phase_) {
    case ReplyPhase::Ended:
      return ReplyOutcome::Waiting;
    case ReplyPhase::Soh:
      // Anything before the SOH is noise.
      if (byte != SOH) return ReplyOutcome::Waiting;
      checkSum_ = 0;
      Store(byte);
      Progress();
      phase_ = ReplyPhase::Len;
      return ReplyOutcome::Waiting;
    case ReplyPhase::Len:
      Store(byte);
      length_ = byte;
      Progress();
      phase_ = ReplyPhase::Data;
      return ReplyOutcome::Waiting;
    case ReplyPhase::Data:
      Store(byte);
      // A reply that stops in its data must not hold the engine forever.
      Progress();
      if (position_ > InfoMaxLen) return End(ReplyOutcome::TooLong);
      if (position_ > length_) return End(checkSum_ == 0 ? ReplyOutcome::Complete : ReplyOutcome::ChecksumError);
      return ReplyOutcome::Waiting;
  }
  return ReplyOutcome::Waiting;
}

ReplyOutcome ReplyReceiver::TickPassed() {
  if (phase_ == ReplyPhase::Ended) return ReplyOutcome::Waiting;
  if (progressSinceTick_) {
    progressSinceTick_ = false;
  } else if (countdown_ > 0) {
    --countdown_;
  }
  if (countdown_ > 0) return ReplyOutcome::Waiting;
  switch (phase_) {
    case ReplyPhase::Soh: return End(ReplyOutcome::SohTimeout);
    case ReplyPhase::Len: return End(ReplyOutcome::LenTimeout);
    default: return End(ReplyOutcome::DataTimeout);
  }
}

}  // namespace tessaro
