#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "core/Items.h"
#include "core/SettingsStore.h"
#include "tools/soak/RequestLedger.h"

namespace tessaro::soak {
namespace {

// Plays the engine's part: its request slots and flags, and the events it
// raises in the order it raises them.
class EngineScript {
 public:
  void Ask(int16_t item, int16_t request) {
    ledger.AskItem(item, [&] { store.ItemStatus[static_cast<std::size_t>(item)] = request; });
  }
  void AskReadAll() { ledger.AskBatch(BatchKind::ReadAll, false, [] {}); }
  void AskWriteAll() { ledger.AskBatch(BatchKind::WriteAll, false, [] {}); }
  void AskTestCall(bool flagUp = false) { ledger.AskSpecial(TransactionKind::TestCall, flagUp, [] {}); }
  // Without a port the engine answers inside the ask.
  void AskTestCallRefused(bool flagUp) {
    ledger.AskSpecial(TransactionKind::TestCall, flagUp, [&] {
      ledger.TransactionFinished(TransactionKind::TestCall, -1, TransactionOutcome::Failed);
    });
  }

  void ReadDone(int16_t item) { ReadDoneNaming(item, item); }
  // The reply names `named`: its slot empties, the asked one stays pending.
  void ReadDoneNaming(int16_t asked, int16_t named) {
    store.ItemStatus[static_cast<std::size_t>(named)] = RequestNone;
    ledger.ItemRead(named, ItemValue(1));
    ledger.TransactionFinished(TransactionKind::Read, asked, TransactionOutcome::Done);
  }
  void ReadFailed(int16_t item) { ledger.TransactionFinished(TransactionKind::Read, item, TransactionOutcome::Failed); }
  void WriteDone(int16_t item) {
    store.ItemStatus[static_cast<std::size_t>(item)] = RequestNone;
    ledger.ItemWritten(item, ItemValue(1));
    ledger.TransactionFinished(TransactionKind::Write, item, TransactionOutcome::Done);
  }
  void GiveUp() {
    ledger.TransactionFinished(TransactionKind::Read, -1, TransactionOutcome::GivenUp);
    store.ItemStatus.fill(RequestNone);
  }
  void PortBack() {
    store.ItemStatus.fill(RequestNone);
    ledger.PortBack();
  }
  void DropSilently(int16_t item) { store.ItemStatus[static_cast<std::size_t>(item)] = RequestNone; }
  void TestCallDone() { ledger.TransactionFinished(TransactionKind::TestCall, -1, TransactionOutcome::Done); }
  void BatchDone(BatchKind kind) { ledger.BatchFinished(kind, TransactionOutcome::Done); }
  // A whole batch served item by item; `asWrite` items went out as writes.
  void ServeBatch(BatchKind kind, const std::vector<int16_t>& asWrite = {}) {
    for (int16_t item = 0; item <= LastUnitItem; ++item) {
      const bool write = std::find(asWrite.begin(), asWrite.end(), item) != asWrite.end();
      const bool inBatch = kind == BatchKind::ReadAll ? IsReadableItem(item) >= 0 : IsWritableItem(item) >= 0;
      if (write) {
        store.ItemStatus[static_cast<std::size_t>(item)] = RequestWrite;
        WriteDone(item);
      } else if (inBatch) {
        store.ItemStatus[static_cast<std::size_t>(item)] = kind == BatchKind::ReadAll ? RequestRead : RequestWrite;
        if (kind == BatchKind::ReadAll) {
          ReadDone(item);
        } else {
          WriteDone(item);
        }
      }
    }
    BatchDone(kind);
  }

  void WriteAllSkipping(int16_t skipped) {
    for (int16_t item = 0; item <= LastUnitItem; ++item) {
      if (item != skipped && IsWritableItem(item) >= 0) {
        store.ItemStatus[static_cast<std::size_t>(item)] = RequestWrite;
        WriteDone(item);
      }
    }
    BatchDone(BatchKind::WriteAll);
  }

