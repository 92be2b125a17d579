#include "cli/CliOptions.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>
#include <map>

#include "core/Cp1252.h"
#include "core/PagerNumber.h"
#include "core/ItemTable.h"
#include "core/PortBindings.h"
#include "lang/LanguageTexts.h"
#include "presentation/SettingsLayout.h"

namespace tessaro::cli {
namespace {

constexpr int HighestBleepCode = 15;
// A day; beyond that a monitor run is better ended by the user.
constexpr double LongestMonitorSeconds = 86400;

// The members as ranges: "0, 5, 7, 10-15, ...".
std::string ItemRangesText(int16_t (*isMember)(int)) {
  std::string text;
  int item = 0;
  while (item < ItemCount) {
    if (isMember(item) < 0) {
      ++item;
      continue;
    }
    int last = item;
    while (last + 1 < ItemCount && isMember(last + 1) >= 0) ++last;
    if (!text.empty()) text += ", ";
    text += std::to_string(item) + (last > item ? "-" + std::to_string(last) : "");
    item = last + 1;
  }
  return text;
}

struct CommandSpelling {
  const char* name;
  Command command;
};

constexpr CommandSpelling Commands[] = {
    {"read-all", Command::ReadAll}, {"read", Command::Read},         {"write", Command::Write},
    {"diagnostics", Command::Diagnostics}, {"write-all", Command::WriteAll}, {"test-call", Command::TestCall},
    {"reset", Command::Reset},      {"monitor", Command::Monitor},   {"show", Command::Show},
    {"ports", Command::Ports},
};

// A whole decimal number and nothing else: no sign, blanks or fraction.
std::optional<long> WholeNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || text.front() == '-' || text.front() == '+') return std::nullopt;
  return value;
}

std::optional<double> PositiveSeconds(const std::string& text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value) || value <= 0 || value > LongestMonitorSeconds) {
    return std::nullopt;
  }
  return value;
}

// Largest value the item's control offers; nothing for an item without one.
std::optional<int> HighestValue(int item) {
  if (IsSettingCombo(item)) {
    const LanguageTexts anyLanguage;
    return static_cast<int>(ChoiceList(item, anyLanguage).size()) - 1;
  }
  const ItemInfo* info = FindItem(item);
  if (info != nullptr && info->control == ItemControl::CharBox) return info->highestValue;
  return std::nullopt;
}

// The text as the unit's 8-bit character set holds it; nothing when a
// character has no place there.
std::optional<std::string> UnitText(const std::string& utf8) {
  std::string text = Utf8ToCp1252(utf8);
  if (Cp1252ToUtf8(text) != utf8) return std::nullopt;
  return text;
}

