#include "files/UnitSettingsFile.h"

#include <initializer_list>
#include <system_error>
#include <string_view>
#include <utility>

#include "core/Cp1252.h"
#include "files/SettingsLineFormat.h"
#include "files/SettingsLineParser.h"
#include "lang/SettingsFileTexts.h"
#include "messages/TextFormat.h"

namespace tessaro {

namespace fs = std::filesystem;

namespace {

constexpr int LastNumberItem = LastIntItem;  // Char and Int items are numbers in the file, Tekst items texts
constexpr std::size_t LongestQuotedValue = 20;
constexpr const char* ItemSeparator = "    ->";

std::string FileName(const fs::path& path) {
  const std::u8string name = path.u8string();
  return Utf8ToCp1252(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()));
}

// A value as a message quotes it: control characters as '?', a long one cut.
std::string QuotedValue(std::string_view value) {
  std::string quoted;
  for (const char byte : value.substr(0, LongestQuotedValue)) {
    const auto code = static_cast<unsigned char>(byte);
    quoted.push_back(code < 0x20 || code == 0x7F ? '?' : byte);
  }
  if (value.size() > LongestQuotedValue) quoted += "...";
  return quoted;
}

// "0, 5, 7, 10-15".
std::string ItemList(const std::vector<int16_t>& items) {
  std::string list;
  for (std::size_t first = 0; first < items.size();) {
    std::size_t last = first;
    while (last + 1 < items.size() && items[last + 1] == items[last] + 1) ++last;
    if (!list.empty()) list += ", ";
    list += IntText(items[first]);
    if (last > first) list += "-" + IntText(items[last]);
    first = last + 1;
  }
  return list;
}

// The text in Windows-1252 with each {mark} replaced by its (Windows-1252)
// piece; a piece is never searched for marks itself.
std::string Filled(std::string_view utf8Text, std::initializer_list<std::pair<std::string_view, std::string>> marks) {
  const std::string text = Utf8ToCp1252(utf8Text);
  std::string filled;
  std::size_t done = 0;
  for (std::size_t open = text.find('{'); open != std::string::npos; open = text.find('{', done)) {
    const std::size_t close = text.find('}', open);
    if (close == std::string::npos) break;
    const std::string_view name = std::string_view(text).substr(open + 1, close - open - 1);
    filled.append(text, done, open - done);
    done = close + 1;
    bool known = false;
    for (const auto& [mark, piece] : marks) {
      if (mark != name) continue;
      filled += piece;
      known = true;
    }
    if (!known) filled.append(text, open, done - open);
  }
  return filled.append(text, done);
}

// Blanks, an optional minus sign, digits, blanks: as the program writes a number.
bool IsWholeNumberText(std::string_view text) {
  const std::size_t start = text.find_first_not_of(' ');
  if (start == std::string_view::npos) return false;
  const std::size_t end = text.find_last_not_of(' ') + 1;
  std::string_view number = text.substr(start, end - start);
  if (number.front() == '-') number.remove_prefix(1);
  return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
}

// The value of a number line; nothing when it is not a whole 16-bit number.
std::optional<int16_t> WholeNumber(const std::string& text) {
  if (!IsWholeNumberText(text)) return std::nullopt;
  return NearestInt16(NumberValueOfText(text));
}

}  // namespace

UnitFileRead ReadUnitSettingsFile(const fs::path& path, int language, const SettingsScreen& screen) {
  const SettingsFileTexts& texts = SettingsFileTextsFor(language);
  const std::string file = FileName(path);
  UnitFileRead read;
  const auto refuse = [&](UnitFileFault fault, std::string message, int line = 0, std::vector<int16_t> items = {}) {
    read.error = UnitFileError{fault, line, std::move(items), std::move(message)};
    return read;
  };

  SettingsLineParser parser(SettingsLineParser::Form::UnitRecords);
  if (!FeedFile(path, parser)) return refuse(UnitFileFault::CannotOpen, Filled(texts.cannotOpen, {{"file", file}}));
  if (const int line = parser.OddLine(); line > 0) {
    return refuse(UnitFileFault::NotASetting,
                  Filled(texts.notASetting, {{"file", file}, {"line", IntText(line)}}), line);
  }

  const SettingsFileLines& lines = parser.Lines();
  const auto& entryLines = parser.EntryLines();
  bool anySetting = false;
  std::vector<int16_t> missing;
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    anySetting = anySetting || lines[item].has_value();
    if (!lines[item] && IsWritableItem(item) >= 0) missing.push_back(item);
  }
  if (!anySetting) return refuse(UnitFileFault::NoSettings, Filled(texts.noSettings, {{"file", file}}));

  // Of the values at fault, the one on the earliest line is named.
  std::optional<UnitFileError> valueFault;
  const auto fault = [&](UnitFileFault kind, std::string_view text, int16_t item, std::string value) {
    const int line = entryLines[item];
    if (valueFault && valueFault->line <= line) return;
    valueFault = UnitFileError{
        kind, line, {item},
        Filled(text, {{"file", file}, {"line", IntText(line)}, {"item", IntText(item)}, {"value", std::move(value)}})};
  };
  for (int16_t item = 0; item <= LastUnitItem; ++item) {
    if (item > LastNumberItem) {
      read.values[item] = ItemValue(lines[item].value_or(std::string()));
      continue;
    }
    read.values[item] = ItemValue(0);
    if (!lines[item]) continue;
    const std::optional<int16_t> number = WholeNumber(*lines[item]);
    if (!number) {
      fault(UnitFileFault::NotAWholeNumber, texts.notAWholeNumber, item, QuotedValue(*lines[item]));
      continue;
    }
    read.values[item] = ItemValue(static_cast<int>(*number));
    if (!screen.CanShow(item, read.values[item])) {
      fault(UnitFileFault::NotOffered, texts.notOffered, item, IntText(*number));
    }
  }
  if (valueFault) return refuse(valueFault->fault, std::move(valueFault->message), valueFault->line, valueFault->items);
  if (!missing.empty()) {
    return refuse(UnitFileFault::ItemsMissing, Filled(texts.itemsMissing, {{"file", file}, {"items", ItemList(missing)}}),
                  0, missing);
  }
  return read;
}

std::optional<std::string> UnitSettingsFileText(const std::array<ItemValue, ItemCount>& values) {
  std::string content;
  for (int item = 0; item <= LastUnitItem; ++item) {
    const ItemValue& value = values[static_cast<std::size_t>(item)];
    std::string line = IntText(item) + ItemSeparator;
    if (item <= LastNumberItem) {
      const std::optional<int16_t> number = value.NearestInteger();
      if (!number) return std::nullopt;
      line += IntText(*number);
    } else {
      line += OneLineValue(value.TextValue());
    }
    AppendSettingsLine(content, line);
  }
  return content;
}

}  // namespace tessaro
