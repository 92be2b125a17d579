// tessaro-cli against the simulated unit over a pseudo-terminal, both as
// built programs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "CliProcesses.h"
#include "CliTestSupport.h"
#include "tests/support/PseudoTerminal.h"

namespace tessaro::cli::testing {
namespace {

using Lines = std::vector<std::string>;

Lines SplitLines(const std::string& text) {
  Lines lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The output line of one item ("  21  ESPA mode: ...").
std::string LineOfItem(const std::string& out, int item) {
  for (const std::string& line : SplitLines(out)) {
    std::istringstream in(line);
    int number = -1;
    if (in >> number && number == item) return line;
  }
  return {};
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const std::vector<int> WritableItems = {0,  5,  7,  10, 11, 12, 13, 14, 15, 17, 18, 19, 20, 21,
                                        22, 23, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41};

// A whole unit settings file of zeros and empty texts, then `extra`.
std::string UnitFile(const std::string& extra) {
  std::string bytes;
  for (int item = 0; item <= 249; ++item) bytes += std::to_string(item) + "    ->" + (item < 150 ? "0" : "") + "\r\n";
  return bytes + extra;
}

// The program on its own: what needs no unit.
class CliProgram : public ::testing::Test {
 protected:
  // The program with the scratch folder as its program folder.
  Finished Cli(std::vector<std::string> args, std::map<std::string, std::string> env = {}) {
    args.insert(args.begin(), TESSARO_CLI_PATH);
    env.emplace("TESSARO_PROGRAM_FOLDER", folder.Path().string());
    return RunToEnd(args, env);
  }

  std::string StartUnit(SimulatedUnit& unit, std::vector<std::string> args = {}) {
    args.insert(args.begin(), {"--quit-after", "120", "--no-pace"});
    return unit.Launch(args, kUnitWait);
  }

  std::string File(const std::string& name) const { return (folder.Path() / name).string(); }

  TestFolder folder;
};

// The program with simulated units.
class CliE2e : public CliProgram {
 protected:
  void SetUp() override {
    if (const auto why = tessaro::testing::WhyNoPseudoTerminal()) {
      GTEST_SKIP() << "no pseudo-terminal available here: " << *why;
    }
  }
};

TEST_F(CliE2e, SavedSettingsWrittenToASecondUnitMakeItHoldTheSame) {
  SimulatedUnit first;
  SimulatedUnit second;
  const std::string firstPort = StartUnit(first);
  const std::string secondPort =
      StartUnit(second, {"--set", "21=2", "--set", "10=4", "--set", "31=10", "--set", "23=100", "--set", "41=3",
                         "--set", "18=65", "--set", "0=0"});
  ASSERT_FALSE(firstPort.empty()) << first.Seen();
  ASSERT_FALSE(secondPort.empty()) << second.Seen();

  const Finished read = Cli({"--device", firstPort, "read-all", "--save", File("unit.cfg")});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_EQ(SplitLines(read.out).size(), 32u) << read.out;
  EXPECT_TRUE(Has(LineOfItem(read.out, 21), "ESPA mode:")) << read.out;
  EXPECT_TRUE(Has(LineOfItem(read.out, 21), "Espa 4.4.4. OUT")) << read.out;
  EXPECT_TRUE(Has(LineOfItem(read.out, 150), "00:1E:C0:4A:21:7F")) << read.out;
  EXPECT_EQ(SplitLines(read.err).size(), 1u) << "only the result without --verbose\n" << read.err;
  EXPECT_TRUE(Has(read.err, "Reading of all settings successfull.")) << read.err;
  const std::string saved = ReadBytes(File("unit.cfg"));
  EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 250);
  EXPECT_TRUE(Has(saved, "\r\n21    ->1\r\n")) << saved;

  const Finished write = Cli({"--device", secondPort, "write-all", File("unit.cfg")});
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_EQ(SplitLines(write.out).size(), WritableItems.size()) << write.out;
  EXPECT_TRUE(Has(write.err, "Writing of all settings successfull.")) << write.err;
  EXPECT_TRUE(second.WaitForNextLine("SET 41 8", kUnitWait)) << second.Seen();

  const Finished check = Cli({"--device", secondPort, "read-all"});
  ASSERT_EQ(check.status, 0) << check.err;
  for (int item : WritableItems) {
    EXPECT_FALSE(LineOfItem(read.out, item).empty()) << item;
    EXPECT_EQ(LineOfItem(check.out, item), LineOfItem(read.out, item)) << "item " << item;
  }
}

// The names of the files in the program folder's Backup folder.
std::vector<std::string> BackupNames(const std::filesystem::path& programFolder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder / "Backup", error)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// A wrong file written to a unit: the backup it leaves, written back, makes
// the unit hold exactly what it held before.
TEST_F(CliE2e, WriteAllLeavesABackupThatRestoresTheUnit) {
  SimulatedUnit unit;
  const std::string port =
      StartUnit(unit, {"--set", "21=2", "--set", "10=4", "--set", "31=10", "--set", "23=100", "--set", "41=3"});
  ASSERT_FALSE(port.empty()) << unit.Seen();
  const Finished before = Cli({"--device", port, "read-all"});
  ASSERT_EQ(before.status, 0) << before.err;
  WriteBytes(File("wrong.cfg"), UnitFile("21    ->3\r\n23    ->90\r\n"));

  const Finished wrong = Cli({"--device", port, "write-all", File("wrong.cfg")});
  ASSERT_EQ(wrong.status, 0) << wrong.err;
  const std::vector<std::string> backups = BackupNames(folder.Path());
  ASSERT_EQ(backups.size(), 1u);
  const std::string backup = (folder.Path() / "Backup" / backups[0]).string();
  EXPECT_TRUE(Has(wrong.err, "Backup of the unit's settings saved as " + backup + ".")) << wrong.err;
  EXPECT_LT(wrong.err.find("Backup of the unit's settings"), wrong.err.find("Writing of all settings successfull."))
      << wrong.err;
  const Finished overwritten = Cli({"--device", port, "read-all"});
  EXPECT_NE(LineOfItem(overwritten.out, 21), LineOfItem(before.out, 21)) << overwritten.out;

  const Finished back = Cli({"--device", port, "write-all", "--no-backup", backup});
  ASSERT_EQ(back.status, 0) << back.err;
  EXPECT_FALSE(Has(back.err, "Backup")) << back.err;
  EXPECT_EQ(BackupNames(folder.Path()).size(), 1u) << "--no-backup keeps none";
  const Finished restored = Cli({"--device", port, "read-all"});
  ASSERT_EQ(restored.status, 0) << restored.err;
  EXPECT_EQ(restored.out, before.out);
}

struct BackupFailureRow {
  const char* name;
  std::vector<std::string> unitArgs;
  bool blockFolder;  // a file where the Backup folder belongs
  int status;
  const char* why;
  std::vector<std::string> formats;  // each run once
  friend void PrintTo(const BackupFailureRow& row, std::ostream* out) { *out << row.name; }
};

class CliBackupFailures : public CliE2e, public ::testing::WithParamInterface<BackupFailureRow> {};

// Without a backup nothing reaches the unit: a folder that cannot be made is
// a file error (status 2), a unit that does not answer a unit failure (1).
TEST_P(CliBackupFailures, WriteNothing) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit, GetParam().unitArgs);
  ASSERT_FALSE(port.empty()) << unit.Seen();
  WriteBytes(File("wrong.cfg"), UnitFile("21    ->3\r\n"));
  if (GetParam().blockFolder) WriteBytes(File("Backup"), "a file where the folder belongs");

