#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>

#include "protocol/EngineEvents.h"

namespace tessaro::cli {

// What the engine reported while a command ran; the commands take their
// results from here rather than from the engine's state or its texts.
class EngineEventRecord final : public EngineEvents {
 public:
  void ItemRead(int16_t item, const ItemValue& /*value*/) override { served.insert(item); }
  void ItemWritten(int16_t item, const ItemValue& /*value*/) override { served.insert(item); }
  void TransactionFinished(TransactionKind kind, int16_t /*item*/, TransactionOutcome outcome) override {
    if (kind == TransactionKind::TestCall || kind == TransactionKind::Reset) special = Ended{kind, outcome};
  }
  // The message line that follows is the unit's own.
  void UnitLine(const std::string& /*line*/) override { unitLineNext = true; }
  void PortLost() override { portLost = true; }
  void PortBack() override { portLost = false; }

  // The outcome of the last test call or reset, if it was of `kind`.
  std::optional<TransactionOutcome> SpecialOutcome(TransactionKind kind) const {
    if (!special || special->kind != kind) return std::nullopt;
    return special->outcome;
  }
  bool TakeUnitLine() { return std::exchange(unitLineNext, false); }

  struct Ended {
    TransactionKind kind;
    TransactionOutcome outcome;
  };
  std::set<int16_t> served;
  std::optional<Ended> special;
  bool unitLineNext = false;
  bool portLost = false;
};

}  // namespace tessaro::cli
