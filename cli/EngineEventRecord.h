#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "cli/ReportConsole.h"
#include "cli/TerminalText.h"
#include "lang/LanguageTexts.h"
#include "protocol/EngineEvents.h"
#include "protocol/ReportTexts.h"

namespace tessaro::cli {

// What the engine reported while a command ran; the commands take their
// results from here rather than from the engine's state or its texts.
class EngineEventRecord final : public EngineEvents {
 public:
  void ItemRead(int16_t item, const ItemValue& /*value*/) override {
    served.insert(item);
    ++confirmations;
  }
  void ItemWritten(int16_t item, const ItemValue& /*value*/) override {
    served.insert(item);
    written.insert(item);
    ++confirmations;
  }
  void TransactionFinished(TransactionKind kind, int16_t item, TransactionOutcome outcome) override {
    const bool isResult = kind == TransactionKind::TestCall || kind == TransactionKind::Reset;
    if (isResult) special = Ended{kind, outcome};
    if (reports == nullptr) return;
    // A test call or reset is a result in itself; an item only when it failed.
    if (isResult || outcome != TransactionOutcome::Done) {
      const bool read = kind == TransactionKind::Read && texts != nullptr;
      reports->ShowHeld(read ? TerminalText(ReadLineStart(*texts, item)) : std::string());
    } else {
      reports->DropHeld();
    }
  }
  void BatchFinished(BatchKind /*kind*/, TransactionOutcome /*outcome*/) override { ShowReports(); }
  void UnitBackedUp(BackupOutcome outcome, const std::string& file) override {
    backup = Backup{outcome, file};
    // The line that names the file is shown whatever follows.
    if (reports != nullptr) reports->ShowHeldMessages();
  }
  // The message line that follows is the unit's own.
  void UnitLine(const std::string& /*line*/) override { unitLineNext = true; }
  void PortLost() override {
    portLost = true;
    ShowReports();
  }
  void PortBack() override {
    portLost = false;
    ShowReports();
  }

  // The outcome of the last test call or reset, if it was of `kind`.
  std::optional<TransactionOutcome> SpecialOutcome(TransactionKind kind) const {
    if (!special || special->kind != kind) return std::nullopt;
    return special->outcome;
  }
  bool TakeUnitLine() { return std::exchange(unitLineNext, false); }

  struct Backup {
    BackupOutcome outcome;
    std::string file;  // Windows-1252
  };
  struct Ended {
    TransactionKind kind;
    TransactionOutcome outcome;
  };
  void ShowReports() {
    if (reports != nullptr) reports->ShowHeld();
  }

  // Where the engine's lines wait to be shown or dropped; none: not held.
  ReportConsole* reports = nullptr;
  // The texts the engine's reports are written in; none: no read line start.
  const LanguageTexts* texts = nullptr;
  std::set<int16_t> served;   // read or written
  std::set<int16_t> written;
  int confirmations = 0;       // reads and writes the unit confirmed
  std::optional<Backup> backup;
  std::optional<Ended> special;
  bool unitLineNext = false;
  bool portLost = false;
};

}  // namespace tessaro::cli
