#include "cli/ReportConsole.h"

#include <algorithm>

#include "cli/ItemReport.h"

namespace tessaro::cli {

void ReportConsole::ErrLine(const std::string& line) {
  if (verbose_) return Show({line, false});
  held_.push_back({line, false});
}

void ReportConsole::MessageLine(const std::string& line) {
  if (verbose_) return Show({line, true});
  held_.push_back({line, true});
}

namespace {

std::string_view WithoutTrailingBlanks(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

}  // namespace

void ReportConsole::ShowHeld(std::string_view readLineStart) {
  const auto repeated = [&](const Line& line) {
    if (readLineStart.empty() || line.message || !line.text.starts_with(readLineStart)) return false;
    const std::string_view report = WithoutTrailingBlanks(std::string_view(line.text).substr(readLineStart.size()));
    return !report.empty() && std::any_of(held_.begin(), held_.end(), [&](const Line& other) {
      return other.message && WithoutTrailingBlanks(other.text).ends_with(report);
    });
  };
  for (const Line& line : held_) {
    if (!repeated(line)) Show(line);
  }
  held_.clear();
}

void ReportConsole::ShowHeldMessages() {
  for (const Line& line : held_) {
    if (line.message) Show(line);
  }
  held_.clear();
}

void ReportConsole::Show(const Line& line) {
  console_.ErrLine(json_ ? ReportJson(line.text, line.message) : line.text);
}

}  // namespace tessaro::cli
