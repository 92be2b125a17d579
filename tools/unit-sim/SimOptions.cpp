#include "tools/unit-sim/SimOptions.h"

#include <charconv>
#include <cmath>

namespace tessaro::unitsim {

namespace {

std::optional<long> WholeNumber(const std::string& text) {
  long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<double> Seconds(const std::string& text) {
  // strtod would accept "1e999", "nan" and leading blanks.
  if (text.empty() || text.find_first_not_of("0123456789.") != std::string::npos) return std::nullopt;
  if (text.find('.') != text.rfind('.')) return std::nullopt;
  if (text == ".") return std::nullopt;
  const double value = std::stod(text);
  if (!std::isfinite(value) || value > 86400.0 * 365) return std::nullopt;
  return value;
}

}  // namespace

std::string UsageText() {
  return "Usage: tessaro-unit-sim [options]\n"
         "A simulated Tessaro-IP unit on a pseudo-terminal (or a serial device).\n"
         "The first line of output is \"PTY <path>\" (or \"DEVICE <path>\").\n"
         "\n"
         "  --device PATH          use this serial device (raw 9600 8N1) instead of a pseudo-terminal\n"
         "  --link PATH            make a symlink PATH to the port; removed on exit and on hang-up\n"
         "  --status-every SECONDS status line interval while item 0 is above 0 (default 5, 0 = never)\n"
         "  --no-pace              send at once instead of at 9600 baud wire speed\n"
         "  --hex                  print every frame as \"RX ..\" / \"TX ..\" in hex\n"
         "  --fault KIND[:COUNT]   misbehave on the first COUNT replies (default: all); repeatable\n"
         "                         kinds: " + FaultNames() + "\n"
         "  --hangup-after N       close the port after answering N requests (attention not counted)\n"
         "  --return-after SECONDS after a hang-up, open a new pseudo-terminal, re-point --link and\n"
         "                         print a new \"PTY <path>\" line (without it the simulator ends)\n"
         "  --quit-after SECONDS   end after this long\n"
         "  --set ITEM=VALUE       start with this value (number for items 0..149, text for 150..249);\n"
         "                         repeatable, not range-checked\n"
         "  --seed N               random seed of the noise fault (default 1)\n"
         "  --help                 this text\n"
         "\n"
         "Output lines: PTY, DEVICE, SET <item> <value>, CALL ..., RESET, REFUSED ..., WARN ...,\n"
         "FAULT <kinds applied to a reply>, TEXT <line the unit printed>, HANGUP, LOST,\n"
         "and with --hex RX/TX/RX-BAD/SKIP followed by the bytes in hex.\n";
}

ParsedOptions ParseSimOptions(const std::vector<std::string>& args) {
  SimOptions o;
  auto fail = [](std::string message) { return ParsedOptions{std::nullopt, std::move(message)}; };

  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (const auto eq = name.find('='); name.rfind("--", 0) == 0 && eq != std::string::npos) {
      inlineValue = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    auto value = [&]() -> std::optional<std::string> {
      if (inlineValue) return inlineValue;
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    auto noValue = [&]() { return !inlineValue; };

    if (name == "--help" || name == "-h") {
      o.help = true;
    } else if (name == "--no-pace" && noValue()) {
      o.pace = false;
    } else if (name == "--hex" && noValue()) {
      o.hex = true;
    } else if (name == "--device" || name == "--link") {
      const auto v = value();
      if (!v || v->empty()) return fail(name + " needs a path");
      (name == "--device" ? o.device : o.link) = *v;
    } else if (name == "--status-every" || name == "--return-after" || name == "--quit-after") {
      const auto v = value();
      const auto s = v ? Seconds(*v) : std::nullopt;
      if (!s) return fail(name + " needs a number of seconds");
      if (name == "--status-every") o.statusEverySeconds = *s;
      if (name == "--return-after") o.returnAfterSeconds = *s;
      if (name == "--quit-after") o.quitAfterSeconds = *s;
    } else if (name == "--hangup-after") {
      const auto v = value();
      const auto n = v ? WholeNumber(*v) : std::nullopt;
      if (!n || *n < 1 || *n > 1'000'000) return fail("--hangup-after needs a number of requests (1 or more)");
      o.hangupAfter = static_cast<int>(*n);
    } else if (name == "--seed") {
      const auto v = value();
      const auto n = v ? WholeNumber(*v) : std::nullopt;
      if (!n || *n < 0 || *n > 0xFFFFFFFFL) return fail("--seed needs a whole number");
      o.seed = static_cast<unsigned>(*n);
    } else if (name == "--fault") {
      const auto v = value();
      const auto fault = v ? ParseFaultSwitch(*v) : std::nullopt;
      if (!fault) return fail("--fault needs KIND or KIND:COUNT, KIND one of: " + FaultNames());
      o.faults.push_back(*fault);
    } else if (name == "--set") {
      const auto v = value();
      const auto eq = v ? v->find('=') : std::string::npos;
      const auto item = eq != std::string::npos ? WholeNumber(v->substr(0, eq)) : std::nullopt;
      if (!item || *item < 0 || *item > 249) return fail("--set needs ITEM=VALUE with ITEM 0..249");
      o.presets.emplace_back(static_cast<int>(*item), v->substr(eq + 1));
    } else {
      return fail("unknown option " + args[i]);
    }
  }
  if (o.returnAfterSeconds && !o.hangupAfter) return fail("--return-after needs --hangup-after");
  return {o, {}};
}

}  // namespace tessaro::unitsim
