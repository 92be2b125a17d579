#include "files/SettingsLineParser.h"

#include <algorithm>

#include "core/ItemValue.h"

namespace tessaro {

namespace {

constexpr std::size_t NumberWidth = 4;
constexpr int LastStoredLine = SettingsFileLineSlots - 2;  // 299 and above are ignored

bool IsLineEnd(char byte) { return byte == '\r' || byte == '\n'; }
bool IsDigit(char byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

int SettingsLineNumber(std::string_view line) {
  const std::string head(line.substr(0, NumberWidth));
  // Four characters always fit; the fallback only keeps the type honest.
  return NearestInt16(NumberValueOfText(head)).value_or(0);
}

// Every CR and every LF ends a line. Empty lines are skipped anyway, so a
// CR LF pair, a lone LF and a lone CR all read the same and a pair split
// between two pieces of input needs no special care; only the count of
// lines treats the pair as one line end.
void SettingsLineParser::Feed(std::string_view bytes) {
  std::size_t pos = 0;
  while (pos < bytes.size() && state_ != State::Ended) {
    const auto end =
        std::find_if(bytes.begin() + static_cast<std::ptrdiff_t>(pos), bytes.end(), IsLineEnd);
    const std::size_t endPos = static_cast<std::size_t>(end - bytes.begin());
    if (endPos > pos) afterCr_ = false;
    Append(bytes.substr(pos, endPos - pos));
    if (endPos == bytes.size()) break;
    const bool secondHalfOfPair = bytes[endPos] == '\n' && afterCr_;
    afterCr_ = bytes[endPos] == '\r';
    if (!secondHalfOfPair && state_ != State::Ended) {
      EndLine();
      ++fileLine_;
    }
    pos = endPos + 1;
  }
}

void SettingsLineParser::Finish() {
  if (state_ != State::Ended) EndLine();
}

void SettingsLineParser::Append(std::string_view piece) {
  if (form_ == Form::UnitRecords) {
    CheckRecord(piece);
    if (state_ == State::Ended) return;
  }
  if (state_ == State::Head) {
    const std::size_t take = std::min(piece.size(), NumberWidth - line_.size());
    line_.append(piece.substr(0, take));
    piece.remove_prefix(take);
    if (line_.size() < NumberWidth) return;
    DecideNumber();
  }
  if (state_ == State::Keep) line_.append(piece);
}

void SettingsLineParser::CheckRecord(std::string_view piece) {
  for (const char byte : piece) {
    switch (record_) {
      case Record::Start:
        if (byte == ' ') {
          record_ = Record::Blanks;
        } else if (byte == '-') {
          record_ = Record::Sign;
        } else {
          record_ = IsDigit(byte) ? Record::Digits : Record::Odd;
        }
        break;
      case Record::Blanks:
        if (byte != ' ') record_ = Record::Odd;
        break;
      case Record::Sign:
        record_ = IsDigit(byte) ? Record::Digits : Record::Odd;
        break;
      case Record::Digits:
        if (!IsDigit(byte)) record_ = byte == ' ' ? Record::Gap : byte == '-' ? Record::Dash : Record::Odd;
        break;
      case Record::Gap:
        if (byte != ' ') record_ = byte == '-' ? Record::Dash : Record::Odd;
        break;
      case Record::Dash:
        record_ = byte == '>' ? Record::Whole : Record::Odd;
        break;
      case Record::Whole:
      case Record::Odd:
        break;
    }
    if (record_ == Record::Whole) return;
    if (record_ == Record::Odd) return EndAtOddLine();
  }
}

void SettingsLineParser::DecideNumber() {
  number_ = SettingsLineNumber(line_);
  if (number_ < 0) {
    // A negative number ends the file here; what was read so far counts.
    state_ = State::Ended;
    line_.clear();
    line_.shrink_to_fit();
  } else if (number_ > LastStoredLine) {
    state_ = State::Skip;
    line_.clear();
  } else {
    state_ = State::Keep;
  }
}

void SettingsLineParser::EndLine() {
  if (state_ == State::Head && !line_.empty()) DecideNumber();
  if (state_ == State::Ended) return;
  // Only an empty or blank line may stop short of its "->".
  if (form_ == Form::UnitRecords && record_ != Record::Whole && record_ != Record::Start &&
      record_ != Record::Blanks) {
    EndAtOddLine();
    return;
  }
  record_ = Record::Start;
  if (state_ == State::Keep) {
    // A line without "->" carries no value and stores nothing; it must not
    // repeat the value of an earlier line.
    const std::size_t arrow = line_.find("->");
    if (arrow != std::string::npos) {
      lines_[number_] = line_.substr(arrow + 2);
      entryLines_[number_] = fileLine_;
    }
  }
  line_.clear();
  state_ = State::Head;
}

void SettingsLineParser::EndAtOddLine() {
  oddLine_ = fileLine_;
  state_ = State::Ended;
  line_.clear();
  line_.shrink_to_fit();
}

}  // namespace tessaro
