#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CliTestSupport.h"
#include "cli/EngineEventRecord.h"
#include "cli/ReportConsole.h"

namespace tessaro::cli {
namespace {

using testing::RecordingConsole;
using Lines = std::vector<std::string>;

// Which of a transaction's lines reach standard error by default, decided by
// how the engine says it ended.
struct VerdictRow {
  const char* name;
  TransactionKind kind;
  TransactionOutcome outcome;
  bool shown;
};

void PrintTo(const VerdictRow& row, std::ostream* out) { *out << row.name; }

class ReportVerdicts : public ::testing::TestWithParam<VerdictRow> {};

TEST_P(ReportVerdicts, LinesOfATransactionShowUnlessAnItemSucceeded) {
  RecordingConsole console;
  ReportConsole reports(console, false);
  EngineEventRecord events;
  events.reports = &reports;

  reports.ErrLine("Reading of Item: 21 ...");
  reports.ErrLine("message line");
  EXPECT_TRUE(console.err.empty()) << "held until the verdict";
  events.TransactionFinished(GetParam().kind, 21, GetParam().outcome);
  EXPECT_EQ(console.err, (GetParam().shown ? Lines{"Reading of Item: 21 ...", "message line"} : Lines{}));

  // Nothing is shown twice, nothing of it later.
  events.BatchFinished(BatchKind::ReadAll, TransactionOutcome::Done);
  EXPECT_EQ(console.err.size(), GetParam().shown ? 2u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ReportVerdicts,
    ::testing::Values(VerdictRow{"ReadDone", TransactionKind::Read, TransactionOutcome::Done, false},
                      VerdictRow{"WriteDone", TransactionKind::Write, TransactionOutcome::Done, false},
                      VerdictRow{"ReadFailed", TransactionKind::Read, TransactionOutcome::Failed, true},
                      VerdictRow{"WriteRefused", TransactionKind::Write, TransactionOutcome::Refused, true},
                      VerdictRow{"ReadGivenUp", TransactionKind::Read, TransactionOutcome::GivenUp, true},
                      VerdictRow{"TestCallDone", TransactionKind::TestCall, TransactionOutcome::Done, true},
                      VerdictRow{"ResetRefused", TransactionKind::Reset, TransactionOutcome::Refused, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportConsole, BatchEndAndPortChangesShowWhatWasHeld) {
  RecordingConsole console;
  ReportConsole reports(console, false);
  EngineEventRecord events;
  events.reports = &reports;
  reports.ErrLine("Reading of all settings successfull.");
  events.BatchFinished(BatchKind::ReadAll, TransactionOutcome::Done);
  reports.ErrLine("Error opening Comport");
  events.PortLost();
  reports.ErrLine("Com: 1 opened");
  events.PortBack();
  EXPECT_EQ(console.err, (Lines{"Reading of all settings successfull.", "Error opening Comport", "Com: 1 opened"}));
}

// A failed read stands in the progress box and in the message lines with the
// same report; without --verbose it is shown once, as the message line.
TEST(ReportConsole, AFailedReadIsShownOnce) {
  int16_t english = English;
  LanguageTexts texts;
  texts.FillTextTable(english);
  RecordingConsole console;
  ReportConsole reports(console, false);
  EngineEventRecord events;
  events.reports = &reports;
  events.texts = &texts;

  reports.ErrLine("Reading of Item: 21  [Item: 21 Value: None] ERROR: Time-out [SOH]. ");
  reports.MessageLine("14:03:07 ERROR Reading of: [Item: 21 Value: None] ERROR: Time-out [SOH]. ");
  reports.ErrLine("Reading of Item: 21  [Item: 21 Value: None] ERROR [checksum]. ");
  events.TransactionFinished(TransactionKind::Read, 21, TransactionOutcome::Failed);
  EXPECT_EQ(console.err, (Lines{"14:03:07 ERROR Reading of: [Item: 21 Value: None] ERROR: Time-out [SOH]. ",
                                "Reading of Item: 21  [Item: 21 Value: None] ERROR [checksum]. "}))
      << "a report the message lines do not carry stays";

  // A write's lines carry different things: the attempt and the reason.
  console.err.clear();
  reports.MessageLine("14:03:08  [Item: 21 Value: 1] Writing of ESPA mode: Espa 4.4.4. OUT");
  reports.ErrLine("Writing of ESPA mode: Espa 4.4.4. OUT -> ERROR: Time-out[SOH].");
  events.TransactionFinished(TransactionKind::Write, 21, TransactionOutcome::Failed);
  EXPECT_EQ(console.err.size(), 2u);
}

TEST(ReportConsole, JsonGivesEachLineAsAnObject) {
  RecordingConsole console;
  ReportConsole reports(console, false, true);
  reports.ErrLine("Cancelled!");
  reports.MessageLine("14:03:07 Error opening Comport:  1");
  reports.ShowHeld();
  EXPECT_EQ(console.err, (Lines{"{\"message\":\"Cancelled!\"}",
                                "{\"time\":\"14:03:07\",\"message\":\"Error opening Comport:  1\"}"}));
}

TEST(ReportConsole, VerbosePassesEveryLineAtOnce) {
  RecordingConsole console;
  ReportConsole reports(console, true);
  reports.ErrLine("one");
  reports.DropHeld();
  reports.ErrLine("two");
  EXPECT_EQ(console.err, (Lines{"one", "two"}));
}

}  // namespace
}  // namespace tessaro::cli
