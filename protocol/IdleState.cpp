#include <utility>

#include "core/Items.h"
#include "protocol/ProtocolEngine.h"
#include "protocol/ReportTexts.h"

namespace tessaro {

void ProtocolEngine::IdleState() {
  CurrentItem = -1;
  if (ServeNextItem()) return;

  if (BatchReport > 0) {
    if (datacom_.PortIsOpen() < 0) return LosePort();
    // The writes it starts are served from the next step on.
    if (heldWriteAll_) return KeepBackup();
    ReportBatchEnd();
  }
  if (datacom_.PortIsOpen() < 0) return LosePort();
  ShowProgress(-1);
  ListenUnitText();
  ServeRequestFlags();
}

bool ProtocolEngine::ServeNextItem() {
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (datacom_.PortIsOpen() < 0) {
      LosePort();
      return true;
    }
    const int16_t status = store_.ItemStatus[static_cast<std::size_t>(item)];
    const bool write = status == RequestWrite;
    if (!write && status != RequestRead) continue;

    if (FailCount >= FailLimit) {
      GiveUp(write);
      return true;
    }
    if (IdleCountdown < 1) {
      // The attention frame is a request like any other.
      if (!LineReady()) return true;
      CurrentItem = item;
      SendAttention();
    } else {
      CurrentItem = item;
      DelayCountdown = 0;
    }
    EngineState = write ? engine_state::WriteSend : engine_state::ReadSend;
    ShowProgress(CurrentItem);
    return true;
  }
  return false;
}

void ProtocolEngine::GiveUp(bool write) {
  // Requests are cleared before the box shows, so ticks that run while it
  // is open find nothing to serve.
  events_->TransactionFinished(write ? TransactionKind::Write : TransactionKind::Read, CurrentItem,
                               TransactionOutcome::GivenUp);
  EndBatch(TransactionOutcome::GivenUp);
  CancelAll();
  dialogs_.ShowCriticalError(GiveUpText(texts_, write), Text(slot::ProgramTitle));
}

void ProtocolEngine::ReportBatchEnd() {
  if (BatchReport != 1 && BatchReport != 2) return;
  const bool read = BatchReport == 1;
  if (!batchFailures_.empty()) {
    // Never the success line when an item went unserved; always shown.
    std::string line = texts_.Text(read ? ProgramText::ReadAllFailedFor : ProgramText::WriteAllFailedFor);
    for (std::size_t i = 0; i < batchFailures_.size(); ++i) {
      line += (i == 0 ? " " : ", ") + std::to_string(batchFailures_[i]);
    }
    line += ".";
    AppendProgress(line + CrLf);
    Log(line);
    EndBatch(TransactionOutcome::Failed);
    return;
  }
  const std::string line = Text(read ? slot::ReadAllSucceeded : slot::WriteAllSucceeded) + ".";
  if (store_.DebugLevel == 2) AppendProgress(line + CrLf);
  Log(line);
  EndBatch(TransactionOutcome::Done);
}

void ProtocolEngine::LosePort() {
  EngineState = engine_state::PortLost;
  // The unit that comes back may be another one.
  ClearUnitSinceOpen(store_);
  events_->PortLost();
}

bool ProtocolEngine::ReopenPort() {
  datacom_.CloseComPort();
  if (datacom_.OpenUnitPort(settings_.Compoort) < 0) return false;
  // An adapter or a unit may need a moment after the open.
  settleTicks_ = TicksFromNow(1);
  return true;
}

void ProtocolEngine::ServeRequestFlags() {
  if ((ReadAllRequest || WriteAllRequest || TestCallRequest || ResetRequest) && PortStepWaits()) return;
  if (ReadAllRequest) {
    ReadAllRequest = false;
    if (!ReopenPort()) {
      events_->BatchFinished(BatchKind::ReadAll, TransactionOutcome::Failed);
      return;
    }
    BatchReport = 1;
    batchFailures_.clear();
    FailCount = 0;
    for (int16_t item = 0; item <= LastUnitItem; ++item) {
      if (IsReadableItem(item) >= 0) store_.ItemStatus[static_cast<std::size_t>(item)] = RequestRead;
    }
    return;
  }
  if (WriteAllRequest) {
    WriteAllRequest = false;
    // A flag raised without WriteAll() carries no values: nothing to write.
    std::optional<WriteAllCommand> command = std::exchange(raisedWriteAll_, std::nullopt);
    if (command && ReopenPort()) return StartWriteAll(std::move(*command));
    events_->BatchFinished(BatchKind::WriteAll, TransactionOutcome::Failed);
  }
  // One special transaction per tick: starting both would let the reset
  // overwrite the test call's state before it ran.
  if (TestCallRequest) {
    TestCallRequest = false;
    if (ReopenPort()) {
      EngineState = engine_state::CallStatusSend;
    } else {
      events_->TransactionFinished(TransactionKind::TestCall, -1, TransactionOutcome::Failed);
    }
    return;
  }
  if (ResetRequest) {
    ResetRequest = false;
    if (ReopenPort()) {
      EngineState = engine_state::ResetSend;
    } else {
      events_->TransactionFinished(TransactionKind::Reset, -1, TransactionOutcome::Failed);
    }
  }
}

void ProtocolEngine::PortLostState() {
  if (DelayCountdown > 0 || PortStepWaits()) return;
  if (datacom_.OpenUnitPort(settings_.Compoort) < 0) {
    datacom_.CloseComPort();
    DelayCountdown = TicksFromNow(ReopenDelayTicks);
    return;
  }
  EngineState = engine_state::Idle;
  UnitTextLine.clear();
  EndBatch(TransactionOutcome::Failed);
  DelayCountdown = TicksFromNow(StepDelayTicks);
  settleTicks_ = TicksFromNow(1);
  // Whatever waited was meant for the unit that went; this may be another.
  int dropped = DropRaised();
  for (auto& status : store_.ItemStatus) {
    if (status > 0) {
      status = RequestNone;
      ++dropped;
    }
  }
  if (dropped > 0) AppendProgress(CrLf + Text(slot::ActionsCancelled) + "!" + CrLf);
  events_->PortBack();
}

}  // namespace tessaro