class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  ParsedCommandLine Parse() {
    for (index_ = 0; index_ < args_.size() && error_.empty(); ++index_) {
      const std::string& arg = args_[index_];
      if (arg == "--") {
        for (++index_; index_ < args_.size(); ++index_) positionals_.push_back(args_[index_]);
        break;
      }
      if (arg.size() > 1 && arg[0] == '-' && !IsNegativeNumber(arg)) {
        Option(arg);
      } else {
        positionals_.push_back(arg);
      }
    }
    if (error_.empty() && !options_.help) ParseCommand();
    if (error_.empty() && !options_.help) CheckCommandOptions();
    if (!error_.empty()) return {std::nullopt, error_, errorItem_, options_.format};
    return {options_, {}, std::nullopt, options_.format};
  }

 private:
  static bool IsNegativeNumber(const std::string& arg) {
    return arg.size() > 1 && arg[0] == '-' && std::isdigit(static_cast<unsigned char>(arg[1])) != 0;
  }

  void Fail(std::string message, std::optional<long> item = std::nullopt) {
    if (!error_.empty()) return;
    error_ = std::move(message);
    if (item && *item <= LastUnitItem) errorItem_ = static_cast<int16_t>(*item);
  }

  // The value of an option: "--name=value" or the next argument.
  std::optional<std::string> Value(const std::string& name, const std::optional<std::string>& inlineValue) {
    if (inlineValue) return inlineValue;
    if (index_ + 1 >= args_.size()) {
      Fail(name + " needs a value");
      return std::nullopt;
    }
    return args_[++index_];
  }

  void Option(const std::string& arg) {
    std::string name = arg;
    std::optional<std::string> inlineValue;
    if (const auto equals = arg.find('='); equals != std::string::npos) {
      name = arg.substr(0, equals);
      inlineValue = arg.substr(equals + 1);
    }
    const auto flag = [&](bool& target) {
      if (inlineValue) return Fail(name + " takes no value");
      target = true;
    };
    if (name == "--help" || name == "-h") return flag(options_.help);
    if (name == "--debug") return flag(options_.debug);
    if (name == "--verbose" || name == "-v") return flag(options_.verbose);
    if (name == "--no-backup") return flag(options_.noBackup);

    using Handler = std::function<void(const std::string&)>;
    const std::map<std::string, Handler> valued = {
        {"--port", [&](const std::string& v) { PortNumber(v); }},
        {"--device", [&](const std::string& v) { Device(v); }},
        {"--lang", [&](const std::string& v) { Language(v); }},
        {"--format", [&](const std::string& v) { Format(v); }},
        {"--save", [&](const std::string& v) { Remember("--save", v, saveValue_); }},
        {"--message", [&](const std::string& v) { Remember("--message", v, messageValue_); }},
        {"--bleep", [&](const std::string& v) { Remember("--bleep", v, bleepValue_); }},
        {"--seconds", [&](const std::string& v) { Remember("--seconds", v, secondsValue_); }},
    };
    const auto handler = valued.find(name);
    if (handler == valued.end()) return Fail("unknown option " + name);
    if (const auto value = Value(name, inlineValue)) handler->second(*value);
  }

  void Remember(const std::string& name, const std::string& value, std::optional<std::string>& slot) {
    if (slot) return Fail(name + " given twice");
    slot = value;
  }

  void PortNumber(const std::string& text) {
    const auto number = WholeNumber(text);
    if (!number || *number < 1 || *number > HighestComPort) {
      return Fail("--port needs a COM port number 1.." + std::to_string(HighestComPort) + ", not '" + text + "'");
    }
    options_.port = static_cast<int>(*number);
  }

  void Device(const std::string& path) {
    if (path.empty()) return Fail("--device needs a device path");
    options_.device = path;
  }

  void Language(const std::string& code) {
    static constexpr const char* codes[] = {"en", "nl", "de", "fr"};
    for (int16_t index = 0; index < 4; ++index) {
      if (code == codes[index]) {
        options_.language = index;
        return;
      }
    }
    Fail("--lang needs en, nl, de or fr, not '" + code + "'");
  }

  void Format(const std::string& format) {
    if (format == "text") {
      options_.format = OutputFormat::Text;
    } else if (format == "json") {
      options_.format = OutputFormat::Json;
    } else {
      Fail("--format needs text or json, not '" + format + "'");
    }
  }

  void ParseCommand() {
    if (positionals_.empty()) return Fail("no command given");
    const std::string& name = positionals_.front();
    const auto found = std::find_if(std::begin(Commands), std::end(Commands),
                                    [&](const CommandSpelling& spelling) { return name == spelling.name; });
    if (found == std::end(Commands)) return Fail("unknown command '" + name + "'");
    options_.command = found->command;
    const std::vector<std::string> operands(positionals_.begin() + 1, positionals_.end());

    switch (options_.command) {
      case Command::ReadAll:
      case Command::Diagnostics:
      case Command::Reset:
      case Command::Monitor:
      case Command::Ports:
        if (!operands.empty()) Fail(std::string(found->name) + " takes no operand, not '" + operands.front() + "'");
        break;
      case Command::Read:
        if (operands.empty()) return Fail("read needs at least one ITEM");
        for (const std::string& operand : operands) ReadItem(operand);
        break;
      case Command::Write:
        if (operands.empty()) return Fail("write needs at least one ITEM=VALUE");
        for (const std::string& operand : operands) WriteItem(operand);
        break;
      case Command::WriteAll:
      case Command::Show:
        if (operands.size() != 1) return Fail(std::string(found->name) + " needs exactly one FILE");
        options_.file = operands.front();
        if (options_.file.empty()) Fail(std::string(found->name) + " needs a FILE name");
        break;
      case Command::TestCall:
        if (operands.size() != 1) return Fail("test-call needs exactly one ADDRESS");
        PagerAddress(operands.front());
        break;
    }
  }

  void ReadItem(const std::string& text) {
    const auto item = WholeNumber(text);
    if (!item || IsReadableItem(static_cast<int>(*item)) < 0) {
      return Fail("read: '" + text + "' is not an item that can be read (items " + ItemRangesText(IsReadableItem) + ")",
                  item);
    }
    const auto number = static_cast<int16_t>(*item);
    if (std::find(options_.items.begin(), options_.items.end(), number) == options_.items.end()) {
      options_.items.push_back(number);
    }
  }

  void WriteItem(const std::string& text) {
    const auto equals = text.find('=');
    if (equals == std::string::npos) return Fail("write: '" + text + "' is not ITEM=VALUE");
    const std::string itemText = text.substr(0, equals);
    const std::string valueText = text.substr(equals + 1);
    const auto item = WholeNumber(itemText);
    if (!item || IsWritableItem(static_cast<int>(*item)) < 0) {
      return Fail(
          "write: '" + itemText + "' is not an item that can be written (items " + ItemRangesText(IsWritableItem) + ")",
          item);
    }
    const auto highest = HighestValue(static_cast<int>(*item));
    const auto value = WholeNumber(valueText);
    if (!highest || !value || *value > *highest) {
      const char* what = IsSettingCombo(static_cast<int>(*item)) ? "a list position" : "a number";
      return Fail("write: item " + itemText + " takes " + what + " 0.." + std::to_string(highest.value_or(0)) +
                      ", not '" + valueText + "'",
                  item);
    }
    const WriteAssignment assignment{static_cast<int16_t>(*item), static_cast<int>(*value)};
    auto& writes = options_.writes;
    const auto same = std::find_if(writes.begin(), writes.end(),
                                   [&](const WriteAssignment& earlier) { return earlier.item == assignment.item; });
    if (same != writes.end()) {
      same->value = assignment.value;
    } else {
      writes.push_back(assignment);
    }
  }

  void PagerAddress(const std::string& text) {
    if (!IsPagerNumber(text)) {
      return Fail("test-call needs an ADDRESS, a pager number of 1.." + std::to_string(PagerAddressLimit) +
                  " digits, not '" + text + "'");
    }
    options_.pagerAddress = text;
  }

  // Options that belong to one command only.
  void CheckCommandOptions() {
    const Command command = options_.command;
    const auto only = [&](const std::optional<std::string>& value, const char* name, Command owner) {
      if (value && command != owner) Fail(std::string(name) + " belongs to " + CommandName(owner));
    };
    only(saveValue_, "--save", Command::ReadAll);
    only(messageValue_, "--message", Command::TestCall);
    only(bleepValue_, "--bleep", Command::TestCall);
    only(secondsValue_, "--seconds", Command::Monitor);
    if (options_.noBackup && command != Command::WriteAll) Fail("--no-backup belongs to write-all");
    if (!error_.empty()) return;

    if (saveValue_) {
      if (saveValue_->empty()) return Fail("--save needs a FILE name");
      options_.saveFile = *saveValue_;
    }
    if (messageValue_) {
      const auto message = UnitText(*messageValue_);
      if (!message || message->size() > PagerMessageLimit) {
        return Fail("--message takes at most " + std::to_string(PagerMessageLimit) +
                    " characters of the unit's character set");
      }
      options_.pagerMessage = *message;
    }
    if (bleepValue_) {
      const auto code = WholeNumber(*bleepValue_);
      if (!code || *code > HighestBleepCode) return Fail("--bleep needs a code 0..15, not '" + *bleepValue_ + "'");
      options_.bleepCode = static_cast<int16_t>(*code);
    }
    if (secondsValue_) {
      const auto seconds = PositiveSeconds(*secondsValue_);
      if (!seconds) return Fail("--seconds needs a number of seconds above 0, not '" + *secondsValue_ + "'");
      options_.seconds = *seconds;
    }
  }

  const std::vector<std::string>& args_;
  std::size_t index_ = 0;
  std::vector<std::string> positionals_;
  std::optional<std::string> saveValue_;
  std::optional<std::string> messageValue_;
  std::optional<std::string> bleepValue_;
  std::optional<std::string> secondsValue_;
  CliOptions options_;
  std::string error_;
  std::optional<int16_t> errorItem_;
};

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
  ParsedCommandLine parsed = Parser(args).Parse();
  if (!parsed.options) {
    for (std::size_t index = 0; index < args.size() && args[index] != "--"; ++index) {
      const bool json = args[index] == "--format=json" || (args[index] == "--format" && index + 1 < args.size() &&
                                                           args[index + 1] == "json");
      if (json) parsed.format = OutputFormat::Json;
    }
  }
  return parsed;
}

