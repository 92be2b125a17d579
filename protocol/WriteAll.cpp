#include <utility>

#include "core/Items.h"
#include "protocol/ProtocolEngine.h"
#include "protocol/ReportTexts.h"

namespace tessaro {
namespace {

std::string ItemNumbers(const std::vector<int16_t>& items) {
  std::string list;
  for (const int16_t item : items) list += (list.empty() ? "" : ", ") + std::to_string(item);
  return list;
}

}  // namespace

void ProtocolEngine::WriteAll(WriteAllCommand command) {
  if (RefusedWithoutPort()) return EndRaised(&ProtocolEngine::WriteAllRequest, TransactionOutcome::Failed);
  raisedWriteAll_ = std::move(command);
  WriteAllRequest = true;
}

void ProtocolEngine::ReportAlways(const std::string& line) {
  AppendProgress(line + CrLf);
  Log(line);
}

std::vector<int16_t> ProtocolEngine::WritableItemsNotGiven() const {
  std::vector<int16_t> items;
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (IsWritableItem(item) >= 0 && store_.UnitSinceOpen[static_cast<std::size_t>(item)].IsNotObtained()) {
      items.push_back(item);
    }
  }
  return items;
}

void ProtocolEngine::StartWriteAll(WriteAllCommand command) {
  BatchReport = 2;
  batchFailures_.clear();
  FailCount = 0;
  if (!command.backup) return StartWrites(command.values);
  heldWriteAll_ = std::move(command);
  const std::vector<int16_t> unread = WritableItemsNotGiven();
  if (unread.empty()) return KeepBackup();
  ReportAlways(texts_.Text(ProgramText::BackupReading) + ".");
  for (const int16_t item : unread) store_.ItemStatus[static_cast<std::size_t>(item)] = RequestRead;
}

void ProtocolEngine::KeepBackup() {
  const WriteAllCommand command = std::move(*heldWriteAll_);
  heldWriteAll_.reset();
  const std::string nothingWritten = " " + texts_.Text(ProgramText::NothingWritten) + ".";
  if (const std::vector<int16_t> unread = WritableItemsNotGiven(); !unread.empty()) {
    ReportAlways(texts_.Text(ProgramText::BackupItemsNotRead) + " " + ItemNumbers(unread) + "." + nothingWritten);
    events_->UnitBackedUp(BackupOutcome::NotRead, std::string());
    return EndBatch(TransactionOutcome::Failed);
  }
  if (backup_ == nullptr) {
    ReportAlways(texts_.Text(ProgramText::NoBackupMade) + "." + nothingWritten);
    events_->UnitBackedUp(BackupOutcome::NotSaved, std::string());
    return EndBatch(TransactionOutcome::Failed);
  }
  const UnitBackup::Kept kept = backup_->Keep(store_.UnitSinceOpen);
  if (!kept.saved) {
    ReportAlways(texts_.Text(ProgramText::BackupNotSavedAs) + " " + kept.file + "." + nothingWritten);
    events_->UnitBackedUp(BackupOutcome::NotSaved, kept.file);
    return EndBatch(TransactionOutcome::Failed);
  }
  ReportAlways(texts_.Text(ProgramText::BackupSavedAs) + " " + kept.file + ".");
  events_->UnitBackedUp(BackupOutcome::Saved, kept.file);
  StartWrites(command.values);
}

void ProtocolEngine::StartWrites(const std::array<ItemValue, ItemCount>& values) {
  batchFailures_.clear();
  FailCount = 0;
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (IsWritableItem(item) < 0) continue;
    const auto index = static_cast<std::size_t>(item);
    store_.ItemValues[index] = values[index];
    store_.ItemStatus[index] = RequestWrite;
  }
}

}  // namespace tessaro
