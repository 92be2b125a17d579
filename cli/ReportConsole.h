#pragma once

#include <string>
#include <vector>

#include "cli/Console.h"

namespace tessaro::cli {

// Standard error as the engine's progress and message lines reach it. With
// --verbose every line passes at once. Otherwise the lines are held until
// the engine says how the transaction ended: a read or write that succeeded
// drops them, anything else shows them, so a read-all prints nothing but its
// result unless something went wrong.
class ReportConsole final : public Console {
 public:
  ReportConsole(Console& console, bool verbose) : console_(console), verbose_(verbose) {}

  void Out(const std::string& text) override { console_.Out(text); }
  void ErrLine(const std::string& line) override;
  void Progress(const std::string& text) override { console_.Progress(text); }
  void EndProgress() override { console_.EndProgress(); }

  void ShowHeld();
  void DropHeld() { held_.clear(); }

 private:
  Console& console_;
  bool verbose_;
  std::vector<std::string> held_;
};

}  // namespace tessaro::cli
