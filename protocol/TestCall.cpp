#include "protocol/ProtocolEngine.h"

namespace tessaro {

void ProtocolEngine::CallStatusSendState() {
  if (!MaySend()) return;
  IdleCountdown = QuietAfterWriteTicks;
  datacom_.FlushInput();
  if (const auto frame = BuildCallStatusRequest()) SendFrame(*frame);
  AwaitReply(reception_states::CallStatus);
}

void ProtocolEngine::CallStatusReceiveState() {
  const ReplyOutcome outcome = Receive(reception_states::CallStatus);
  if (outcome != ReplyOutcome::Waiting && outcome != ReplyOutcome::Complete) {
    events_->TransactionFinished(TransactionKind::TestCall, -1, TransactionOutcome::Failed);
  }
  switch (outcome) {
    case ReplyOutcome::Waiting:
    case ReplyOutcome::TooLong:
      return;
    case ReplyOutcome::SohTimeout:
      Log(Text(slot::CallTimeout) + ". (SOH req BufPos)");
      ++FailCount;
      return;
    case ReplyOutcome::LenTimeout:
    case ReplyOutcome::DataTimeout:
      Log(Text(slot::CallTimeout) + ". (Len BufPos)");
      return;
    case ReplyOutcome::ChecksumError:
      Log(Text(slot::CallChecksumError) + ". (CheckSumn req BufPos)");
      return;
    case ReplyOutcome::Complete:
      break;
  }
  // Without offset 7 there is no sequence number to call with: the reply
  // is as unusable as a damaged one.
  if (!ReplyHoldsOffset(receiver_.Buffer(), receiver_.Length(), ReplyItemOffset)) {
    Log(Text(slot::CallChecksumError) + ". (CheckSumn req BufPos)");
    EngineState = engine_state::Idle;
    events_->TransactionFinished(TransactionKind::TestCall, -1, TransactionOutcome::Failed);
    return;
  }
  PagerSequence = static_cast<int16_t>(receiver_.Buffer()[ReplyItemOffset] - '0');
  if (PagerSequence < 0 || PagerSequence > 9) ++FailCount;  // the call is still made
  EngineState = engine_state::CallSend;
}

void ProtocolEngine::CallSendState() {
  if (WaitsForGap()) return;
  const std::string records =
      BuildCallRecords(PagerSequence, screen_.TestPagerAddress(), screen_.TestPagerDisplayInfo(),
                       screen_.TestBleepCode());
  const auto frame = BuildCallFrame(records);
  IdleCountdown = QuietAfterWriteTicks;
  if (!frame) {  // cannot happen with the cut address and message; never send a broken frame
    Log(Text(slot::CallFailed) + ".");
    EngineState = engine_state::Idle;
    events_->TransactionFinished(TransactionKind::TestCall, -1, TransactionOutcome::Failed);
    return;
  }
  datacom_.FlushInput();
  SendFrame(*frame);
  AwaitReply(reception_states::Call);
}

void ProtocolEngine::CallReceiveState() {
  const ReplyOutcome outcome = Receive(reception_states::Call);
  if (outcome != ReplyOutcome::Waiting && outcome != ReplyOutcome::Complete) {
    events_->TransactionFinished(TransactionKind::TestCall, -1, TransactionOutcome::Failed);
  }
  switch (outcome) {
    case ReplyOutcome::Waiting:
    case ReplyOutcome::TooLong:
      return;
    case ReplyOutcome::SohTimeout:
      Log(Text(slot::CallTimeout) + ". (SOH snd call)");
      ++FailCount;
      return;
    case ReplyOutcome::LenTimeout:
    case ReplyOutcome::DataTimeout:
      Log(Text(slot::CallTimeout) + ". (Len send Call)");
      return;
    case ReplyOutcome::ChecksumError:
      Log(Text(slot::CallChecksumError) + ". (Data send Call)");
      return;
    case ReplyOutcome::Complete: {
      EngineState = engine_state::Idle;
      const bool accepted = ReplyAccepted(receiver_.Buffer(), receiver_.Length());
      Log((accepted ? Text(slot::CallSucceeded) : Text(slot::CallFailed)) + ".");
      events_->TransactionFinished(TransactionKind::TestCall, -1,
                                   accepted ? TransactionOutcome::Done : TransactionOutcome::Refused);
      return;
    }
  }
}

}  // namespace tessaro
