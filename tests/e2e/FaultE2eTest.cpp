// The unit misbehaving on purpose: each fault must end in the reports,
// retries and give-up that the engine promises, and nothing else.

#include <algorithm>

#include "tests/e2e/ProtocolE2eFixture.h"

namespace tessaro::testing {
namespace {

const std::string kSohTimeout = "ERROR: Time-out [SOH]. ";
const std::string kLenTimeout = "ERROR: Time-out [LEN]. ";
const std::string kDamaged = "ERROR [checksum]. ";
const std::string kTooLong = " ERROR Len > Max. ";
const std::string kCancelled = "\r\nCancelled!\r\n";
const std::string kReadGiveUp = "ERROR reading settings from unit.\r\nReading of settings aborted.!";
const std::string kWriteGiveUp = "ERROR writing settings to unit.\r\nWriting of settings aborted.!";

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& all, const std::string& prefix) {
  std::vector<std::string> found;
  std::copy_if(all.begin(), all.end(), std::back_inserter(found),
               [&](const std::string& line) { return line.rfind(prefix, 0) == 0; });
  return found;
}

struct ReadFault {
  const char* name;
  const char* fault;                 // the unit's --fault switch
  std::vector<std::string> reports;  // failure reports in order, after the item description
  std::size_t requests;              // read requests the unit receives
  bool givesUp;
};

void PrintTo(const ReadFault& fault, std::ostream* out) { *out << fault.name; }

class ReadFaultE2eTest : public ProtocolE2eTest, public ::testing::WithParamInterface<ReadFault> {};

TEST_P(ReadFaultE2eTest, SingleReadReportsRetriesAndGivesUpAsDue) {
  const ReadFault& fault = GetParam();
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace", "--hex", "--fault", fault.fault}));
  const std::string start = "Reading of Item: 21  ";
  const std::string description = "[Item: 21 Value: " + program->Screen.ShownText(21) + "] ";

  Store().ItemStatus[21] = RequestRead;
  ASSERT_TRUE(RunUntilSettled(2000)) << Transcript();

  std::string expected;
  std::vector<std::string> expectedLogged;
  for (const auto& report : fault.reports) {
    expected += start + description + report + "\r\n";
    expectedLogged.push_back("ERROR Reading of: " + description + report);
  }
  expected += fault.givesUp ? kCancelled : start + Row(21) + " OK\r\n";
  EXPECT_EQ(screen.progress, expected);
  EXPECT_EQ(LinesStartingWith(lines, "ERROR Reading of: "), expectedLogged);
  EXPECT_EQ(sim.Count(ReadRequestLine(21)), fault.requests) << sim.Transcript();

  if (fault.givesUp) {
    ASSERT_EQ(dialogs.criticalErrors.size(), 1u);
    EXPECT_EQ(dialogs.criticalErrors[0].text, kReadGiveUp);
    EXPECT_EQ(dialogs.criticalErrors[0].caption, Text(slot::ProgramTitle));
    EXPECT_EQ(Engine().FailCount, 3);
    EXPECT_EQ(Store().UnitValues[21], ItemValue(-1)) << "nothing stored from a failed read";
  } else {
    EXPECT_TRUE(dialogs.criticalErrors.empty());
    EXPECT_EQ(Engine().FailCount, 0);
    EXPECT_EQ(Store().UnitValues[21].TextValue(), "2");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ReadFaultE2eTest,
    ::testing::Values(
        ReadFault{"NoReplyTimesOutThriceThenGivesUp", "no-reply", {kSohTimeout, kSohTimeout, kSohTimeout}, 3, true},
        ReadFault{"SohWithoutLenTimesOutThriceThenGivesUp", "no-len", {kLenTimeout, kLenTimeout, kLenTimeout}, 3,
                  true},
        ReadFault{"BadChecksumOnceIsRetried", "bad-checksum:1", {kDamaged}, 2, false},
        ReadFault{"ReplyCutOffInItsDataTimesOut", "cut-off:1", {kLenTimeout}, 2, false},
        // Not counted as a failure: four in a row still do not give up.
        ReadFault{"TooLongFourTimesIsRetriedWithoutGivingUp", "too-long:4", {kTooLong, kTooLong, kTooLong, kTooLong},
                  5, false},
        ReadFault{"ReplyWithoutValueFailsLikeADamagedOne", "short", {kDamaged, kDamaged, kDamaged}, 3, true},
        ReadFault{"ReplyWithoutItemFailsLikeADamagedOne", "ack-only:2", {kDamaged, kDamaged}, 3, false},
        ReadFault{"NoiseBeforeTheReplyIsSkipped", "noise", {}, 1, false}),
    [](const ::testing::TestParamInfo<ReadFault>& info) { return std::string(info.param.name); });

TEST_F(ProtocolE2eTest, ReplyForAnotherItemIsStoredThereAndTheAskedItemIsAskedAgain) {
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace", "--hex", "--fault", "other-item:1"}));

  Store().ItemStatus[21] = RequestRead;
  ASSERT_TRUE(RunUntilSettled(1000)) << Transcript();

  EXPECT_EQ(Store().UnitValues[22].TextValue(), "1");
  EXPECT_EQ(Store().UnitValues[21].TextValue(), "2");
  EXPECT_EQ(screen.progress,
            "Reading of Item: 21  " + Row(22) + " OK\r\nReading of Item: 21  " + Row(21) + " OK\r\n");
  EXPECT_EQ(sim.Count(ReadRequestLine(21)), 2u) << sim.Transcript();
  EXPECT_EQ(sim.Count(ReadRequestLine(22)), 0u) << sim.Transcript();
  EXPECT_EQ(Engine().FailCount, 0);
}

TEST_F(ProtocolE2eTest, ReadAllSucceedsThroughNoiseBeforeEveryReply) {
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace", "--fault", "noise", "--seed", "7"}));

  Engine().ReadAllRequest = true;
  ASSERT_TRUE(RunUntilSettled(4000)) << Transcript();

  for (const auto& setting : UnitProfile()) {
    SCOPED_TRACE("item " + std::to_string(setting.item));
    EXPECT_EQ(Store().UnitValues[static_cast<std::size_t>(setting.item)].TextValue(), setting.decoded);
  }
  EXPECT_EQ(sim.Count("FAULT noise"), UnitProfile().size()) << sim.Transcript();
  EXPECT_EQ(LinesStartingWith(lines, "ERROR"), std::vector<std::string>{});
  EXPECT_EQ(lines.back(), "Reading of all settings successfull.");
}

struct WriteFault {
  const char* name;
  const char* fault;
  std::size_t refusals;
  bool givesUp;
};

void PrintTo(const WriteFault& fault, std::ostream* out) { *out << fault.name; }

class WriteFaultE2eTest : public ProtocolE2eTest, public ::testing::WithParamInterface<WriteFault> {};

TEST_P(WriteFaultE2eTest, RefusedWriteIsSentAgainAtMostThreeTimes) {
  const WriteFault& fault = GetParam();
  ASSERT_NO_FATAL_FAILURE(StartUnitAndProgram({"--no-pace", "--hex", "--fault", fault.fault}));
  ShowOnScreen(21, 3);
  program->Screen.ScreenToItem(21);

  Store().ItemStatus[21] = RequestWrite;
  ASSERT_TRUE(RunUntilSettled(2000)) << Transcript();

  const std::string line = "Writing of " + Row(21);
  std::string expected;
  for (std::size_t i = 0; i < fault.refusals; ++i) expected += line + " -> program ERROR NACK.\r\n";
  expected += fault.givesUp ? kCancelled : line + " -> Saved.\r\n";
  EXPECT_EQ(screen.progress, expected);
  EXPECT_EQ(sim.Count("REFUSED 21 "), fault.refusals) << sim.Transcript();
  EXPECT_EQ(sim.Count(WriteRequestLineStart(21)), fault.refusals + (fault.givesUp ? 0 : 1)) << sim.Transcript();

  if (fault.givesUp) {
    EXPECT_EQ(sim.Count("SET "), 0u) << sim.Transcript();
    ASSERT_EQ(dialogs.criticalErrors.size(), 1u);
    EXPECT_EQ(dialogs.criticalErrors[0].text, kWriteGiveUp);
    EXPECT_EQ(dialogs.criticalErrors[0].caption, Text(slot::ProgramTitle));
    EXPECT_EQ(Store().UnitValues[21], ItemValue(-1)) << "a refused value is not the unit's";
  } else {
    EXPECT_EQ(sim.Count("SET 21 3"), 1u) << sim.Transcript();
    EXPECT_TRUE(dialogs.criticalErrors.empty());
    EXPECT_EQ(Store().UnitValues[21].NumberValue(), 3);
    EXPECT_EQ(Engine().FailCount, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, WriteFaultE2eTest,
                         ::testing::Values(WriteFault{"RefusedThriceGivesUp", "nack:3", 3, true},
                                           WriteFault{"RefusedTwiceThenSaved", "nack:2", 2, false}),
                         [](const ::testing::TestParamInfo<WriteFault>& info) { return std::string(info.param.name); });

// The unit's port goes away in the middle of a read-all and comes back later
// under the same name.
TEST_F(ProtocolE2eTest, LostPortIsReopenedWhenTheUnitReturnsAndTheBatchIsCancelled) {
  ASSERT_NO_FATAL_FAILURE(
      StartUnitAndProgram({"--no-pace", "--hangup-after", "5", "--return-after", "1.5"}));

  Engine().ReadAllRequest = true;
  ASSERT_TRUE(Run([&] { return Engine().EngineState == engine_state::PortLost; }, 3000)) << Transcript();
  const std::size_t lostAt = lines.size();
  EXPECT_EQ(sim.Count("HANGUP"), 1u) << sim.Transcript();

  const auto reopened = [&] {
    return std::find(lines.begin() + static_cast<long>(lostAt), lines.end(), kComOpenedLine) != lines.end();
  };
  ASSERT_TRUE(Run(reopened, 3000)) << Transcript();
  ASSERT_TRUE(RunUntilSettled(50)) << Transcript();

  // While the unit was away: failed opens, each followed by a close.
  const std::vector<std::string> away(lines.begin() + static_cast<long>(lostAt), lines.end() - 1);
  ASSERT_GE(away.size(), 2u) << Transcript();
  for (std::size_t i = 0; i < away.size(); ++i) {
    EXPECT_EQ(away[i], i % 2 == 0 ? kComOpenFailedLine : kComClosedLine) << i;
  }
  EXPECT_EQ(lines.back(), kComOpenedLine);
  EXPECT_EQ(sim.Count("PTY "), 2u) << sim.Transcript();

  // What was read before the loss stays; the rest of the batch is dropped.
  const std::string cancelled = "\r\nCurrent actions Read from or Write to unit cancelled!\r\n";
  ASSERT_GE(screen.progress.size(), cancelled.size());
  EXPECT_EQ(screen.progress.substr(screen.progress.size() - cancelled.size()), cancelled);
  const auto profile = UnitProfile();
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(Store().UnitValues[static_cast<std::size_t>(profile[i].item)].TextValue(), profile[i].decoded);
  }
  EXPECT_EQ(Store().UnitValues[static_cast<std::size_t>(profile.back().item)], ItemValue(-1));
  EXPECT_EQ(CountLines("Reading of all settings successfull."), 0u);

  // The link works again.
  Store().ItemStatus[21] = RequestRead;
  ASSERT_TRUE(RunUntilSettled(1000)) << Transcript();
  EXPECT_EQ(Store().UnitValues[21].TextValue(), "2");
}

}  // namespace
}  // namespace tessaro::testing