const char* CommandName(Command command) {
  for (const CommandSpelling& spelling : Commands) {
    if (spelling.command == command) return spelling.name;
  }
  return "?";
}

std::string UsageText() {
  return "Usage: tessaro-cli [OPTIONS] COMMAND [ARGUMENTS]\n"
         "Talks to a Tessaro-IP unit over its serial diagnostic port, without a window.\n"
         "\n"
         "Commands:\n"
         "  read-all [--save FILE]   read every readable item; --save writes them as a unit settings file\n"
         "  read ITEM...             read the given items\n"
         "  write ITEM=VALUE...      write the given items (a list item takes its list position)\n"
         "  diagnostics              read the TCP/IP diagnostics (items " +
         std::to_string(DiagnosticItems().front()) + " to " + std::to_string(DiagnosticItems().back()) + ")\n"
         "  write-all FILE [--no-backup]\n"
         "                           load a unit settings file and write every writable item; first\n"
         "                           read the unit's settings and keep them in Backup/ below the program\n"
         "                           folder, and write nothing if that fails; --no-backup skips it\n"
         "  test-call ADDRESS [--message TEXT] [--bleep 0..15]\n"
         "                           have the unit page the pager number ADDRESS (bleep code 1 unless given)\n"
         "  reset                    reset the unit\n"
         "  monitor [--seconds N]    print the unit's own text lines as they come (until Ctrl-C)\n"
         "  show FILE                print a unit settings file; needs no unit\n"
         "  ports                    list the serial ports present and the port bindings; needs no unit\n"
         "\n"
         "Options:\n"
         "  --port N                 COM port number (1 = COM1) instead of the one in TessaroIP.set\n"
         "  --device PATH            serial device to open instead of the port's own device\n"
         "  --lang en|nl|de|fr       language of legends, choices and messages\n"
         "  --debug                  debug level 2 (more detail in the reports)\n"
         "  --format text|json       how values and failures are printed (default text); with json,\n"
         "                           each line on standard error is an object: {\"error\":..,\"item\":..}\n"
         "                           for a failure, {\"message\":..} for a report\n"
         "  --verbose, -v            every progress and message line on standard error (default: only\n"
         "                           failures, the batch's result and a test call's or reset's result)\n"
         "  --help                   this text\n"
         "\n"
         "Port n is the device named by the environment variable TESSARO_COM<n>, else the device\n"
         "bound to n in the program settings dialog (TessaroPorts.set), else /dev/ttyS<n-1>.\n"
         "The program folder (TessaroIP.set, default.set, TessaroPorts.set, Log/, Backup/) is\n"
         "TESSARO_PROGRAM_FOLDER, else the folder of the program, else (when that cannot be\n"
         "written) the user's data folder. Values go to standard output; reports (and with\n"
         "--verbose every message line) to standard error.\n"
         "\n"
         "Exit status: 0 done, 1 the unit failed (time-out, refusal, give-up), 2 usage error,\n"
         "a file that cannot be read or is not a unit settings file, or a port that cannot be opened.\n";
}

}  // namespace tessaro::cli
