#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/protocol/ProtocolTestSupport.h"

namespace tessaro {
namespace {

using testing::Bytes;
using testing::FakeUnit;
using testing::ItemReply;
using testing::kAttention;
using testing::ReplyFrame;

namespace s = engine_state;

class EngineTest : public testing::EngineFixture {
 protected:
  // Counts the ticks it runs, so gaps after a send can be placed exactly.
  void CountedTick() {
    engine.EngineTick(0);
    ++ticks;
  }
  int CountedTickUntil(const std::function<bool()>& done, int limit = 2000) {
    for (int i = 0; i <= limit; ++i) {
      if (done()) return i;
      CountedTick();
    }
    return -1;
  }
  int PendingRequests() const {
    return static_cast<int>(std::count_if(store.ItemStatus.begin(), store.ItemStatus.end(),
                                          [](int16_t status) { return status != RequestNone; }));
  }
  // Runs with a unit that answers everything until the engine is idle with
  // nothing pending (and no batch left to report).
  void RunWithUnit(FakeUnit& unit, int limit = 10000) {
    for (int i = 0; i < limit; ++i) {
      engine.EngineTick(0);
      unit.Respond();
      if (engine.EngineState == s::Idle && PendingRequests() == 0 && engine.BatchReport == 0 &&
          !engine.ReadAllRequest && !engine.WriteAllRequest) {
        return;
      }
    }
    FAIL() << "the engine did not finish";
  }

