#include "core/ItemTable.h"
#include "core/Items.h"
#include "protocol/ProtocolEngine.h"
#include "protocol/ReportTexts.h"

namespace tessaro {

bool ProtocolEngine::CurrentItemServable() const { return CurrentItem >= 0 && CurrentItem <= LastUnitItem; }

void ProtocolEngine::WriteSendState() {
  if (!MaySend()) return;
  IdleCountdown = QuietAfterWriteTicks;
  if (!CurrentItemServable()) {
    EngineState = engine_state::Idle;
    return;
  }
  const auto index = static_cast<std::size_t>(CurrentItem);
  sentValue_ = store_.ItemValues[index];
  if (screen_.HasVisibleRow(CurrentItem)) {
    const std::string tag = WriteTag(texts_, CurrentItem, sentValue_);
    const std::string line = WriteLine(texts_, CurrentItem, screen_);
    AppendProgress(store_.DebugLevel == 2 ? tag + line : line);
    Log(tag + line);
  }
  // A framable value the unit cannot take is not sent either.
  if (!ValueFitsItem(CurrentItem, sentValue_) && BuildWriteRequest(CurrentItem, sentValue_)) {
    const std::string reason = texts_.Text(ProgramText::ValueOutsideRange) + " 0.." +
                               std::to_string(HighestValueOf(CurrentItem).value_or(0)) + "!";
    return DropWrite(reason, reason);
  }
  // SendWriteRequest flushes the input itself, and only when it sends.
  if (SendWriteRequest(CurrentItem, sentValue_) >= 0) {
    AwaitReply(reception_states::Write);
    return;
  }
  DropWrite(Text(slot::NotImplementedType), Text(slot::NotImplementedType) + "!");
}

void ProtocolEngine::DropWrite(const std::string& shown, const std::string& logged) {
  AppendProgress(" -> " + shown + CrLf);
  Log(Text(slot::Error) + " " + Text(slot::WritingOf) + ": " + WriteTag(texts_, CurrentItem, sentValue_) + "-> " +
      logged);
  NoteBatchFailure(CurrentItem);
  store_.ItemStatus[static_cast<std::size_t>(CurrentItem)] = RequestNone;
  EngineState = engine_state::Idle;
  FinishItem(TransactionKind::Write, TransactionOutcome::Failed);
}

void ProtocolEngine::WriteReceiveState() {
  const ReplyOutcome outcome = Receive(reception_states::Write);
  if (outcome != ReplyOutcome::Waiting && outcome != ReplyOutcome::Complete) {
    FinishItem(TransactionKind::Write, TransactionOutcome::Failed);
  }
  switch (outcome) {
    case ReplyOutcome::Waiting:
      return;
    case ReplyOutcome::SohTimeout:
      AppendProgress(" -> " + Text(slot::ErrorTimeout) + "[SOH]." + CrLf);
      ++FailCount;
      return;
    case ReplyOutcome::LenTimeout:
    case ReplyOutcome::DataTimeout:
      AppendProgress(" -> " + Text(slot::ErrorTimeout) + "[LEN]." + CrLf);
      ++FailCount;
      return;
    case ReplyOutcome::TooLong:
      AppendProgress(" -> " + Text(slot::Error) + " > InfoMaxLen." + CrLf);
      return;
    case ReplyOutcome::ChecksumError:
      AppendProgress(" -> " + Text(slot::Error) + " checksum." + CrLf);
      ++FailCount;
      return;
    case ReplyOutcome::Complete:
      EngineState = engine_state::WriteEvaluate;
      return;
  }
}

void ProtocolEngine::WriteEvaluateState() {
  EngineState = engine_state::Idle;
  if (!CurrentItemServable()) return;
  const auto index = static_cast<std::size_t>(CurrentItem);
  if (ReplyAccepted(receiver_.Buffer(), receiver_.Length())) {
    // The unit holds what was sent. A value edited and queued again while
    // the frame was on its way stays pending, so it is written too.
    store_.UnitValues[index] = sentValue_;
    store_.UnitSinceOpen[index] = sentValue_;
    if (store_.ItemValues[index].SameKindAndContent(sentValue_)) store_.ItemStatus[index] = RequestNone;
    settingsScreen_.ItemToScreen(CurrentItem);
    AppendProgress(" -> " + Text(slot::Saved) + "." + CrLf);
    FailCount = 0;
    events_->ItemWritten(CurrentItem, sentValue_);
    FinishItem(TransactionKind::Write, TransactionOutcome::Done);
    return;
  }
  // Refused: the request stays as it is, so it is tried again unless the
  // user cancelled it meanwhile.
  ++FailCount;
  AppendProgress(std::string(" -> program ERROR NACK.") + CrLf);
  FinishItem(TransactionKind::Write, TransactionOutcome::Refused);
}

}  // namespace tessaro
