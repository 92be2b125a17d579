#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliOptions.h"

namespace tessaro::cli {
namespace {

using Args = std::vector<std::string>;

struct AcceptedRow {
  const char* name;
  Args args;
  std::function<void(const CliOptions&)> check;
};

void PrintTo(const AcceptedRow& row, std::ostream* out) { *out << row.name; }

class AcceptedCommandLine : public ::testing::TestWithParam<AcceptedRow> {};

TEST_P(AcceptedCommandLine, GivesTheseOptions) {
  const ParsedCommandLine parsed = ParseCommandLine(GetParam().args);
  ASSERT_TRUE(parsed.options) << parsed.error;
  EXPECT_TRUE(parsed.error.empty());
  GetParam().check(*parsed.options);
}

std::vector<int16_t> Items(std::initializer_list<int16_t> items) { return items; }

INSTANTIATE_TEST_SUITE_P(
    Rows, AcceptedCommandLine,
    ::testing::Values(
        AcceptedRow{"ReadAllWithDefaults", {"read-all"},
                    [](const CliOptions& o) {
                      EXPECT_EQ(o.command, Command::ReadAll);
                      EXPECT_EQ(o.format, OutputFormat::Text);
                      EXPECT_FALSE(o.saveFile || o.port || o.device || o.language || o.debug);
                    }},
        AcceptedRow{"SaveGivenInline", {"read-all", "--save=unit.cfg"},
                    [](const CliOptions& o) { EXPECT_EQ(o.saveFile.value_or(""), "unit.cfg"); }},
        AcceptedRow{"WriteAllKeepsABackupUnlessTold", {"write-all", "unit.cfg"},
                    [](const CliOptions& o) {
                      EXPECT_EQ(o.command, Command::WriteAll);
                      EXPECT_EQ(o.file, "unit.cfg");
                      EXPECT_FALSE(o.noBackup);
                    }},
        AcceptedRow{"WriteAllWithoutBackup", {"write-all", "--no-backup", "unit.cfg"},
                    [](const CliOptions& o) { EXPECT_TRUE(o.noBackup); }},
        AcceptedRow{"GlobalOptionsAmongOperands",
                    {"read", "21", "--port", "3", "5", "--lang", "de", "--debug", "--format=json"},
                    [](const CliOptions& o) {
                      EXPECT_EQ(o.command, Command::Read);
                      EXPECT_EQ(o.items, Items({21, 5}));
                      EXPECT_EQ(o.port, 3);
                      EXPECT_EQ(o.language, int16_t{2});
                      EXPECT_TRUE(o.debug);
                      EXPECT_EQ(o.format, OutputFormat::Json);
                    }},
        AcceptedRow{"RepeatedReadItemsOnce", {"read", "5", "150", "5"},
                    [](const CliOptions& o) { EXPECT_EQ(o.items, Items({5, 150})); }},
        AcceptedRow{"WriteTakesListPositionsAndBoxNumbers", {"write", "21=3", "41=24", "31=255", "23=180"},
                    [](const CliOptions& o) {
                      ASSERT_EQ(o.writes.size(), 4u);
                      EXPECT_EQ(o.writes[0].item, 21);
                      EXPECT_EQ(o.writes[0].value, 3);
                      EXPECT_EQ(o.writes[1].value, 24);
                      EXPECT_EQ(o.writes[2].value, 255);
                      EXPECT_EQ(o.writes[3].value, 180);
                    }},
        AcceptedRow{"LaterWriteOfAnItemWins", {"write", "21=1", "5=2", "21=2"},
                    [](const CliOptions& o) {
                      ASSERT_EQ(o.writes.size(), 2u);
                      EXPECT_EQ(o.writes[0].item, 21);
                      EXPECT_EQ(o.writes[0].value, 2);
                    }},
        AcceptedRow{"MonitorWithFractionOfSeconds", {"monitor", "--seconds", "1.5"},
                    [](const CliOptions& o) {
                      EXPECT_EQ(o.command, Command::Monitor);
                      EXPECT_DOUBLE_EQ(o.seconds.value_or(0), 1.5);
                    }},
        AcceptedRow{"MonitorWithoutEnd", {"monitor"}, [](const CliOptions& o) { EXPECT_FALSE(o.seconds); }},
        AcceptedRow{"TestCallWithEverything", {"test-call", "1234", "--message", "abc", "--bleep", "15"},
                    [](const CliOptions& o) {
                      EXPECT_EQ(o.pagerAddress, "1234");
                      EXPECT_EQ(o.pagerMessage, "abc");
                      EXPECT_EQ(o.bleepCode, 15);
                    }},
        AcceptedRow{"TestCallBleepsCodeOneLikeTheWindow", {"test-call", "0123456789"},
                    [](const CliOptions& o) {
                      EXPECT_EQ(o.pagerAddress, "0123456789");
                      EXPECT_EQ(o.bleepCode, 1);
                      EXPECT_EQ(o.pagerMessage, "");
                    }},
        AcceptedRow{"MessageTurnedIntoTheUnitsCharacters", {"test-call", "12", "--message", "h\xC3\xA9llo \xE2\x82\xAC"},
                    [](const CliOptions& o) { EXPECT_EQ(o.pagerMessage, "h\xE9llo \x80"); }},
        AcceptedRow{"DeviceForReset", {"--device", "/dev/pts/3", "reset"},
                    [](const CliOptions& o) {
                      EXPECT_EQ(o.command, Command::Reset);
                      EXPECT_EQ(o.device.value_or(""), "/dev/pts/3");
                    }},
        AcceptedRow{"DiagnosticsAndShow", {"show", "--", "--odd name.cfg"},
                    [](const CliOptions& o) {
                      EXPECT_EQ(o.command, Command::Show);
                      EXPECT_EQ(o.file, "--odd name.cfg");
                    }},
        AcceptedRow{"HelpAloneNeedsNoCommand", {"--help"}, [](const CliOptions& o) { EXPECT_TRUE(o.help); }},
        AcceptedRow{"HelpWinsOverABadOperand", {"read", "3", "-h"},
                    [](const CliOptions& o) { EXPECT_TRUE(o.help); }}),
    [](const ::testing::TestParamInfo<AcceptedRow>& info) { return info.param.name; });

struct RefusedRow {
  const char* name;
  Args args;
  const char* message;  // part of the one-line error
};

void PrintTo(const RefusedRow& row, std::ostream* out) { *out << row.name; }

class RefusedCommandLine : public ::testing::TestWithParam<RefusedRow> {};

TEST_P(RefusedCommandLine, SaysWhyOnOneLine) {
  const ParsedCommandLine parsed = ParseCommandLine(GetParam().args);
  EXPECT_FALSE(parsed.options);
  EXPECT_NE(parsed.error.find(GetParam().message), std::string::npos) << parsed.error;
  EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
}

const std::string FortyOneCharacters(41, 'x');

INSTANTIATE_TEST_SUITE_P(
    Rows, RefusedCommandLine,
    ::testing::Values(
        RefusedRow{"NoCommand", {}, "no command given"},
        RefusedRow{"OnlyOptions", {"--debug", "--port", "2"}, "no command given"},
        RefusedRow{"UnknownCommand", {"fetch"}, "unknown command 'fetch'"},
        RefusedRow{"UnknownOption", {"--colour", "read-all"}, "unknown option --colour"},
        RefusedRow{"PortZero", {"--port", "0", "reset"}, "--port needs a COM port number 1..256, not '0'"},
        RefusedRow{"PortNotANumber", {"--port", "COM3", "reset"}, "not 'COM3'"},
        RefusedRow{"PortWithoutValue", {"reset", "--port"}, "--port needs a value"},
        RefusedRow{"UnknownLanguage", {"--lang", "es", "reset"}, "--lang needs en, nl, de or fr"},
        RefusedRow{"UnknownFormat", {"--format", "xml", "reset"}, "--format needs text or json"},
        RefusedRow{"FlagWithValue", {"--debug=1", "reset"}, "--debug takes no value"},
        RefusedRow{"ReadWithoutItems", {"read"}, "read needs at least one ITEM"},
        RefusedRow{"ReadOfAnUnusedItem", {"read", "3"}, "'3' is not an item that can be read"},
        RefusedRow{"ReadOfANegativeItem", {"read", "-1"}, "'-1' is not an item that can be read"},
        RefusedRow{"ReadOfJunk", {"read", "21x"}, "'21x' is not an item"},
        RefusedRow{"ReadOfItem250", {"read", "250"}, "'250' is not an item"},
        RefusedRow{"WriteWithoutItems", {"write"}, "write needs at least one ITEM=VALUE"},
        RefusedRow{"WriteOfADiagnosticItem", {"write", "150=1"}, "'150' is not an item that can be written"},
        RefusedRow{"WriteWithoutValue", {"write", "21"}, "'21' is not ITEM=VALUE"},
        RefusedRow{"WriteBeyondTheList", {"write", "21=4"}, "item 21 takes a list position 0..3, not '4'"},
        RefusedRow{"WriteBeyondTheSubnetList", {"write", "41=25"}, "list position 0..24"},
        RefusedRow{"WriteBeyondTheBox", {"write", "23=181"}, "item 23 takes a number 0..180"},
        RefusedRow{"WriteOfANegativeValue", {"write", "31=-1"}, "not '-1'"},
        RefusedRow{"WriteOfAFraction", {"write", "31=1.5"}, "not '1.5'"},
        RefusedRow{"WriteOfAnEmptyValue", {"write", "31="}, "not ''"},
        RefusedRow{"WriteAllWithoutFile", {"write-all"}, "write-all needs exactly one FILE"},
        RefusedRow{"NoBackupWithAnotherCommand", {"read-all", "--no-backup"}, "--no-backup belongs to write-all"},
        RefusedRow{"NoBackupWithAValue", {"write-all", "a.cfg", "--no-backup=yes"}, "--no-backup takes no value"},
        RefusedRow{"ShowOfTwoFiles", {"show", "a.cfg", "b.cfg"}, "show needs exactly one FILE"},
        RefusedRow{"ReadAllWithOperand", {"read-all", "21"}, "read-all takes no operand"},
        RefusedRow{"SaveWithAnotherCommand", {"read", "21", "--save", "a.cfg"}, "--save belongs to read-all"},
        RefusedRow{"SaveGivenTwice", {"read-all", "--save", "a", "--save", "b"}, "--save given twice"},
        RefusedRow{"SaveWithoutName", {"read-all", "--save="}, "--save needs a FILE name"},
        RefusedRow{"SecondsWithAnotherCommand", {"reset", "--seconds", "1"}, "--seconds belongs to monitor"},
        RefusedRow{"SecondsZero", {"monitor", "--seconds", "0"}, "--seconds needs a number of seconds above 0"},
        RefusedRow{"SecondsWithUnit", {"monitor", "--seconds", "1s"}, "not '1s'"},
        RefusedRow{"BleepBeyondF", {"test-call", "1", "--bleep", "16"}, "--bleep needs a code 0..15"},
        RefusedRow{"BleepWithoutCall", {"reset", "--bleep", "1"}, "--bleep belongs to test-call"},
        RefusedRow{"AddressTooLong", {"test-call", "12345678901"}, "a pager number of 1..10 digits, not '12345678901'"},
        RefusedRow{"AddressEmpty", {"test-call", ""}, "a pager number of 1..10 digits, not ''"},
        RefusedRow{"AddressOfLetters", {"test-call", "abc"}, "a pager number of 1..10 digits, not 'abc'"},
        RefusedRow{"AddressWithABlank", {"test-call", "12 34"}, "a pager number of 1..10 digits"},
        RefusedRow{"AddressWithASign", {"test-call", "+31"}, "a pager number of 1..10 digits"},
        RefusedRow{"NoAddress", {"test-call"}, "test-call needs exactly one ADDRESS"},
        RefusedRow{"MessageTooLong", {"test-call", "1", "--message", FortyOneCharacters}, "at most 40 characters"},
        RefusedRow{"MessageOutsideTheUnitsCharacters", {"test-call", "1", "--message", "\xE6\x97\xA5"},
                   "at most 40 characters of the unit's character set"}),
    [](const ::testing::TestParamInfo<RefusedRow>& info) { return info.param.name; });

// A refusal names the item it is about, and is given in the format asked
// for even when that was asked for after the fault.
TEST(RefusedCommandLine, KeepsTheItemAndTheFormat) {
  struct Row {
    Args args;
    std::optional<int16_t> item;
    OutputFormat format;
  };
  const std::vector<Row> rows = {
      {{"--format", "json", "read", "3"}, 3, OutputFormat::Json},
      {{"write", "13=3", "--format=json"}, 13, OutputFormat::Json},
      {{"write", "150=1", "--format", "json"}, 150, OutputFormat::Json},
      {{"write", "99999=1"}, std::nullopt, OutputFormat::Text},
      {{"--format", "text", "erase"}, std::nullopt, OutputFormat::Text},
      {{"erase", "--", "--format", "json"}, std::nullopt, OutputFormat::Text},
  };
  for (const Row& row : rows) {
    const ParsedCommandLine parsed = ParseCommandLine(row.args);
    ASSERT_FALSE(parsed.options) << row.args.back();
    EXPECT_EQ(parsed.errorItem, row.item) << parsed.error;
    EXPECT_EQ(parsed.format, row.format) << parsed.error;
  }
}

TEST(UsageText, NamesEveryCommandAndTheExitStatuses) {
  const std::string usage = UsageText();
  for (const char* command :
       {"read-all", "read ITEM", "write ITEM=VALUE", "diagnostics", "write-all FILE", "test-call ADDRESS", "reset",
        "monitor", "show FILE", "--no-backup", "Backup/", "--port", "--device", "--lang", "--debug", "--format",
        "Exit status"}) {
    EXPECT_NE(usage.find(command), std::string::npos) << command;
  }
}

}  // namespace
}  // namespace tessaro::cli
