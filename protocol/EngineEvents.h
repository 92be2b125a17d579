#pragma once

#include <cstdint>
#include <string>

#include "core/ItemValue.h"

namespace tessaro {

enum class TransactionKind { Read, Write, TestCall, Reset };
// Done: the unit confirmed. Refused: it answered no. Failed: no usable
// answer (time-out, damaged or over-long reply, port would not reopen).
// Cancelled: dropped before it ran. GivenUp: dropped after too many failures.
enum class TransactionOutcome { Done, Refused, Failed, Cancelled, GivenUp };
enum class BatchKind { ReadAll, WriteAll };
// Before a Write all. Saved: the unit's settings are in the file. NotRead:
// some could not be read; NotSaved: the file could not be made. Either way
// nothing is written.
enum class BackupOutcome { Saved, NotRead, NotSaved };

// What the engine tells whoever drives it. Every call comes from inside an
// engine step; the texts of the progress box and the message lines are not
// repeated here.
class EngineEvents {
 public:
  virtual ~EngineEvents() = default;

  virtual void ItemRead(int16_t /*item*/, const ItemValue& /*value*/) {}
  virtual void ItemWritten(int16_t /*item*/, const ItemValue& /*value*/) {}
  // item: the item of a read or write, -1 for the test call and the reset.
  virtual void TransactionFinished(TransactionKind /*kind*/, int16_t /*item*/, TransactionOutcome /*outcome*/) {}
  // A read-all or write-all ended: Done when every item was served.
  virtual void BatchFinished(BatchKind /*kind*/, TransactionOutcome /*outcome*/) {}
  // file: as the reports name it (Windows-1252); empty for NotRead.
  virtual void UnitBackedUp(BackupOutcome /*outcome*/, const std::string& /*file*/) {}
  // A line the unit printed on its own, as it goes to the message lines.
  virtual void UnitLine(const std::string& /*line*/) {}
  virtual void PortLost() {}
  virtual void PortBack() {}
};

}  // namespace tessaro
