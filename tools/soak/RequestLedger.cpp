#include "tools/soak/RequestLedger.h"

#include <numeric>
#include <string>
#include <utility>

namespace tessaro::soak {
namespace {

const char* SpecialName(TransactionKind kind) { return kind == TransactionKind::TestCall ? "test call" : "reset"; }
const char* BatchName(BatchKind kind) { return kind == BatchKind::ReadAll ? "read-all" : "write-all"; }
bool IsItem(int16_t item) { return item >= 0 && item <= LastUnitItem; }

}  // namespace

void RequestLedger::AskItem(int16_t item, const Command& command) {
  const bool pending = IsItem(item) && store_.ItemStatus[static_cast<std::size_t>(item)] > 0;
  if (Answered(command) || !IsItem(item)) return;
  const auto index = static_cast<std::size_t>(item);
  if (open_[index] || pending) ++joined_;
  open_[index] = true;
  if (BatchesOpen() > 0) askedInBatch_.insert(item);
}

void RequestLedger::AskBatch(BatchKind kind, bool pending, const Command& command) {
  if (Answered(command)) return;
  if (pending) {
    ++joined_;
    return;
  }
  if (BatchesOpen() == 0) {
    readInBatch_.clear();
    writtenInBatch_.clear();
    askedInBatch_.clear();
  }
  ++batchesAsked_[kind];
}

void RequestLedger::AskSpecial(TransactionKind kind, bool pending, const Command& command) {
  // Served only once every batch asked before it has ended.
  const long batchesFirst = batchesEndedAll_ + BatchesOpen();
  if (Answered(command)) return;
  if (pending) {
    ++joined_;
    return;
  }
  specialsWaiting_[kind].push_back(batchesFirst);
}

bool RequestLedger::Answered(const Command& command) {
  asking_ = true;
  answered_ = false;
  command();
  asking_ = false;
  if (answered_) ++answeredAtOnce_;
  return answered_;
}

bool RequestLedger::AnswersTheAsk() {
  if (!asking_) return false;
  if (answered_) Break("two outcomes for one ask, given inside it");
  answered_ = true;
  return true;
}

void RequestLedger::ItemRead(int16_t item, const ItemValue&) {
  if (!IsItem(item) || store_.ItemStatus[static_cast<std::size_t>(item)] > 0) return;
  readInBatch_.insert(item);
  if (open_[static_cast<std::size_t>(item)]) justEnded_ = item;
  open_[static_cast<std::size_t>(item)] = false;
}

void RequestLedger::ItemWritten(int16_t item, const ItemValue&) {
  if (!IsItem(item) || store_.ItemStatus[static_cast<std::size_t>(item)] > 0) return;
  writtenInBatch_.insert(item);
  if (open_[static_cast<std::size_t>(item)]) justEnded_ = item;
  open_[static_cast<std::size_t>(item)] = false;
}

void RequestLedger::TransactionFinished(TransactionKind kind, int16_t item, TransactionOutcome outcome) {
  if (AnswersTheAsk()) return;
  if (kind == TransactionKind::TestCall || kind == TransactionKind::Reset) {
    auto& waiting = specialsWaiting_[kind];
    if (waiting.empty()) return Break(std::string("a ") + SpecialName(kind) + " outcome that no request was left for");
    const long batchesFirst = waiting.front();
    waiting.pop_front();
    if (batchesEndedAll_ < batchesFirst) {
      Break(std::string("a ") + SpecialName(kind) + " was served while a batch asked before it still ran");
    }
    return;
  }
  const int16_t ended = std::exchange(justEnded_, -1);
  // A give-up names no item and drops every request; the engine clears them
  // right after.
  if (outcome == TransactionOutcome::GivenUp) return DropAllItems();
  if (!IsItem(item)) return Break("an outcome for item " + std::to_string(item) + ", which does not exist");
  if (!open_[static_cast<std::size_t>(item)] && item != ended && BatchesOpen() == 0) {
    return Break("an outcome for item " + std::to_string(item) + " whose request had already ended or was never made");
  }
  EndIfEmpty(item);
}

void RequestLedger::BatchFinished(BatchKind kind, TransactionOutcome outcome) {
  if (AnswersTheAsk()) return;
  ++batchesEndedAll_;
  if (++batchesEnded_[kind] > batchesAsked_[kind]) {
    Break(std::string("a ") + BatchName(kind) + " outcome that no request was left for");
  }
  if (outcome == TransactionOutcome::Done) {
    // A read-all may learn an item from a write that replaced its read; a
    // write-all must have written every item not asked for anew meanwhile.
    for (int16_t item = 0; item <= LastUnitItem; ++item) {
      const bool wanted = (kind == BatchKind::ReadAll ? IsReadableItem(item) >= 0 : IsWritableItem(item) >= 0) &&
                          !askedInBatch_.contains(item);
      const bool served = writtenInBatch_.contains(item) || (kind == BatchKind::ReadAll && readInBatch_.contains(item));
      if (wanted && !served) {
        Break(std::string("a ") + BatchName(kind) + " finished done but item " + std::to_string(item) + " was not " +
              (kind == BatchKind::ReadAll ? "read" : "written"));
        break;
      }
    }
  }
  readInBatch_.clear();
  writtenInBatch_.clear();
  askedInBatch_.clear();
}

void RequestLedger::PortBack() { DropAllItems(); }

std::string RequestLedger::Unended() const {
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (open_[static_cast<std::size_t>(item)]) {
      return "item " + std::to_string(item) + " was asked for and vanished without an outcome";
    }
  }
  for (const auto& [kind, asked] : batchesAsked_) {
    const auto found = batchesEnded_.find(kind);
    if (found == batchesEnded_.end() || found->second != asked) {
      return std::string("a ") + BatchName(kind) + " vanished without a batch outcome";
    }
  }
  for (const auto& [kind, waiting] : specialsWaiting_) {
    if (!waiting.empty()) return std::string("a ") + SpecialName(kind) + " vanished without an outcome";
  }
  return {};
}

void RequestLedger::Break(const std::string& what) {
  if (problem_.empty()) problem_ = what;
}

void RequestLedger::EndIfEmpty(int16_t item) {
  const auto index = static_cast<std::size_t>(item);
  if (store_.ItemStatus[index] <= 0) open_[index] = false;
}

void RequestLedger::DropAllItems() {
  for (bool& open : open_) {
    if (open) ++dropped_;
    open = false;
  }
}

long RequestLedger::BatchesOpen() const {
  const auto sum = [](const std::map<BatchKind, long>& counts) {
    return std::accumulate(counts.begin(), counts.end(), 0L, [](long total, const auto& entry) { return total + entry.second; });
  };
  return sum(batchesAsked_) - sum(batchesEnded_);
}

}  // namespace tessaro::soak