  for (const std::string& format : GetParam().formats) {
    SCOPED_TRACE(format);
    const Finished run = Cli({"--device", port, "--format", format, "write-all", File("wrong.cfg")});
    EXPECT_EQ(run.status, GetParam().status) << run.err;
    EXPECT_TRUE(Has(run.err, GetParam().why)) << run.err;
    EXPECT_TRUE(Has(run.err, "nothing was written to the unit")) << run.err;
    EXPECT_FALSE(Has(run.err, "successfull")) << run.err;
  }
  unit.Drain();
  EXPECT_EQ(unit.Count("SET "), 0u) << unit.Transcript();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliBackupFailures,
    ::testing::Values(BackupFailureRow{"FolderCannotBeMade", {}, true, 2, "cannot save the backup ",
                                       {"text", "json"}},
                      // Three time-outs take a while: one run.
                      BackupFailureRow{"UnitDoesNotAnswer", {"--fault", "no-reply"}, false, 1,
                                       "the unit's settings could not all be read for the backup", {"json"}}),
    [](const ::testing::TestParamInfo<BackupFailureRow>& info) { return info.param.name; });

TEST_F(CliE2e, SingleItemsAndDiagnosticsAsJsonAndTable) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit);
  ASSERT_FALSE(port.empty()) << unit.Seen();
  // The port found by its number, as a USB adapter would be.
  const std::map<std::string, std::string> com5{{"TESSARO_COM5", port}};

  const Finished write = Cli({"--port", "5", "--verbose", "--format", "json", "write", "21=2", "23=90"}, com5);
  ASSERT_EQ(write.status, 0) << write.err;
  EXPECT_EQ(write.out,
            "{\"command\":\"write\",\"ok\":true,\"items\":["
            "{\"item\":21,\"legend\":\"ESPA mode:\",\"value\":2,\"choice\":\"Espa 4.4.4. IN\"},"
            "{\"item\":23,\"legend\":\"Enhanced Mode Timeout:\",\"value\":90}]}\n");
  EXPECT_TRUE(Has(write.err, "Writing of ESPA mode: Espa 4.4.4. IN -> Saved.")) << write.err;
  EXPECT_TRUE(unit.WaitForNextLine("SET 23 90", kUnitWait)) << unit.Seen();

  const Finished read = Cli({"--port", "5", "--lang", "fr", "--format", "json", "read", "23", "21"}, com5);
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_TRUE(Has(read.out, "{\"item\":23,")) << read.out;
  EXPECT_TRUE(Has(read.out, "\"value\":90}")) << read.out;
  EXPECT_TRUE(Has(read.out, "\"value\":2,\"choice\":\"Espa 4.4.4. ENTREE\"")) << read.out;
  EXPECT_LT(read.out.find("\"item\":23"), read.out.find("\"item\":21")) << "in the order asked";

  const Finished diagnostics = Cli({"--device", port, "diagnostics"});
  ASSERT_EQ(diagnostics.status, 0) << diagnostics.err;
  EXPECT_EQ(SplitLines(diagnostics.out).size(), 5u) << diagnostics.out;
  EXPECT_TRUE(Has(LineOfItem(diagnostics.out, 150), "MAC Address")) << diagnostics.out;
  EXPECT_TRUE(Has(LineOfItem(diagnostics.out, 154), "192.168.1.1")) << diagnostics.out;

  // Every message line went to the day's log as well.
  const auto log = folder.Path() / "Log";
  ASSERT_TRUE(std::filesystem::is_directory(log));
  std::string logged;
  for (const auto& entry : std::filesystem::directory_iterator(log)) logged += ReadBytes(entry.path());
  EXPECT_TRUE(Has(logged, "Read from unit:")) << logged;
  EXPECT_TRUE(Has(logged, "\r\n")) << "CR LF line ends";
}

