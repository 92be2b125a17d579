#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "core/Items.h"
#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro::testing {
namespace {

using Frame = std::pair<char, int>;  // ('w', item) a read, ('W', item) a write

std::vector<int16_t> WritableItems() {
  std::vector<int16_t> items;
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (IsWritableItem(item) >= 0) items.push_back(item);
  }
  return items;
}

std::vector<int16_t> AllBut(std::vector<int16_t> items, int16_t left) {
  std::erase(items, left);
  return items;
}

struct FakeBackup final : UnitBackup {
  Kept Keep(const std::array<ItemValue, ItemCount>& unitValues) override {
    kept.push_back(unitValues);
    return answer;
  }
  std::vector<std::array<ItemValue, ItemCount>> kept;
  Kept answer{true, "/program/Backup/2024-03-05_14-03-07.cfg"};
};

struct BackupEvents final : EngineEvents {
  void UnitBackedUp(BackupOutcome outcome, const std::string& file) override { backups.emplace_back(outcome, file); }
  void BatchFinished(BatchKind kind, TransactionOutcome outcome) override {
    if (kind == BatchKind::WriteAll) writeAllEnds.push_back(outcome);
  }
  std::vector<std::pair<BackupOutcome, std::string>> backups;
  std::vector<TransactionOutcome> writeAllEnds;
};

// The unit holds 0 in every one-byte item; the user has 1, and 3 in item
// 21, so a write is told from a read.
class WriteAllBackupTest : public EngineFixture {
 public:
  // The cases' steps below reach into the fixture.
  using EngineFixture::engine;
  using EngineFixture::port;
  using EngineFixture::store;
  using EngineFixture::Tick;
  FakeUnit unit{port};

  void SetUp() override {
    Start();
    engine.SetEvents(&events);
    engine.SetBackup(&backup);
    unit.charValue = 0;
  }
  // What a file the user loaded puts on the screen.
  void ShowUserValues() {
    for (int16_t item : WritableItems()) store.ItemValues[static_cast<std::size_t>(item)] = ItemValue(1);
    for (auto& [item, row] : screen.rows) row.shown = item == 21 ? "3" : "1";
  }
  static double UserValue(int16_t item) { return item == 21 ? 3 : 1; }
  void TearDown() override {
    engine.SetEvents(nullptr);
    engine.SetBackup(nullptr);
  }

  // Runs until the engine has nothing left to do; the unit answers while `answering`.
  void Run(bool answering = true) {
    for (int tick = 0; tick < 3000 && !engine.Quiet(); ++tick) {
      if (answering) unit.Respond();
      Tick();
    }
    ASSERT_TRUE(engine.Quiet()) << screen.progress;
  }
  void ReadAllFirst() {
    engine.ReadAll();
    Run();
    unit.seen.clear();
    screen.progress.clear();
    lines.clear();
    events.writeAllEnds.clear();
  }
  std::vector<int> Seen(char kind) const {
    std::vector<int> items;
    for (const Frame& frame : unit.seen) {
      if (frame.first == kind) items.push_back(frame.second);
    }
    return items;
  }

  FakeBackup backup;
  BackupEvents events;
};

struct Before {
  const char* name;
  std::function<void(WriteAllBackupTest&)> arrange;
  std::vector<int16_t> reads;  // the backup's reads, in order
  friend void PrintTo(const Before& c, std::ostream* out) { *out << c.name; }
};

// Only what this unit has not given since its port was opened is read; a
// file loaded meanwhile forgets UnitValues but not what the unit gave.
const Before kBefore[] = {
    {"NothingReadSinceTheOpen", [](WriteAllBackupTest&) {}, WritableItems()},
    {"ReadAllThenAFileLoaded",
     [](WriteAllBackupTest& t) {
       t.ReadAllFirst();
       ClearUnitValues(t.store);
     },
     {}},
    {"OnlyItem23ReadSinceTheOpen",
     [](WriteAllBackupTest& t) {
       t.engine.ReadItem(23);
       t.Run();
       t.unit.seen.clear();
     },
     AllBut(WritableItems(), 23)},
    {"ReadAllThenThePortLostAndBack",
     [](WriteAllBackupTest& t) {
       t.ReadAllFirst();
       t.port.HangUp();
       t.Tick(ReopenDelayTicks + StepDelayTicks * 3);
       ASSERT_FALSE(t.engine.PortIsLost());
     },
     WritableItems()},
};

class WriteAllBackupCases : public WriteAllBackupTest, public ::testing::WithParamInterface<Before> {};

TEST_P(WriteAllBackupCases, KeepsWhatTheUnitHoldsThenWritesWhatTheUserHad) {
  GetParam().arrange(*this);
  ShowUserValues();
  engine.WriteAll(ScreenWriteAll(true));
  Run();

  const std::vector<int> reads(GetParam().reads.begin(), GetParam().reads.end());
  const std::vector<int16_t> writable = WritableItems();
  const std::vector<int> writes(writable.begin(), writable.end());
  EXPECT_EQ(Seen('w'), reads);
  EXPECT_EQ(Seen('W'), writes);
  if (!reads.empty()) {
    EXPECT_EQ(unit.seen[reads.size() - 1], Frame('w', reads.back())) << "every read before the first write";
  }
  ASSERT_EQ(backup.kept.size(), 1u);
  for (int16_t item : WritableItems()) {
    const auto index = static_cast<std::size_t>(item);
    EXPECT_EQ(backup.kept[0][index].NumberValue(), 0) << "the unit's value of item " << item;
    EXPECT_EQ(store.ItemValues[index].NumberValue(), UserValue(item)) << item;
    EXPECT_EQ(store.UnitSinceOpen[index].NumberValue(), UserValue(item)) << item;
  }
  EXPECT_EQ(screen.rows[21].shown, "3") << "the screen shows what was written";
  const std::string named = "Backup of the unit's settings saved as /program/Backup/2024-03-05_14-03-07.cfg.";
  EXPECT_NE(screen.progress.find(named + "\r\n"), std::string::npos) << screen.progress;
  EXPECT_TRUE(LinesContain(named));
  EXPECT_EQ(events.backups, (std::vector<std::pair<BackupOutcome, std::string>>{
                                {BackupOutcome::Saved, "/program/Backup/2024-03-05_14-03-07.cfg"}}));
  EXPECT_EQ(events.writeAllEnds, std::vector<TransactionOutcome>{TransactionOutcome::Done});
}

