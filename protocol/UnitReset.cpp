#include "protocol/ProtocolEngine.h"

namespace tessaro {

void ProtocolEngine::ResetSendState() {
  if (!MaySend()) return;
  IdleCountdown = QuietAfterWriteTicks;
  datacom_.FlushInput();
  if (const auto frame = BuildResetRequest()) SendFrame(*frame);
  AwaitReply(reception_states::Reset);
}

void ProtocolEngine::ResetReceiveState() {
  const ReplyOutcome outcome = Receive(reception_states::Reset);
  if (outcome != ReplyOutcome::Waiting && outcome != ReplyOutcome::Complete) {
    events_->TransactionFinished(TransactionKind::Reset, -1, TransactionOutcome::Failed);
  }
  switch (outcome) {
    case ReplyOutcome::Waiting:
    case ReplyOutcome::TooLong:
      return;
    case ReplyOutcome::SohTimeout:
      Log(Text(slot::ResetTimeout) + " SOH.");
      return;
    case ReplyOutcome::LenTimeout:
    case ReplyOutcome::DataTimeout:
      Log(Text(slot::ResetTimeout) + " " + Text(slot::Length));
      return;
    case ReplyOutcome::ChecksumError:
      Log(Text(slot::ResetChecksumError) + ".");
      return;
    case ReplyOutcome::Complete: {
      EngineState = engine_state::Idle;
      const bool accepted = ReplyAccepted(receiver_.Buffer(), receiver_.Length());
      if (accepted) Log(Text(slot::ResetSent) + ".");
      events_->TransactionFinished(TransactionKind::Reset, -1,
                                   accepted ? TransactionOutcome::Done : TransactionOutcome::Refused);
      return;
    }
  }
}

}  // namespace tessaro