// Item 35 is the port number's low byte, 36 its high byte.
TEST_F(CliE2e, PortNumberIsHighByteTimes256PlusLowByte) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit, {"--set", "35=208", "--set", "36=7"});
  ASSERT_FALSE(port.empty()) << unit.Seen();

  const Finished table = Cli({"--device", port, "read", "35", "36"});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_TRUE(LineOfItem(table.out, 36).ends_with("  2000")) << table.out;

  const Finished json = Cli({"--device", port, "--format", "json", "read", "36", "35"});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_TRUE(Has(json.out, "\"value\":7,\"whole\":2000}")) << json.out;
}

// A USB adapter as udev names it: a link in a by-id folder, bound to Com1.
TEST_F(CliE2e, PortNumberOpensTheBoundDeviceAndPortsListsIt) {
  SimulatedUnit unit;
  const std::string device = StartUnit(unit);
  ASSERT_FALSE(device.empty()) << unit.Seen();
  const std::filesystem::path byId = folder.Path() / "by-id";
  std::filesystem::create_directory(byId);
  const std::string link = (byId / "usb-Tornak_Sim_0001-if00-port0").string();
  std::filesystem::create_symlink(device, link);
  WriteBytes(folder.Path() / "TessaroPorts.set", "  1            Com1 ->" + link + "\r\n");

  const Finished read = Cli({"--port", "1", "read", "23"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_FALSE(LineOfItem(read.out, 23).empty()) << read.out;

  const Finished ports = Cli({"ports", "--format", "json"}, {{"TESSARO_SERIAL_BY_ID", byId.string()}});
  ASSERT_EQ(ports.status, 0) << ports.err;
  EXPECT_TRUE(Has(ports.out, "\"stableName\": \"" + link + "\"")) << ports.out;
  EXPECT_TRUE(Has(ports.out, "{\"port\": 1, \"device\": \"" + link + "\", \"present\": true}")) << ports.out;

  // The variable still comes first.
  const Finished overridden = Cli({"--port", "1", "read", "23"}, {{"TESSARO_COM1", (folder.Path() / "nothing").string()}});
  EXPECT_EQ(overridden.status, 2) << overridden.err;
  EXPECT_TRUE(Has(overridden.err, "nothing")) << overridden.err;

  // A damaged file is reported; the port then opens its standard device.
  WriteBytes(folder.Path() / "TessaroPorts.set", "  1            Com1 ->\r\n");
  const Finished damaged = Cli({"--port", "1", "--device", device, "read", "23"});
  EXPECT_EQ(damaged.status, 0) << damaged.err;
  const Finished fallback = Cli({"ports"});
  EXPECT_EQ(fallback.status, 0);
  EXPECT_TRUE(Has(fallback.err, "line 1: no device after \"->\"; the ports open their standard devices")) << fallback.err;
}

TEST_F(CliE2e, TestCallAndResetReachTheUnit) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit);
  ASSERT_FALSE(port.empty()) << unit.Seen();

  const Finished call = Cli({"--device", port, "test-call", "1234", "--message", "caf\xC3\xA9", "--bleep", "5"});
  EXPECT_EQ(call.status, 0) << call.err;
  EXPECT_EQ(call.out, "");
  EXPECT_TRUE(Has(call.err, "STATUS: Call Pager via Tessaro-IP succeeded.")) << call.err;
  EXPECT_EQ(SplitLines(call.err).size(), 1u) << "the port's reopening only with --verbose\n" << call.err;
  const auto called = unit.WaitForNextLine("CALL ", kUnitWait);
  ASSERT_TRUE(called) << unit.Seen();
  EXPECT_TRUE(Has(*called, "address=1234")) << *called;
  EXPECT_TRUE(Has(*called, "bleep=5")) << *called;
  EXPECT_TRUE(Has(*called, "message=caf\xE9")) << "one byte per character on the wire: " << *called;

  const Finished reset = Cli({"--device", port, "--format", "json", "reset"});
  EXPECT_EQ(reset.status, 0) << reset.err;
  EXPECT_EQ(reset.out, "{\"command\":\"reset\",\"ok\":true}\n");
  EXPECT_TRUE(Has(reset.err, "STATUS: RESET command sent to unit.")) << reset.err;
  EXPECT_TRUE(unit.WaitForNextLine("RESET", kUnitWait)) << unit.Seen();
}

