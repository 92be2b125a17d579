#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/ProgramSettings.h"
#include "messages/MessageLog.h"
#include "tests/support/FixedClock.h"
#include "tests/support/TestFolder.h"

namespace tessaro {
namespace {

using testing::FixedClock;
using testing::TestFolder;

class MessageRing : public ::testing::Test {
 protected:
  MessageRing() { settings.Logfile = 2; }

  void AddNumbered(int first, int last) {
    for (int n = first; n <= last; ++n) {
      log.AddMessageLine("line " + std::to_string(n));
    }
  }

  TestFolder folder;
  FixedClock clock;
  ProgramSettings settings;
  MessageLog log{folder.Path(), clock, settings};
};

TEST_F(MessageRing, StartsEmpty) {
  EXPECT_EQ(log.MessageLineCount(), 0);
  for (const auto& line : log.MessageLines()) {
    EXPECT_TRUE(line.empty());
  }
}

TEST_F(MessageRing, FillsFromIndexZeroAndLeavesTheRestEmpty) {
  AddNumbered(1, 3);
  EXPECT_EQ(log.MessageLineCount(), 3);
  EXPECT_EQ(log.MessageLines()[0], "line 1");
  EXPECT_EQ(log.MessageLines()[2], "line 3");
  for (size_t i = 3; i < MessageLineSlots; ++i) {
    EXPECT_TRUE(log.MessageLines()[i].empty()) << i;
  }
}

TEST_F(MessageRing, TwentySixthLineDropsTheFirst) {
  AddNumbered(1, 25);
  ASSERT_EQ(log.MessageLineCount(), 25);
  EXPECT_EQ(log.MessageLines()[0], "line 1");
  EXPECT_EQ(log.MessageLines()[24], "line 25");

  log.AddMessageLine("line 26");
  EXPECT_EQ(log.MessageLineCount(), 25);
  EXPECT_EQ(log.MessageLines()[0], "line 2");
  EXPECT_EQ(log.MessageLines()[24], "line 26");
}

TEST_F(MessageRing, AfterThirtyLinesHoldsSixToThirtyInOrder) {
  AddNumbered(1, 30);
  EXPECT_EQ(log.MessageLineCount(), 25);
  for (size_t i = 0; i < MessageLineSlots; ++i) {
    EXPECT_EQ(log.MessageLines()[i], "line " + std::to_string(i + 6)) << i;
  }
}

TEST_F(MessageRing, ClearEmptiesAllSlotsAndRestartsAtIndexZero) {
  AddNumbered(1, 30);
  log.ClearMessageLines();
  EXPECT_EQ(log.MessageLineCount(), 0);
  for (const auto& line : log.MessageLines()) {
    EXPECT_TRUE(line.empty());
  }
  log.AddMessageLine("fresh");
  EXPECT_EQ(log.MessageLineCount(), 1);
  EXPECT_EQ(log.MessageLines()[0], "fresh");
  EXPECT_TRUE(log.MessageLines()[1].empty());
}

TEST_F(MessageRing, ListenerSeesEachLineAfterTheRingHoldsIt) {
  std::vector<std::string> seen;
  log.SetLineListener([&](const std::string& line) {
    // The newest slot must already hold the line the listener is told about.
    EXPECT_EQ(log.MessageLines()[static_cast<size_t>(log.MessageLineCount() - 1)], line);
    seen.push_back(line);
  });
  AddNumbered(1, 27);
  ASSERT_EQ(seen.size(), 27u);
  EXPECT_EQ(seen.front(), "line 1");
  EXPECT_EQ(seen.back(), "line 27");
}

struct SettingRow {
  const char* name;
  int16_t logfile;
  bool stored;
};

TEST_F(MessageRing, LogfileSettingDecidesWhetherLinesAreKept) {
  const std::vector<SettingRow> rows = {
      {"zero throws lines away", 0, false},
      {"one keeps them", 1, true},
      {"start-up value two keeps them", 2, true},
      {"negative is not zero, keeps them", -1, true},
  };
  for (const auto& row : rows) {
    log.ClearMessageLines();
    int heard = 0;
    log.SetLineListener([&](const std::string&) { ++heard; });
    settings.Logfile = row.logfile;
    log.LogMessage("text");
    EXPECT_EQ(log.MessageLineCount(), row.stored ? 1 : 0) << row.name;
    EXPECT_EQ(heard, row.stored ? 1 : 0) << row.name;
  }
}

TEST_F(MessageRing, SettingIsReadAtEveryCall) {
  settings.Logfile = 0;
  log.LogMessage("lost");
  settings.Logfile = 2;
  log.LogMessage("kept");
  settings.Logfile = 0;
  log.LogMessage("lost again");
  ASSERT_EQ(log.MessageLineCount(), 1);
  EXPECT_EQ(log.MessageLines()[0], "00:00:00 kept");
}

}  // namespace
}  // namespace tessaro