  int ticks = 0;
};

TEST_F(EngineTest, StaysInInitialStateUntilStartCode10) {
  engine.UnitTextLine = "left over";
  engine.BatchReport = 2;
  for (int i = 0; i < 50; ++i) engine.EngineTick(0);
  EXPECT_EQ(engine.EngineState, s::Initial);
  EXPECT_EQ(engine.DelayCountdown, 10);
  EXPECT_EQ(engine.BatchReport, 0);
  EXPECT_TRUE(engine.UnitTextLine.empty());

  store.ItemStatus[21] = RequestRead;
  ASSERT_EQ(datacom.OpenComPort(0, 4, 0, 1, 0, 0), 0);
  engine.EngineTick(0);
  EXPECT_EQ(engine.EngineState, s::Initial) << "only start-up's code 10 starts the engine";
  EXPECT_TRUE(port.written.empty());
  engine.EngineTick(10);
  EXPECT_EQ(engine.EngineState, s::Idle);
}

TEST_F(EngineTest, UnknownStateFallsBackToIdle) {
  Start();
  for (int16_t state : {int16_t{1}, int16_t{11}, int16_t{154}, int16_t{165}, int16_t{184},
                        int16_t{315}, int16_t{349}, int16_t{355}, int16_t{-3}}) {
    SCOPED_TRACE(state);
    engine.EngineState = static_cast<EngineStateCode>(state);
    engine.EngineTick(0);
    EXPECT_EQ(engine.EngineState, s::Idle);
  }
}

struct QuietRow {
  const char* name;
  bool firstIsWrite;
  int gap;  // ticks from the first frame to serving the next request
  bool attention;
};

TEST_F(EngineTest, AttentionFrameOnlyAfterAQuietSpell) {
  const std::vector<QuietRow> rows = {
      {"ReadThen79Ticks", false, 79, false},
      {"ReadThen80Ticks", false, 80, true},
      {"WriteThen199Ticks", true, 199, false},
      {"WriteThen200Ticks", true, 200, true},
  };
  Start();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    engine.IdleCountdown = 0;
    store.ItemValues[21] = ItemValue(2);
    store.ItemStatus[21] = row.firstIsWrite ? RequestWrite : RequestRead;
    const EngineStateCode soh = row.firstIsWrite ? s::WriteSoh : s::ReadSoh;
    ASSERT_GE(CountedTickUntil([&] { return engine.EngineState == soh; }), 0);
    const int sendTick = ticks;
    Feed(row.firstIsWrite ? ReplyFrame(0x06, {'W', 0x1F, 21, 0x1E}) : ItemReply(21, {2}));
    ASSERT_GE(CountedTickUntil([&] { return engine.EngineState == s::Idle && store.ItemStatus[21] == RequestNone; }), 0);
    while (ticks - sendTick < row.gap - 1) CountedTick();

    store.ItemStatus[5] = RequestRead;
    port.written.clear();
    CountedTick();
    ASSERT_EQ(engine.EngineState, s::ReadSend);
    if (row.attention) {
      EXPECT_EQ(port.written, kAttention);
      for (int i = 0; i < 9; ++i) CountedTick();
      EXPECT_EQ(port.written, kAttention) << "the request waits 10 ticks";
    } else {
      EXPECT_TRUE(port.written.empty());
    }
    CountedTick();
    EXPECT_EQ(engine.EngineState, s::ReadSoh);
    EXPECT_EQ(port.written.size(), row.attention ? 14u : 10u);
    // Finish the read so the next row starts idle.
    Feed(ItemReply(5, {1}));
    ASSERT_GE(CountedTickUntil([&] { return engine.EngineState == s::Idle && store.ItemStatus[5] == RequestNone; }), 0);
  }
}

TEST_F(EngineTest, ServesInAscendingOrderAndShowsTheItemOnTheBar) {
  Start();
  store.ItemValues[7] = ItemValue(3);
  store.ItemStatus[7] = RequestWrite;
  store.ItemStatus[5] = RequestRead;
  store.ItemStatus[150] = RequestRead;
  engine.EngineTick(0);
  EXPECT_EQ(engine.CurrentItem, 5);
  EXPECT_EQ(engine.EngineState, s::ReadSend);
  EXPECT_TRUE(screen.barVisible);
  EXPECT_EQ(screen.barValue, 5);
  EXPECT_EQ(screen.barMaximum, 250);

  FakeUnit unit(port);
  RunWithUnit(unit);
  const std::vector<std::pair<char, int>> expected = {{'w', 5}, {'W', 7}, {'w', 150}};
  EXPECT_EQ(unit.seen, expected);
  Tick();
  EXPECT_FALSE(screen.barVisible) << "the bar disappears when nothing is pending";
}

TEST_F(EngineTest, ProgressBar) {
  struct Row {
    const char* name;
    int pending;
    int n;
    bool visible;
    int value;
  };
  const std::vector<Row> rows = {
      {"NothingPendingHides", 0, -1, false, 0},
      {"PendingCount", 3, -1, true, 3},
      {"ItemNumber", 0, 21, true, 21},
      {"ItemNumberLimited", 0, 300, true, 250},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    store.ItemStatus.fill(RequestNone);
    for (int i = 0; i < row.pending; ++i) store.ItemStatus[static_cast<std::size_t>(10 + i)] = RequestRead;
    engine.ShowProgress(row.n);
    EXPECT_EQ(screen.barVisible, row.visible);
    if (row.visible) {
      EXPECT_EQ(screen.barValue, row.value);
      EXPECT_EQ(screen.barMinimum, 0);
      EXPECT_EQ(screen.barMaximum, 250);
    }
  }
}

TEST_F(EngineTest, GivesUpAfterThreeFailedReads) {
  Start();
  store.ItemStatus[21] = RequestRead;
  store.ItemStatus[40] = RequestWrite;
  bool clearedBeforeBox = false;
  dialogs.onShow = [&] { clearedBeforeBox = PendingRequests() == 0; };
  int sends = 0;
  for (int i = 0; i < 2000 && dialogs.boxes.empty(); ++i) {
    const EngineStateCode before = engine.EngineState;
    Tick();
    if (before == s::ReadSend && engine.EngineState == s::ReadSoh) ++sends;
  }
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(sends, 3);
  EXPECT_EQ(dialogs.boxes[0].text, "ERROR reading settings from unit.\r\nReading of settings aborted.!");
  EXPECT_EQ(dialogs.boxes[0].caption, texts.Text(slot::ProgramTitle));
  EXPECT_TRUE(clearedBeforeBox);
  EXPECT_EQ(engine.FailCount, 3);
  EXPECT_TRUE(screen.progress.ends_with("\r\nCancelled!\r\n"));
  Tick(300);
  EXPECT_EQ(dialogs.boxes.size(), 1u) << "nothing is pending after giving up";
}

TEST_F(EngineTest, GivesUpAfterThreeRefusedWrites) {
  Start();
  store.ItemValues[21] = ItemValue(2);
  store.ItemStatus[21] = RequestWrite;
  FakeUnit unit(port);
  unit.writeAnswer = 0x15;
  for (int i = 0; i < 3000 && dialogs.boxes.empty(); ++i) {
    Tick();
    unit.Respond();
  }
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "ERROR writing settings to unit.\r\nWriting of settings aborted.!");
  EXPECT_EQ(dialogs.boxes[0].caption, texts.Text(slot::ProgramTitle));
  EXPECT_EQ(unit.seen.size(), 3u) << "a refused write goes out at most three times";
  EXPECT_EQ(screen.progress,
            "Writing of ESPA mode 1 -> program ERROR NACK.\r\n"
            "Writing of ESPA mode 1 -> program ERROR NACK.\r\n"
            "Writing of ESPA mode 1 -> program ERROR NACK.\r\n"
            "\r\nCancelled!\r\n");
  EXPECT_EQ(store.UnitValues[21], ItemValue(-1));
}