TEST_F(CliE2e, MonitorPrintsTheUnitsOwnLines) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit, {"--set", "0=1", "--status-every", "0.2"});
  ASSERT_FALSE(port.empty()) << unit.Seen();

  const Finished monitor = Cli({"--device", port, "monitor", "--seconds", "1"});
  EXPECT_EQ(monitor.status, 0) << monitor.err;
  const Lines lines = SplitLines(monitor.out);
  ASSERT_GE(lines.size(), 2u) << monitor.out;
  for (const std::string& line : lines) {
    EXPECT_EQ(line.size(), 8 + 1 + std::string("Tessaro-IP status: ESPA link up, 0 calls queued").size()) << line;
    EXPECT_TRUE(Has(line, " Tessaro-IP status: ESPA link up, 0 calls queued")) << line;
  }
  EXPECT_FALSE(Has(monitor.err, "Tessaro-IP status")) << "the unit's lines only once, on standard output";
}

struct FaultRow {
  const char* name;
  const char* fault;
  std::vector<std::string> command;
  std::vector<std::string> reports;  // on standard error, in this order
};

void PrintTo(const FaultRow& row, std::ostream* out) { *out << row.name; }

class CliFaults : public CliE2e, public ::testing::WithParamInterface<FaultRow> {};

TEST_P(CliFaults, EndWithStatusOneAndTheEnginesReports) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit, {"--fault", GetParam().fault});
  ASSERT_FALSE(port.empty()) << unit.Seen();
  std::vector<std::string> args{"--device", port};
  args.insert(args.end(), GetParam().command.begin(), GetParam().command.end());
  const Finished run = Cli(args);
  EXPECT_EQ(run.status, 1) << run.err;
  // In the window's order: the give-up box comes after the progress box's cancel line.
  std::size_t from = 0;
  for (const std::string& report : GetParam().reports) {
    const std::size_t at = run.err.find(report, from);
    EXPECT_NE(at, std::string::npos) << report << "\n" << run.err;
    if (at != std::string::npos) from = at + report.size();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliFaults,
    ::testing::Values(
        FaultRow{"ReadWithBadChecksums", "bad-checksum", {"read", "21"},
                 {"ERROR Reading of: [Item: 21 Value: None] ERROR [checksum].", "Cancelled!",
                  "tessaro-cli: ERROR reading settings from unit. Reading of settings aborted.!",
                  "tessaro-cli: 1 of 1 items were not read: 21"}},
        FaultRow{"WriteRefused", "nack", {"write", "21=3"},
                 {"Writing of ESPA mode: Espa 4.4.4. IN silent -> program ERROR NACK.",
                  "tessaro-cli: ERROR writing settings to unit. Writing of settings aborted.!",
                  "tessaro-cli: 1 of 1 items were not written: 21"}},
        FaultRow{"ReadAllPartlyAnswered", "bad-checksum:5", {"--format", "json", "read-all"},
                 {"[checksum]", "Reading of settings aborted"}},
        FaultRow{"TestCallRefused", "nack", {"test-call", "99"},
                 {"ERROR: Call Pager via Tessaro-IP not succeeded.",
                  "tessaro-cli: the unit did not confirm the test call"}},
        FaultRow{"ResetRefused", "nack", {"reset"}, {"tessaro-cli: the unit did not confirm the reset"}}),
    [](const ::testing::TestParamInfo<FaultRow>& info) { return info.param.name; });

