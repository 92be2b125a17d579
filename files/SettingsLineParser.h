#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/SettingsFiles.h"

namespace tessaro {

// Turns the bytes of a settings file into its numbered value texts. Fed in
// pieces of any size, so a file is never held whole; only the line in hand is
// kept, and not even that once its number shows it is not wanted.
class SettingsLineParser {
 public:
  // Any: every line counts as the line-number rule reads it (the program
  // settings file). UnitRecords: a line must also be a record as the unit
  // settings files hold them, an item number and "->" with at most blanks
  // between (blank lines aside); the first that is not ends the reading.
  enum class Form { Any, UnitRecords };

  explicit SettingsLineParser(Form form = Form::Any) : form_(form) {}

  // Takes the next bytes. Does nothing once the reading has ended.
  void Feed(std::string_view bytes);
  // The input has ended: a last line without a line end still counts.
  void Finish();

  // True once a negative line number or a line that is no record has ended
  // the reading; later bytes are ignored.
  bool Ended() const { return state_ == State::Ended; }
  const SettingsFileLines& Lines() const { return lines_; }
  SettingsFileLines TakeLines() { return std::move(lines_); }
  // The line of the file (the first is 1; CR LF, LF and a lone CR each end
  // one) that each entry was taken from; 0 for an empty entry.
  const std::array<int, SettingsFileLineSlots>& EntryLines() const { return entryLines_; }
  // The line that was no record (UnitRecords only); 0 when there was none.
  int OddLine() const { return oddLine_; }

 private:
  enum class State { Head, Keep, Skip, Ended };
  // How far a line has shown itself to be a record: blanks, sign, digits,
  // blanks, "-", ">".
  enum class Record { Start, Blanks, Sign, Digits, Gap, Dash, Whole, Odd };

  void Append(std::string_view piece);
  void CheckRecord(std::string_view piece);
  void DecideNumber();
  void EndLine();
  void EndAtOddLine();

  Form form_;
  State state_ = State::Head;
  Record record_ = Record::Start;
  int number_ = 0;
  std::string line_;
  SettingsFileLines lines_{};
  std::array<int, SettingsFileLineSlots> entryLines_{};
  int fileLine_ = 1;
  bool afterCr_ = false;
  int oddLine_ = 0;
};

// Feeds the whole file to the parser, then finishes it. False when the file
// cannot be opened (a folder cannot either); nothing is fed then.
bool FeedFile(const std::filesystem::path& path, SettingsLineParser& parser);

// The line number of a line: the number at the start of its first four
// characters, blanks before it skipped, taken to the nearest integer; 0 when
// there is none.
int SettingsLineNumber(std::string_view line);

}  // namespace tessaro
