#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/Console.h"

namespace tessaro::cli {

// Standard error as the engine's progress and message lines reach it. With
// --verbose every line passes at once. Otherwise the lines are held until
// the engine says how the transaction ended: a read or write that succeeded
// drops them, anything else shows them, so a read-all prints nothing but its
// result unless something went wrong. With JSON each line is an object.
class ReportConsole final : public Console {
 public:
  ReportConsole(Console& console, bool verbose, bool json = false)
      : console_(console), verbose_(verbose), json_(json) {}

  void Out(const std::string& text) override { console_.Out(text); }
  // A line of the progress box.
  void ErrLine(const std::string& line) override;
  // A message line, as logged: "hh:mm:ss text".
  void MessageLine(const std::string& line);
  void Progress(const std::string& text) override { console_.Progress(text); }
  void EndProgress() override { console_.EndProgress(); }

  // A failed read reports itself twice: in the progress box (its line starts
  // with `readLineStart`) and as a message line that ends with the same
  // report. Only the message line is shown then.
  void ShowHeld(std::string_view readLineStart = {});
  void DropHeld() { held_.clear(); }
  // Shows the held message lines; the progress lines that say the same go.
  void ShowHeldMessages();

 private:
  struct Line {
    std::string text;
    bool message;
  };
  void Show(const Line& line);

  Console& console_;
  bool verbose_;
  bool json_;
  std::vector<Line> held_;
};

}  // namespace tessaro::cli