TEST_F(CliProgram, ShowPrintsAFileWithoutAUnit) {
  WriteBytes(File("hand.cfg"), UnitFile("10    ->3\r\n13    ->2\r\n150    ->AA:BB\r\n"));
  const Finished show = Cli({"--device", "/nonexistent/port", "--lang", "nl", "show", File("hand.cfg")});
  ASSERT_EQ(show.status, 0) << show.err;
  EXPECT_EQ(show.err, "");
  EXPECT_EQ(SplitLines(show.out).size(), 32u);
  EXPECT_TRUE(Has(LineOfItem(show.out, 10), "ESPA seri\xC3\xABle snelheid:")) << show.out;
  EXPECT_TRUE(Has(LineOfItem(show.out, 10), "9600 baud")) << show.out;
  EXPECT_TRUE(Has(LineOfItem(show.out, 13), "Oneven Pariteit")) << show.out;
  EXPECT_TRUE(Has(LineOfItem(show.out, 150), "AA:BB")) << show.out;

  const Finished json = Cli({"--format", "json", "show", File("hand.cfg")});
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out.rfind("{\"command\":\"show\",\"ok\":true,\"items\":[{\"item\":0,", 0), 0u) << json.out;
  EXPECT_TRUE(Has(json.out, "{\"item\":13,\"legend\":\"ESPA parity:\",\"value\":2,\"choice\":\"Odd Parity\"}"))
      << json.out;
}

