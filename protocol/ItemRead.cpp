#include "core/Items.h"
#include "protocol/ProtocolEngine.h"
#include "protocol/ReportTexts.h"

namespace tessaro {

void ProtocolEngine::ReadSendState() {
  if (!MaySend()) return;
  IdleCountdown = QuietAfterReadTicks;
  if (!CurrentItemServable()) {
    EngineState = engine_state::Idle;
    return;
  }
  AppendProgress(ReadLineStart(texts_, CurrentItem));
  // SendReadRequest flushes the input right before the SOH.
  if (SendReadRequest(CurrentItem) == 1) {
    AwaitReply(reception_states::Read);
    return;
  }
  AppendProgress(" -> " + Text(slot::NotImplementedType) + "!" + CrLf);
  NoteBatchFailure(CurrentItem);
  store_.ItemStatus[static_cast<std::size_t>(CurrentItem)] = RequestNone;
  EngineState = engine_state::Idle;
  FinishItem(TransactionKind::Read, TransactionOutcome::Failed);
}

void ProtocolEngine::ReportReadFailure(const std::string& report, bool counts) {
  AppendProgress(report + CrLf);
  if (counts) ++FailCount;
  Log(Text(slot::Error) + " " + Text(slot::ReadingOf) + ": " + report);
  FinishItem(TransactionKind::Read, TransactionOutcome::Failed);
}

void ProtocolEngine::ReadReceiveState() {
  const ReplyOutcome outcome = Receive(reception_states::Read);
  if (outcome == ReplyOutcome::Waiting) return;
  if (outcome == ReplyOutcome::Complete) {
    EngineState = engine_state::ReadEvaluate;
    return;
  }
  const std::string d = ItemDescription(texts_, CurrentItem, screen_);
  switch (outcome) {
    case ReplyOutcome::SohTimeout:
      ReportReadFailure(d + Text(slot::ErrorTimeout) + " [SOH]. ", true);
      return;
    case ReplyOutcome::LenTimeout:
    case ReplyOutcome::DataTimeout:
      ReportReadFailure(d + Text(slot::ErrorTimeout) + " [LEN]. ", true);
      return;
    case ReplyOutcome::TooLong:
      ReportReadFailure(d + " " + Text(slot::Error) + " Len > Max. ", false);
      return;
    case ReplyOutcome::ChecksumError:
      ReportReadFailure(d + Text(slot::Error) + " [checksum]. ", true);
      return;
    case ReplyOutcome::Waiting:
    case ReplyOutcome::Complete:
      return;
  }
}

bool ProtocolEngine::KeepsScreenValue(int16_t item) const {
  // A write queued for this item while the read ran carries the user's
  // value, and so does a Write all whose backup is being read.
  return store_.ItemStatus[static_cast<std::size_t>(item)] == RequestWrite ||
         (heldWriteAll_ && IsWritableItem(item) >= 0);
}

void ProtocolEngine::StoreReadValue(int16_t item, const ItemValue& value) {
  const auto index = static_cast<std::size_t>(item);
  store_.UnitValues[index] = value;
  store_.UnitSinceOpen[index] = value;
  // A pending write is neither dropped nor overwritten.
  if (store_.ItemStatus[index] == RequestWrite) return;
  store_.ItemStatus[index] = RequestNone;
  if (KeepsScreenValue(item)) return;
  store_.ItemValues[index] = value;
  settingsScreen_.ItemToScreen(item);
}

void ProtocolEngine::ReadEvaluateState() {
  EngineState = engine_state::Idle;
  if (!CurrentItemServable()) return;
  const int16_t m = ReplyItem();
  // A reply too short to carry the item and its value fails like a damaged
  // one; fill bytes never become a value.
  if (!ReplyHoldsValue(m, receiver_.Buffer(), receiver_.Length())) {
    ReportReadFailure(ItemDescription(texts_, CurrentItem, screen_) + Text(slot::Error) + " [checksum]. ", true);
    return;
  }
  const ItemValue value = ParseReplyValue(m);
  if (value.IsNotObtained()) {
    ReportReadFailure(ItemDescription(texts_, CurrentItem, screen_) + " " + Text(slot::Error) + " " +
                          Text(slot::ReadingOf) + "!",
                      true);
    return;
  }
  // Stored under the item the reply names; a different item than the one
  // asked for leaves that request pending.
  StoreReadValue(m, value);
  // The line shows the item that was actually read, with the value the unit
  // sent: a queued write keeps the user's edit on the screen. A reply for an
  // item without a row still ends the line the request began, with the
  // requested item's row.
  const int16_t rowItem = screen_.HasVisibleRow(m) ? m : CurrentItem;
  if (screen_.HasVisibleRow(rowItem)) {
    const std::string tag = ReadTag(texts_, m, value);
    const std::string shown =
        rowItem == m && KeepsScreenValue(m) ? settingsScreen_.ValueText(m, value) : screen_.ShownText(rowItem);
    const std::string line = screen_.Legend(rowItem) + " " + shown + " OK";
    AppendProgress((store_.DebugLevel == 2 ? tag + line : line) + CrLf);
    Log(Text(slot::ReadFromUnit) + ": " + tag + line);
  }
  FailCount = 0;
  events_->ItemRead(m, value);
  FinishItem(TransactionKind::Read, TransactionOutcome::Done);
}

}  // namespace tessaro