TEST_F(EngineTest, FailCountAtThreeRefusesAtOnce) {
  Start();
  engine.FailCount = 3;
  store.ItemStatus[21] = RequestRead;
  Tick();
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "ERROR reading settings from unit.\r\nReading of settings aborted.!");
  EXPECT_TRUE(port.written.empty());
  EXPECT_EQ(engine.FailCount, 3);
  EXPECT_EQ(engine.EngineState, s::Idle);
  EXPECT_EQ(PendingRequests(), 0);
}

TEST_F(EngineTest, ReadAllRequestsThe32ReadableItemsAfterReopeningThePort) {
  Start();
  engine.FailCount = 2;
  engine.ReadAllRequest = true;
  Tick();
  EXPECT_FALSE(engine.ReadAllRequest);
  EXPECT_EQ(engine.BatchReport, 1);
  EXPECT_EQ(engine.FailCount, 0);
  EXPECT_EQ(PendingRequests(), 32);
  for (int item = 0; item <= 250; ++item) {
    EXPECT_EQ(store.ItemStatus[item] == RequestRead, IsReadableItem(item) >= 0) << item;
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"Comport closed by software.", "Com: 1 opened with: 9600,N,8,1"}));
}

TEST_F(EngineTest, ReadAllIsDroppedWhenThePortDoesNotReopen) {
  Start();
  port.failOpen = true;
  engine.ReadAllRequest = true;
  Tick();
  EXPECT_FALSE(engine.ReadAllRequest);
  EXPECT_EQ(PendingRequests(), 0);
  EXPECT_EQ(engine.BatchReport, 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"Comport closed by software.", "Error opening Comport:  1"}));
}

TEST_F(EngineTest, CancelDuringReadAllEndsTheBatchWithoutSuccessLine) {
  Start();
  engine.ReadAllRequest = true;
  FakeUnit unit(port);
  for (int i = 0; i < 2000 && !(engine.CurrentItem == 12 && engine.EngineState == s::ReadSoh); ++i) {
    Tick();
    unit.Respond();
  }
  ASSERT_EQ(engine.CurrentItem, 12);
  engine.CancelAll();
  EXPECT_EQ(PendingRequests(), 0);
  EXPECT_EQ(engine.BatchReport, 0);
  EXPECT_TRUE(screen.progress.ends_with("\r\nCancelled!\r\n"));
  RunWithUnit(unit);
  Tick(300);
  EXPECT_FALSE(LinesContain("Reading of all settings successfull."));
  EXPECT_EQ(unit.seen.back(), std::make_pair('w', 12)) << "the running read finishes, nothing follows";
}

TEST_F(EngineTest, BatchSuccessLines) {
  struct Row {
    const char* name;
    bool readAll;
    int16_t debugLevel;
    std::string line;
    bool inProgressBox;
  };
  const std::vector<Row> rows = {
      {"ReadAllDebug0", true, 0, "Reading of all settings successfull.", false},
      {"ReadAllDebug2", true, 2, "Reading of all settings successfull.", true},
      {"WriteAllDebug0", false, 0, "Writing of all settings successfull.", false},
      {"WriteAllDebug2", false, 2, "Writing of all settings successfull.", true},
  };
  Start();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    for (int item = 0; item <= LastUnitItem; ++item) {
      store.ItemValues[static_cast<std::size_t>(item)] = item >= 150 ? ItemValue("x") : ItemValue(1);
    }
    store.DebugLevel = row.debugLevel;
    screen.progress.clear();
    lines.clear();
    settingsScreen.screenToItem.clear();
    port.written.clear();
    if (row.readAll) {
      engine.ReadAll();
    } else {
      engine.WriteAll({store.ItemValues, false});
    }
    FakeUnit unit(port);
    RunWithUnit(unit);
    EXPECT_EQ(unit.seen.size(), row.readAll ? 32u : 27u);
    EXPECT_TRUE(settingsScreen.screenToItem.empty()) << "a write-all carries its values";
    EXPECT_EQ(std::count(lines.begin(), lines.end(), row.line), 1);
    EXPECT_EQ(screen.progress.ends_with(row.line + "\r\n"), row.inProgressBox);
    EXPECT_EQ(engine.FailCount, 0);
  }
}