struct UsageRow {
  const char* name;
  std::vector<std::string> args;
  const char* message;
};

void PrintTo(const UsageRow& row, std::ostream* out) { *out << row.name; }

class CliUsage : public CliProgram, public ::testing::WithParamInterface<UsageRow> {};

TEST_P(CliUsage, EndsWithStatusTwoAndOneLine) {
  const Finished run = Cli(GetParam().args);
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.out, "");
  EXPECT_EQ(SplitLines(run.err).size(), 1u) << run.err;
  EXPECT_EQ(run.err.rfind("tessaro-cli: ", 0), 0u) << run.err;
  EXPECT_TRUE(Has(run.err, GetParam().message)) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CliUsage,
    ::testing::Values(
        UsageRow{"NoArguments", {}, "no command given"},
        UsageRow{"UnknownCommand", {"erase"}, "unknown command 'erase'"},
        UsageRow{"UnusedItem", {"read", "3"}, "'3' is not an item that can be read"},
        UsageRow{"ValueBeyondTheList", {"write", "13=3"}, "list position 0..2"},
        UsageRow{"MissingFile", {"write-all", "/nonexistent/unit.cfg"}, "cannot read /nonexistent/unit.cfg"},
        UsageRow{"SaveIntoAMissingFolder", {"read-all", "--save", "/nonexistent/unit.cfg"}, "no such folder"},
        UsageRow{"MissingDevice", {"--device", "/nonexistent/port", "read", "21"},
                 "cannot open the serial port COM1 (/nonexistent/port): No such file or directory"},
        UsageRow{"MissingComPort", {"--port", "42", "reset"},
                 "cannot open the serial port COM42 (/dev/ttyS41): No such file or directory"},
        UsageRow{"PagerAddressOfLetters", {"--device", "/nonexistent/port", "test-call", "abc"},
                 "test-call needs an ADDRESS, a pager number of 1..10 digits, not 'abc'"}),
    [](const ::testing::TestParamInfo<UsageRow>& info) { return info.param.name; });

// With --format json every failure is an object on standard error; the
// exit status stays what it is in text.
TEST_F(CliProgram, JsonFailuresKeepTheirExitStatus) {
  const Finished port = Cli({"--format", "json", "--device", "/nonexistent/port", "read", "21"});
  EXPECT_EQ(port.status, 2);
  EXPECT_EQ(port.err,
            "{\"error\":\"cannot open the serial port COM1 (/nonexistent/port): No such file or directory\","
            "\"item\":null}\n");
  const Finished usage = Cli({"read", "3", "--format", "json"});
  EXPECT_EQ(usage.status, 2);
  EXPECT_EQ(usage.err.rfind("{\"error\":\"read: '3' is not an item that can be read", 0), 0u) << usage.err;
  EXPECT_TRUE(usage.err.ends_with(" (see tessaro-cli --help)\",\"item\":3}\n")) << usage.err;
  const Finished file = Cli({"--format", "json", "show", "/nonexistent/unit.cfg"});
  EXPECT_EQ(file.status, 2);
  EXPECT_EQ(file.err, "{\"error\":\"cannot read /nonexistent/unit.cfg: no such file\",\"item\":null}\n");
}

TEST_F(CliE2e, JsonReportsOfAFailingUnitAreObjectsToo) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit, {"--fault", "nack"});
  ASSERT_FALSE(port.empty()) << unit.Seen();
  const Finished write = Cli({"--device", port, "--format", "json", "write", "21=3"});
  EXPECT_EQ(write.status, 1) << write.err;
  for (const std::string& line : SplitLines(write.err)) {
    EXPECT_TRUE(line.starts_with("{\"") && line.ends_with("}")) << line;
  }
  EXPECT_TRUE(Has(write.err, "{\"error\":\"item 21 was not written\",\"item\":21}\n")) << write.err;
  EXPECT_TRUE(Has(write.err, "{\"message\":\"Writing of ESPA mode: Espa 4.4.4. IN silent -> program ERROR NACK.\"}"))
      << write.err;
}

