#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/ItemValue.h"
#include "lang/LanguageTexts.h"

namespace tessaro::cli {

// One printed item. Texts are Windows-1252, as the program holds them.
struct ItemRow {
  int16_t item = 0;
  std::string legend;                 // the row's legend, trailing blanks removed
  std::string value;                  // a number as its decimal text, a text as it is
  bool numeric = true;                // Char and Int items
  bool hasChoices = false;            // a setting combo
  std::optional<std::string> choice;  // the entry the value selects; nothing outside the list
};

// The item as the settings screen would show `value`: its legend and, for a
// combo, the selected entry (subnet values beyond the list select the first
// entry, as on the window).
ItemRow DescribeItem(int16_t item, const ItemValue& value, const LanguageTexts& texts);

// Items that together form one value: the IP address (31-34) and gateway
// (37-40) byte by byte, the port number (35 its low byte, 36 its high byte).
// On the group's last item: the whole value (192.168.1.50, 2000) when every
// item of the group is among the rows with a byte value.
std::optional<std::string> WholeValue(const std::vector<ItemRow>& rows, int16_t item);

// Columns item, legend, value, choice; one UTF-8 line per row. A group's
// whole value stands in the choice column of its last item.
std::string ItemTable(const std::vector<ItemRow>& rows);

// {"command":..,"ok":..,"items":[{"item":..,"legend":..,"value":..,"choice":..}]}
// and a line end; "choice" only for combo items (null outside the list),
// "whole" on a group's last item (a text for addresses, a number for the port).
std::string ItemJson(const std::string& command, bool ok, const std::vector<ItemRow>& rows);
// {"command":..,"ok":..} and a line end, for commands without values.
std::string ResultJson(const std::string& command, bool ok);

// A failure on standard error: "tessaro-cli: text", or in JSON
// {"error":"text","item":n} with a null item when no one item is at fault.
// UTF-8 in and out; no line end.
std::string FailureLine(bool json, const std::string& text, std::optional<int> item = std::nullopt);
// A report line (progress box or message line) on standard error in JSON:
// {"message":"text"}, a message line's time apart: {"time":..,"message":..}.
std::string ReportJson(const std::string& line, bool messageLine);

// One line of the unit's own text, as logged ("hh:mm:ss text"), for monitor.
std::string UnitLineText(const std::string& messageLine);
std::string UnitLineJson(const std::string& messageLine);

// What a terminal shows while items are worked on.
std::string ProgressText(const std::string& command, int done, int total);

}  // namespace tessaro::cli