INSTANTIATE_TEST_SUITE_P(Backup, WriteAllBackupCases, ::testing::ValuesIn(kBefore),
                         [](const auto& info) { return std::string(info.param.name); });

struct Failure {
  const char* name;
  std::function<void(WriteAllBackupTest&)> during;  // runs the write-all to its end
  std::string line;                                 // in the progress box and the log
  BackupOutcome outcome;
  friend void PrintTo(const Failure& c, std::ostream* out) { *out << c.name; }
};

const std::string kNothingWritten = " Nothing was written to the unit.";

const Failure kFailures[] = {
    {"SaveFails",
     [](WriteAllBackupTest& t) {
       t.backup.answer = {false, "/program/Backup/2024-03-05_14-03-07.cfg"};
       t.Run();
     },
     "Cannot save the backup of the unit's settings as /program/Backup/2024-03-05_14-03-07.cfg." + kNothingWritten,
     BackupOutcome::NotSaved},
    {"NowhereToSave",
     [](WriteAllBackupTest& t) {
       t.engine.SetBackup(nullptr);
       t.Run();
     },
     "No backup of the unit's settings was made." + kNothingWritten, BackupOutcome::NotSaved},
    {"UnitDoesNotAnswer", [](WriteAllBackupTest& t) { t.Run(false); },
     "No backup of the unit's settings was made." + kNothingWritten, BackupOutcome::NotRead},
    {"Cancelled",
     [](WriteAllBackupTest& t) {
       t.Tick(5);
       t.engine.Cancel();
       t.Run();
     },
     "No backup of the unit's settings was made." + kNothingWritten, BackupOutcome::NotRead},
    {"PortLost",
     [](WriteAllBackupTest& t) {
       t.Tick(5);
       t.port.HangUp();
       t.Tick(ReopenDelayTicks + StepDelayTicks * 3);
       t.Run();
     },
     "No backup of the unit's settings was made." + kNothingWritten, BackupOutcome::NotRead},
};

class WriteAllBackupFailures : public WriteAllBackupTest, public ::testing::WithParamInterface<Failure> {};

TEST_P(WriteAllBackupFailures, WriteNothingAndSayWhy) {
  ShowUserValues();
  engine.WriteAll(ScreenWriteAll(true));
  GetParam().during(*this);

  EXPECT_TRUE(Seen('W').empty()) << "nothing is written";
  EXPECT_NE(screen.progress.find(GetParam().line + "\r\n"), std::string::npos) << screen.progress;
  EXPECT_TRUE(LinesContain(GetParam().line)) << screen.progress;
  ASSERT_EQ(events.backups.size(), 1u);
  EXPECT_EQ(events.backups[0].first, GetParam().outcome);
  ASSERT_EQ(events.writeAllEnds.size(), 1u);
  EXPECT_NE(events.writeAllEnds[0], TransactionOutcome::Done);
  for (const std::string& line : lines) EXPECT_EQ(line.find("successfull"), std::string::npos) << line;
  // The user's values are still there to be written once the unit answers.
  EXPECT_EQ(store.ItemValues[21].NumberValue(), 3);
  EXPECT_EQ(screen.rows[21].shown, "3");
}

INSTANTIATE_TEST_SUITE_P(Backup, WriteAllBackupFailures, ::testing::ValuesIn(kFailures),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(WriteAllBackupTest, WithoutABackupNothingIsReadOrKept) {
  ShowUserValues();
  engine.WriteAll(ScreenWriteAll(false));
  Run();
  EXPECT_TRUE(Seen('w').empty());
  EXPECT_EQ(Seen('W').size(), WritableItems().size());
  EXPECT_TRUE(backup.kept.empty());
  EXPECT_TRUE(events.backups.empty());
  EXPECT_EQ(screen.progress.find("Backup"), std::string::npos) << screen.progress;
}

// The values are the ones the user asked to write: whatever the screen shows
// by the time the engine serves the request is not taken.
TEST_F(WriteAllBackupTest, WritesTheValuesOfTheCommandNotOfTheScreenWhenServed) {
  ShowUserValues();
  engine.WriteAll(ScreenWriteAll(true));
  screen.rows[21].shown = "2";
  Run();
  EXPECT_EQ(store.ItemValues[21].NumberValue(), 3);
  EXPECT_EQ(store.UnitValues[21].NumberValue(), 3);
  EXPECT_EQ(settingsScreen.screenToItem.size(), static_cast<std::size_t>(LastUnitItem + 1))
      << "the screen was taken once, when asked";
}

}  // namespace
}  // namespace tessaro::testing
