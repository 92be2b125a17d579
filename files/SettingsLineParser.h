#pragma once

#include <string>
#include <string_view>

#include "files/SettingsFiles.h"

namespace tessaro {

// Turns the bytes of a settings file into its numbered value texts. Fed in
// pieces of any size, so a file is never held whole; only the line in hand is
// kept, and not even that once its number shows it is not wanted.
class SettingsLineParser {
 public:
  // Takes the next bytes. Does nothing once a negative line number has ended
  // the reading.
  void Feed(std::string_view bytes);
  // The input has ended: a last line without a line end still counts.
  void Finish();

  // True once a negative line number has ended the reading; later bytes are ignored.
  bool Ended() const { return state_ == State::Ended; }
  const SettingsFileLines& Lines() const { return lines_; }
  SettingsFileLines TakeLines() { return std::move(lines_); }

 private:
  enum class State { Head, Keep, Skip, Ended };

  void Append(std::string_view piece);
  void DecideNumber();
  void EndLine();

  State state_ = State::Head;
  int number_ = 0;
  std::string line_;
  SettingsFileLines lines_{};
};

// The line number of a line: the number at the start of its first four
// characters, blanks before it skipped, taken to the nearest integer; 0 when
// there is none.
int SettingsLineNumber(std::string_view line);

}  // namespace tessaro
