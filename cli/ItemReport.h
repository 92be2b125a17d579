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

// Columns item, legend, value, choice; one UTF-8 line per row.
std::string ItemTable(const std::vector<ItemRow>& rows);

// {"command":..,"ok":..,"items":[{"item":..,"legend":..,"value":..,"choice":..}]}
// and a line end; "choice" only for combo items (null outside the list).
std::string ItemJson(const std::string& command, bool ok, const std::vector<ItemRow>& rows);
// {"command":..,"ok":..} and a line end, for commands without values.
std::string ResultJson(const std::string& command, bool ok);

// One line of the unit's own text, as logged ("hh:mm:ss text"), for monitor.
std::string UnitLineText(const std::string& messageLine);
std::string UnitLineJson(const std::string& messageLine);

// What a terminal shows while items are worked on.
std::string ProgressText(const std::string& command, int done, int total);

}  // namespace tessaro::cli
