#include "cli/ConsoleSeams.h"

#include "cli/ItemReport.h"
#include "cli/TerminalText.h"

namespace tessaro::cli {

std::string OneLine(const std::string& text) {
  std::string line;
  for (std::size_t index = 0; index < text.size(); ++index) {
    const char c = text[index];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && index + 1 < text.size() && text[index + 1] == '\n') ++index;
      if (!line.empty() && line.back() != ' ') line += ' ';
    } else {
      line += c;
    }
  }
  line.erase(line.find_last_not_of(' ') + 1);
  return line;
}

void ConsoleEngineScreen::SetTestCall(std::string address, std::string message, int16_t bleepCode) {
  address_ = std::move(address);
  message_ = std::move(message);
  bleepCode_ = bleepCode;
}

void ConsoleEngineScreen::AppendProgress(const std::string& text) {
  for (std::size_t index = 0; index < text.size(); ++index) {
    const char c = text[index];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && index + 1 < text.size() && text[index + 1] == '\n') ++index;
      EmitLine(pending_);
      pending_.clear();
    } else {
      pending_ += c;
    }
  }
}

void ConsoleEngineScreen::FlushProgress() {
  EmitLine(pending_);
  pending_.clear();
}

void ConsoleEngineScreen::EmitLine(const std::string& line) {
  // Blank lines only space the window's box.
  if (line.find_first_not_of(' ') == std::string::npos) return;
  console_.ErrLine(TerminalText(line));
}

void ConsoleDialogs::ShowCriticalError(const std::string& text, const std::string& /*caption*/) {
  if (beforeBox_) beforeBox_();
  const std::string line = OneLine(text);
  shown_.push_back(line);
  console_.ErrLine(FailureLine(json_, TerminalText(line)));
}

}  // namespace tessaro::cli
