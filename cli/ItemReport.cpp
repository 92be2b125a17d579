#include "cli/ItemReport.h"

#include <algorithm>

#include "cli/Json.h"
#include "cli/TerminalText.h"
#include "core/Cp1252.h"
#include "core/ItemTable.h"
#include "presentation/SettingsLayout.h"

namespace tessaro::cli {
namespace {

constexpr const char* OutsideList = "(not in the list)";
constexpr const char* ColumnGap = "  ";

std::string WithoutTrailingBlanks(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

std::string PadRight(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::optional<int> ByteValue(const std::vector<ItemRow>& rows, int16_t item) {
  const auto row = std::find_if(rows.begin(), rows.end(), [item](const ItemRow& r) { return r.item == item; });
  if (row == rows.end() || !row->numeric || row->value.empty() || row->value.size() > 3) return std::nullopt;
  if (row->value.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
  const int value = std::stoi(row->value);
  if (value > 255) return std::nullopt;
  return value;
}

std::string PadLeft(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

}  // namespace

std::optional<std::string> WholeValue(const std::vector<ItemRow>& rows, int16_t item) {
  const WholeValueGroup* group = WholeValueGroupOf(item);
  // The whole value stands on the group's last row as printed, in item order.
  if (group == nullptr || item != *std::max_element(group->Items().begin(), group->Items().end())) {
    return std::nullopt;
  }
  std::string dotted;
  std::vector<double> bytes;
  for (int16_t member : group->Items()) {
    const std::optional<int> byte = ByteValue(rows, member);
    if (!byte) return std::nullopt;
    dotted += (dotted.empty() ? "" : ".") + std::to_string(*byte);
    bytes.push_back(*byte);
  }
  if (group->form == tessaro::WholeValue::Address) return dotted;
  return std::to_string(static_cast<int>(WholeNumberOf(bytes)));
}

ItemRow DescribeItem(int16_t item, const ItemValue& value, const LanguageTexts& texts) {
  ItemRow row;
  row.item = item;
  row.legend = WithoutTrailingBlanks(LegendText(item, texts));
  row.numeric = KindOfItem(item) != ItemKind::Tekst;
  row.value = row.numeric ? TextOfNumber(value.NumberValue()) : value.TextValue();
  row.hasChoices = IsSettingCombo(item);
  if (row.hasChoices) row.choice = ChoiceForValue(item, value.NumberValue(), texts);
  return row;
}

std::string ItemTable(const std::vector<ItemRow>& rows) {
  // Widths are counted in Windows-1252 bytes, one per character, before the
  // line is converted for the terminal.
  std::size_t itemWidth = 3;
  std::size_t legendWidth = 0;
  std::size_t valueWidth = 0;
  for (const ItemRow& row : rows) {
    itemWidth = std::max(itemWidth, std::to_string(row.item).size());
    legendWidth = std::max(legendWidth, row.legend.size());
    if (row.hasChoices || WholeValue(rows, row.item)) valueWidth = std::max(valueWidth, row.value.size());
  }
  std::string table;
  for (const ItemRow& row : rows) {
    std::string line = PadLeft(std::to_string(row.item), itemWidth) + ColumnGap + PadRight(row.legend, legendWidth) +
                       ColumnGap;
    if (row.hasChoices) {
      line += PadRight(row.value, valueWidth) + ColumnGap + row.choice.value_or(OutsideList);
    } else if (const auto whole = WholeValue(rows, row.item)) {
      line += PadRight(row.value, valueWidth) + ColumnGap + *whole;
    } else {
      line += row.value;
    }
    table += TerminalText(WithoutTrailingBlanks(line)) + "\n";
  }
  return table;
}

std::string ItemJson(const std::string& command, bool ok, const std::vector<ItemRow>& rows) {
  std::string json = "{\"command\":" + JsonString(command) + ",\"ok\":" + (ok ? "true" : "false") + ",\"items\":[";
  for (std::size_t index = 0; index < rows.size(); ++index) {
    const ItemRow& row = rows[index];
    if (index > 0) json += ",";
    json += "{\"item\":" + std::to_string(row.item) + ",\"legend\":" + JsonString(Cp1252ToUtf8(row.legend)) +
            ",\"value\":" + (row.numeric ? row.value : JsonString(Cp1252ToUtf8(row.value)));
    if (row.hasChoices) json += ",\"choice\":" + (row.choice ? JsonString(Cp1252ToUtf8(*row.choice)) : "null");
    if (const auto whole = WholeValue(rows, row.item)) {
      json += ",\"whole\":" + (whole->find('.') != std::string::npos ? JsonString(*whole) : *whole);
    }
    json += "}";
  }
  return json + "]}\n";
}

std::string ResultJson(const std::string& command, bool ok) {
  return "{\"command\":" + JsonString(command) + ",\"ok\":" + (ok ? "true" : "false") + "}\n";
}

namespace {

struct TimedLine {
  std::string time;
  std::string text;
};

// A message line is "hh:mm:ss", a blank and the text.
TimedLine SplitMessageLine(const std::string& messageLine) {
  const std::size_t blank = messageLine.find(' ');
  if (blank == std::string::npos) return {std::string(), messageLine};
  return {messageLine.substr(0, blank), messageLine.substr(blank + 1)};
}

}  // namespace

std::string FailureLine(bool json, const std::string& text, std::optional<int> item) {
  if (!json) return "tessaro-cli: " + text;
  return "{\"error\":" + JsonString(text) + ",\"item\":" + (item ? std::to_string(*item) : "null") + "}";
}

std::string ReportJson(const std::string& line, bool messageLine) {
  if (!messageLine) return "{\"message\":" + JsonString(line) + "}";
  const TimedLine timed = SplitMessageLine(line);
  return "{\"time\":" + JsonString(timed.time) + ",\"message\":" + JsonString(timed.text) + "}";
}

std::string UnitLineText(const std::string& messageLine) { return TerminalText(messageLine) + "\n"; }

std::string UnitLineJson(const std::string& messageLine) {
  const TimedLine timed = SplitMessageLine(messageLine);
  return "{\"time\":" + JsonString(timed.time) + ",\"text\":" + JsonString(Cp1252ToUtf8(timed.text)) + "}\n";
}

std::string ProgressText(const std::string& command, int done, int total) {
  return command + ": " + std::to_string(done) + " of " + std::to_string(total) + " items";
}

}  // namespace tessaro::cli