TEST_F(EngineTest, LostPortIsReopenedEvery200TicksAndDropsPendingRequests) {
  Start();
  port.HangUp();
  port.failOpen = true;
  store.ItemStatus[21] = RequestRead;
  Tick();
  EXPECT_EQ(engine.EngineState, s::PortLost);
  EXPECT_TRUE(lines.empty());

  Tick();  // the first attempt comes at once
  const std::vector<std::string> failedAttempt = {"Error opening Comport:  1", "Comport closed by software."};
  EXPECT_EQ(lines, failedAttempt);
  lines.clear();
  Tick(199);
  EXPECT_TRUE(lines.empty());
  Tick();
  EXPECT_EQ(lines, failedAttempt);
  EXPECT_EQ(engine.EngineState, s::PortLost);
  EXPECT_EQ(store.ItemStatus[21], RequestRead);

  lines.clear();
  port.failOpen = false;
  engine.BatchReport = 1;
  Tick(200);
  EXPECT_EQ(engine.EngineState, s::Idle);
  EXPECT_EQ(lines, (std::vector<std::string>{"Com: 1 opened with: 9600,N,8,1"}));
  EXPECT_EQ(screen.progress, "\r\nCurrent actions Read from or Write to unit cancelled!\r\n");
  EXPECT_EQ(PendingRequests(), 0);
  EXPECT_EQ(engine.BatchReport, 0);
  EXPECT_EQ(engine.DelayCountdown, 10);
}

TEST_F(EngineTest, ReturningPortWithNothingPendingAddsNoCancelLine) {
  Start();
  port.HangUp();
  Tick(2);
  EXPECT_EQ(engine.EngineState, s::Idle);
  EXPECT_TRUE(screen.progress.empty());
}

TEST_F(EngineTest, ListensToTheUnitsOwnLines) {
  struct Row {
    const char* name;
    Bytes bytes;
    std::vector<std::string> lines;
    std::string unfinished;
  };
  const std::vector<Row> rows = {
      {"OkCrLf", {'o', 'k', '\r', '\n'}, {"ok"}, ""},
      {"LfAlsoEndsALine", {'a', '\n', 'b', '\n'}, {"a", "b"}, ""},
      {"EmptyLinesAreSkipped", {'\r', '\n', '\r', '\n'}, {}, ""},
      {"NulIsNamed", {'a', 0x00, 'b', '\r'}, {"a[NULL]b"}, ""},
      {"ControlNames", {0x15, 0x7F, 0x80, '\r'}, {"[NACK][RUBOUT]\x80"}, ""},
      {"Unfinished", {'x', 'y'}, {}, "xy"},
  };
  Start();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    lines.clear();
    engine.UnitTextLine.clear();
    Feed(row.bytes);
    Tick();
    EXPECT_EQ(lines, row.lines);
    EXPECT_EQ(engine.UnitTextLine, row.unfinished);
  }
}

TEST_F(EngineTest, LongUnitLineIsCutAfter131Characters) {
  Start();
  Feed(Bytes(140, 'x'));
  Tick();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], std::string(131, 'x'));
  Feed({'\r'});
  Tick();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], std::string(9, 'x'));
}

TEST_F(EngineTest, UnitTextIsNotCollectedDuringATransaction) {
  Start();
  store.ItemStatus[21] = RequestRead;
  SendPendingRequest();
  ASSERT_EQ(engine.EngineState, s::ReadSoh);
  Feed({'h', 'i', '\r'});
  Tick(130);
  EXPECT_FALSE(LinesContain("hi"));
}

}  // namespace
}  // namespace tessaro
