#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaro::cli {

enum class Command { ReadAll, Read, Write, Diagnostics, WriteAll, TestCall, Reset, Monitor, Show, Ports };
enum class OutputFormat { Text, Json };

// One "ITEM=VALUE" of the write command, checked against the item's control:
// a combo takes its list position, a text box a number within its range.
struct WriteAssignment {
  int16_t item = 0;
  int value = 0;
};

// What the command line asks for. Texts meant for the unit (pager address
// and message) are already Windows-1252.
struct CliOptions {
  bool help = false;
  Command command = Command::ReadAll;

  std::optional<int> port;  // COM number, 1 = COM1
  std::optional<std::string> device;
  std::optional<int16_t> language;  // Taal index 0..3
  bool debug = false;
  bool verbose = false;  // every progress and message line on standard error
  OutputFormat format = OutputFormat::Text;

  std::vector<int16_t> items;            // read: in the order given, without repeats
  std::vector<WriteAssignment> writes;   // write: in the order given, the last one per item
  std::string file;                      // write-all and show
  std::optional<std::string> saveFile;   // read-all --save
  bool noBackup = false;                 // write-all --no-backup
  std::string pagerAddress;              // test-call
  std::string pagerMessage;
  int16_t bleepCode = 1;                 // the window's bleep-code list starts on entry 1
  std::optional<double> seconds;         // monitor
};

struct ParsedCommandLine {
  std::optional<CliOptions> options;  // nothing on a usage error
  std::string error;                  // one line, without the program name
  std::optional<int16_t> errorItem;   // the item the error is about, if one is
  // The format asked for, found even when the error came before it: the
  // error itself is then given in it.
  OutputFormat format = OutputFormat::Text;
};

// Arguments without the program name.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

std::string UsageText();
const char* CommandName(Command command);


}  // namespace tessaro::cli
