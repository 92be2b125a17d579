#include "cli/ReportConsole.h"

namespace tessaro::cli {

void ReportConsole::ErrLine(const std::string& line) {
  if (verbose_) {
    console_.ErrLine(line);
  } else {
    held_.push_back(line);
  }
}

void ReportConsole::ShowHeld() {
  for (const std::string& line : held_) console_.ErrLine(line);
  held_.clear();
}

}  // namespace tessaro::cli
