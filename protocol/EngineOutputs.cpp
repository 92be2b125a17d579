#include <algorithm>
#include <utility>

#include "core/Items.h"
#include "messages/TextFormat.h"
#include "protocol/ProtocolEngine.h"
#include "protocol/ReportTexts.h"

namespace tessaro {
namespace {

constexpr int kProgressMaximum = 250;
// Longer unit lines are cut into message lines of 131 characters.
constexpr std::size_t kUnitLineLimit = 130;

}  // namespace

void ProtocolEngine::CancelAll() {
  store_.ItemStatus.fill(RequestNone);
  AppendProgress(CrLf + Text(slot::Cancelled) + "!" + CrLf);
  EndBatch(TransactionOutcome::Cancelled);
}

void ProtocolEngine::EndBatch(TransactionOutcome outcome) {
  const int16_t batch = BatchReport;
  BatchReport = 0;
  batchFailures_.clear();
  // A Write all that ends while its backup is read has written nothing.
  if (batch == 2 && heldWriteAll_) {
    heldWriteAll_.reset();
    ReportAlways(texts_.Text(ProgramText::NoBackupMade) + ". " + texts_.Text(ProgramText::NothingWritten) + ".");
    events_->UnitBackedUp(BackupOutcome::NotRead, std::string());
  }
  if (batch == 1) events_->BatchFinished(BatchKind::ReadAll, outcome);
  if (batch == 2) events_->BatchFinished(BatchKind::WriteAll, outcome);
}

bool ProtocolEngine::RefusedWithoutPort() {
  if (Started() && !PortIsLost()) return false;
  const std::string line = texts_.Text(ProgramText::PortNotOpenNothingSent) + ".";
  AppendProgress(line + CrLf);
  Log(line);
  return true;
}

void ProtocolEngine::EndRaised(RequestFlag flag, TransactionOutcome outcome) {
  if (flag == &ProtocolEngine::ReadAllRequest) events_->BatchFinished(BatchKind::ReadAll, outcome);
  if (flag == &ProtocolEngine::WriteAllRequest) events_->BatchFinished(BatchKind::WriteAll, outcome);
  if (flag == &ProtocolEngine::TestCallRequest) events_->TransactionFinished(TransactionKind::TestCall, -1, outcome);
  if (flag == &ProtocolEngine::ResetRequest) events_->TransactionFinished(TransactionKind::Reset, -1, outcome);
}

void ProtocolEngine::Raise(RequestFlag flag) {
  if (RefusedWithoutPort()) return EndRaised(flag, TransactionOutcome::Failed);
  this->*flag = true;
}

int ProtocolEngine::DropRaised() {
  int dropped = 0;
  for (const RequestFlag flag : {&ProtocolEngine::ReadAllRequest, &ProtocolEngine::WriteAllRequest,
                                 &ProtocolEngine::TestCallRequest, &ProtocolEngine::ResetRequest}) {
    if (std::exchange(this->*flag, false)) {
      EndRaised(flag, TransactionOutcome::Cancelled);
      ++dropped;
    }
  }
  raisedWriteAll_.reset();
  return dropped;
}

void ProtocolEngine::Cancel() {
  DropRaised();
  CancelAll();
}

void ProtocolEngine::NoteBatchFailure(int16_t item) {
  if (BatchReport > 0) batchFailures_.push_back(item);
}

void ProtocolEngine::ReadItem(int16_t item) {
  if (item >= 0 && item <= LastUnitItem) store_.ItemStatus[static_cast<std::size_t>(item)] = RequestRead;
}

void ProtocolEngine::WriteItem(int16_t item) {
  if (item >= 0 && item <= LastUnitItem) store_.ItemStatus[static_cast<std::size_t>(item)] = RequestWrite;
}

bool ProtocolEngine::Quiet() const {
  if (EngineState != engine_state::Idle || ReadAllRequest || WriteAllRequest || TestCallRequest || ResetRequest ||
      BatchReport != 0) {
    return false;
  }
  return std::none_of(store_.ItemStatus.begin(), store_.ItemStatus.end(),
                      [](int16_t status) { return status > 0; });
}

void ProtocolEngine::ShowProgress(int n) {
  if (n >= 0) {
    screen_.SetProgressBar(true, 0, kProgressMaximum, std::min(n, kProgressMaximum));
    return;
  }
  const auto pending = std::count_if(store_.ItemStatus.begin(), store_.ItemStatus.end(),
                                     [](int16_t status) { return status != RequestNone; });
  if (pending < 1) {
    screen_.SetProgressBar(false, 0, kProgressMaximum, 0);
    return;
  }
  screen_.SetProgressBar(true, 0, kProgressMaximum,
                         static_cast<int>(std::min<long>(pending, kProgressMaximum)));
}

void ProtocolEngine::ListenUnitText() {
  for (int byte = datacom_.ReadByte(); byte >= 0; byte = datacom_.ReadByte()) {
    if (byte == '\r' || byte == '\n') {
      if (!UnitTextLine.empty()) {
        events_->UnitLine(UnitTextLine);
        Log(UnitTextLine);
        UnitTextLine.clear();
      }
    } else {
      UnitTextLine += ControlCharName(byte);
    }
    if (UnitTextLine.size() > kUnitLineLimit) {
      events_->UnitLine(UnitTextLine);
      Log(UnitTextLine);
      UnitTextLine.clear();
    }
  }
}

}  // namespace tessaro