  SettingsStore store;
  RequestLedger ledger{store};
};

int16_t FirstWritable() {
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (IsWritableItem(item) >= 0 && IsReadableItem(item) >= 0) return item;
  }
  return -1;
}

struct Story {
  const char* name;
  std::function<void(EngineScript&)> play;
  const char* problem;  // part of the broken rule, "" for none
  const char* unended;  // part of what never ended, "" for none
};

void PrintTo(const Story& story, std::ostream* out) { *out << story.name; }

class RequestLedgerStories : public ::testing::TestWithParam<Story> {};

TEST_P(RequestLedgerStories, HoldsOrBreaksAsTheEngineAnswered) {
  EngineScript script;
  GetParam().play(script);
  const auto matches = [](const std::string& text, const std::string& part) {
    return part.empty() ? text.empty() : text.find(part) != std::string::npos;
  };
  EXPECT_TRUE(matches(script.ledger.Problem(), GetParam().problem)) << "problem: " << script.ledger.Problem();
  EXPECT_TRUE(matches(script.ledger.Unended(), GetParam().unended)) << "unended: " << script.ledger.Unended();
}

INSTANTIATE_TEST_SUITE_P(
    Ledger, RequestLedgerStories,
    ::testing::Values(
        Story{"ReadRetriedUntilDone",
              [](EngineScript& e) {
                e.Ask(5, RequestRead);
                e.ReadFailed(5);
                e.ReadDone(5);
              },
              "", ""},
        Story{"SecondAskWhilePendingJoinsTheFirst",
              [](EngineScript& e) {
                e.Ask(5, RequestRead);
                e.Ask(5, RequestRead);
                e.ReadDone(5);
              },
              "", ""},
        Story{"RequestDroppedWithoutOutcome",
              [](EngineScript& e) {
                e.Ask(5, RequestRead);
                e.DropSilently(5);
              },
              "", "item 5 was asked for and vanished"},
        Story{"OutcomeAfterTheRequestEnded",
              [](EngineScript& e) {
                e.Ask(5, RequestRead);
                e.ReadDone(5);
                e.ReadFailed(5);
              },
              "item 5 whose request had already ended", ""},
        Story{"ReplyNamingAnotherAskedItemEndsThatOneOnly",
              [](EngineScript& e) {
                e.Ask(5, RequestRead);
                e.Ask(6, RequestRead);
                e.ReadDoneNaming(5, 6);
              },
              "", "item 5 was asked for and vanished"},
        Story{"GiveUpAndPortBackDropEveryRequest",
              [](EngineScript& e) {
                e.Ask(5, RequestRead);
                e.GiveUp();
                e.Ask(6, RequestRead);
                e.PortBack();
              },
              "", ""},
        Story{"TestCallAskedDuringBatchServedAfterIt",
              [](EngineScript& e) {
                e.AskReadAll();
                e.AskTestCall();
                e.ServeBatch(BatchKind::ReadAll);
                e.TestCallDone();
              },
              "", ""},
        Story{"TestCallAskedDuringBatchServedInsideIt",
              [](EngineScript& e) {
                e.AskReadAll();
                e.AskTestCall();
                e.TestCallDone();
                e.ServeBatch(BatchKind::ReadAll);
              },
              "served while a batch asked before it still ran", ""},
        Story{"TestCallRefusedAtOnceDuringBatch",
              [](EngineScript& e) {
                e.AskReadAll();
                e.AskTestCallRefused(false);
                e.ServeBatch(BatchKind::ReadAll);
              },
              "", ""},
        Story{"TestCallRefusedAtOnceBesideARaisedOne",
              [](EngineScript& e) {
                e.AskTestCall();
                e.AskTestCallRefused(true);
                e.TestCallDone();
              },
              "", ""},
        Story{"TestCallJoiningARaisedOne",
              [](EngineScript& e) {
                e.AskTestCall();
                e.AskTestCall(true);
                e.TestCallDone();
              },
              "", ""},
        Story{"TestCallAnsweredTwice",
              [](EngineScript& e) {
                e.AskTestCall();
                e.TestCallDone();
                e.TestCallDone();
              },
              "test call outcome that no request was left for", ""},
        Story{"ReadAllAskedDuringReadAllRunsTwice",
              [](EngineScript& e) {
                e.AskReadAll();
                e.AskReadAll();
                e.ServeBatch(BatchKind::ReadAll);
              },
              "", "a read-all vanished"},
        Story{"WriteAllWithAnItemTurnedIntoARead",
              [](EngineScript& e) {
                e.AskWriteAll();
                const int16_t item = FirstWritable();
                e.Ask(item, RequestRead);
                e.ReadDone(item);
                e.WriteAllSkipping(item);
              },
              "", ""},
        Story{"WriteAllDoneWithoutWritingAnItem",
              [](EngineScript& e) {
                e.AskWriteAll();
                e.WriteAllSkipping(FirstWritable());
              },
              "write-all finished done but item", ""},
        Story{"ReadAllLearningAnItemFromAWrite",
              [](EngineScript& e) {
                e.AskReadAll();
                e.ServeBatch(BatchKind::ReadAll, {FirstWritable()});
              },
              "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RequestLedger, CountsJoinedRefusedAndDroppedRequests) {
  EngineScript e;
  e.Ask(5, RequestRead);
  e.Ask(5, RequestWrite);
  e.ledger.AskBatch(BatchKind::ReadAll, true, [] {});
  e.AskTestCallRefused(false);
  e.Ask(6, RequestRead);
  e.PortBack();

  EXPECT_EQ(e.ledger.Joined(), 2);
  EXPECT_EQ(e.ledger.AnsweredAtOnce(), 1);
  EXPECT_EQ(e.ledger.Dropped(), 2);
}

}  // namespace
}  // namespace tessaro::soak