// A read that times out says so once per attempt (the message line), not
// again in the progress box's words.
TEST_F(CliE2e, ATimeOutIsPrintedOnce) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit, {"--fault", "no-reply"});
  ASSERT_FALSE(port.empty()) << unit.Seen();
  const Finished read = Cli({"--device", port, "read", "21"});
  EXPECT_EQ(read.status, 1) << read.err;
  const Lines lines = SplitLines(read.err);
  const auto timeOuts =
      std::count_if(lines.begin(), lines.end(), [](const std::string& line) { return Has(line, "Time-out [SOH]"); });
  EXPECT_EQ(timeOuts, 3) << "three attempts\n" << read.err;
  EXPECT_FALSE(Has(read.err, "Reading of Item: 21")) << read.err;
  EXPECT_TRUE(Has(read.err, "ERROR Reading of: [Item: 21 Value: None] ERROR: Time-out [SOH].")) << read.err;
}

struct RefusedFileRow {
  const char* name;
  std::string bytes;
  std::string message;  // after "tessaro-cli: <file>"
};

std::string Binary() {
  std::string bytes;
  for (int round = 0; round < 16; ++round) {
    for (int byte = 0; byte < 256; ++byte) bytes.push_back(static_cast<char>(byte ^ round));
  }
  return bytes;
}

// A saved file ends after item 21; refusals are in the language of the run.
std::string CutAfterItem21(const std::string& saved) { return saved.substr(0, saved.find("\r\n22    ->") + 2); }

// What is not a unit settings file is neither shown nor written: the unit
// never hears of it.
TEST_F(CliE2e, WhatIsNotASettingsFileIsRefusedAndNothingReachesTheUnit) {
  SimulatedUnit unit;
  const std::string port = StartUnit(unit);
  ASSERT_FALSE(port.empty()) << unit.Seen();
  const Finished read = Cli({"--device", port, "read-all", "--save", File("unit.cfg")});
  ASSERT_EQ(read.status, 0) << read.err;
  const std::string saved = ReadBytes(File("unit.cfg"));
  std::string outsideItsList = saved;
  outsideItsList.replace(outsideItsList.find("\r\n21    ->1\r\n"), 13, "\r\n21    ->7\r\n");

  const std::vector<RefusedFileRow> rows = {
      {"garbage", "hello\nworld\n", " is not a unit settings file: line 1 is not a setting."},
      {"empty", "", " is not a unit settings file: it holds no settings."},
      {"binary", Binary(), " is not a unit settings file: line 1 is not a setting."},
      {"truncated", CutAfterItem21(saved), " is incomplete: these items have no line: 22-23, 31-41."},
      {"outside its list", outsideItsList, ", line 22: item 21 holds 7, which its setting does not offer."},
  };
  for (const RefusedFileRow& row : rows) {
    const std::string file = File(std::string(row.name) + ".cfg");
    WriteBytes(file, row.bytes);
    for (const std::string command : {"write-all", "show"}) {
      const Finished run = Cli({"--device", port, command, file});
      EXPECT_EQ(run.status, 2) << row.name << " " << command;
      EXPECT_EQ(run.out, "") << row.name << " " << command;
      EXPECT_EQ(run.err, "tessaro-cli: " + file + row.message + "\n") << row.name << " " << command;
    }
  }
  const Finished dutch = Cli({"--lang", "nl", "show", File("truncated.cfg")});
  EXPECT_EQ(dutch.err, "tessaro-cli: " + File("truncated.cfg") + " is onvolledig: deze items hebben geen regel: 22-23, 31-41.\n");

  // The first write the unit sees is this one.
  const Finished write = Cli({"--device", port, "write", "21=2"});
  ASSERT_EQ(write.status, 0) << write.err;
  const auto set = unit.WaitForNextLine("SET ", kUnitWait);
  ASSERT_TRUE(set) << unit.Transcript();
  EXPECT_EQ(*set, "SET 21 2") << unit.Transcript();
}

TEST_F(CliProgram, HelpGoesToStandardOutput) {
  const Finished help = Cli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: tessaro-cli", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");
}

}  // namespace
}  // namespace tessaro::cli::testing
