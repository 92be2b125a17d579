#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>

#include "core/Items.h"
#include "core/SettingsStore.h"
#include "protocol/EngineEvents.h"

namespace tessaro::soak {

// What was asked of the engine set against what it reported, so that every
// request ends in exactly one outcome however impatiently it was asked.
// An item request is the engine's slot for that item: a second ask while the
// slot is pending joins the first, and the request ends when an outcome
// leaves the slot empty (a failed read stays pending and is tried again). A
// batch, test call or reset ask joins one whose flag is still up. An
// outcome given inside the ask itself answers that ask at once (a refusal
// without a port): it waits for nothing and joins nothing.
class RequestLedger final : public EngineEvents {
 public:
  explicit RequestLedger(const SettingsStore& store) : store_(store) {}

  // Each runs `command`, the engine's own, and notes the request it made.
  // `pending`: the engine's flag was already up.
  using Command = std::function<void()>;
  void AskItem(int16_t item, const Command& command);
  void AskBatch(BatchKind kind, bool pending, const Command& command);
  void AskSpecial(TransactionKind kind, bool pending, const Command& command);

  void ItemRead(int16_t item, const ItemValue& value) override;
  void ItemWritten(int16_t item, const ItemValue& value) override;
  void TransactionFinished(TransactionKind kind, int16_t item, TransactionOutcome outcome) override;
  void BatchFinished(BatchKind kind, TransactionOutcome outcome) override;
  // The engine drops every item request when the port comes back.
  void PortBack() override;

  // The first rule broken so far; empty while all hold.
  const std::string& Problem() const { return problem_; }
  // With the engine quiet: every request has ended. Empty when so.
  std::string Unended() const;

  long Joined() const { return joined_; }
  long AnsweredAtOnce() const { return answeredAtOnce_; }
  long Dropped() const { return dropped_; }

 private:
  void Break(const std::string& what);
  // Runs the command; true when it was answered inside.
  bool Answered(const Command& command);
  // An outcome inside an ask: true when it answers that ask.
  bool AnswersTheAsk();
  // The item's request ends when its slot is empty after an outcome.
  void EndIfEmpty(int16_t item);
  void DropAllItems();
  long BatchesOpen() const;

  const SettingsStore& store_;
  std::array<bool, LastUnitItem + 1> open_{};
  std::map<BatchKind, long> batchesAsked_;
  std::map<BatchKind, long> batchesEnded_;
  long batchesEndedAll_ = 0;
  // Per test call and reset still to end: batch outcomes that must come first.
  std::map<TransactionKind, std::deque<long>> specialsWaiting_;
  // Items whose request ended with the unit's answer since the batch began.
  std::set<int16_t> readInBatch_;
  std::set<int16_t> writtenInBatch_;
  // Items asked for on their own while a batch ran: the later ask replaces
  // the batch's request, as a button does.
  std::set<int16_t> askedInBatch_;
  // The item an answer just ended; its transaction's outcome follows.
  int16_t justEnded_ = -1;
  bool asking_ = false;
  bool answered_ = false;
  std::string problem_;
  long joined_ = 0;
  long answeredAtOnce_ = 0;
  long dropped_ = 0;
};

}  // namespace tessaro::soak
