#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/ItemValue.h"
#include "core/Items.h"
#include "core/SettingsScreen.h"

namespace tessaro {

// Why a unit settings file was refused.
enum class UnitFileFault {
  CannotOpen,       // missing, a folder, or not readable
  NotASetting,      // a line that is not an item number, blanks and "->"
  NoSettings,       // not one line for items 0..249 (an empty file)
  NotAWholeNumber,  // items 0..149 hold whole numbers within 16 bits
  NotOffered,       // a value the item's setting cannot show
  ItemsMissing,     // writable items without a line
};

struct UnitFileError {
  UnitFileFault fault = UnitFileFault::CannotOpen;
  int line = 0;                // the file's line at fault (the first is 1); 0 for none
  std::vector<int16_t> items;  // the items at fault
  std::string message;         // for the user: Windows-1252, in the program's language
};

// Items 0..249 as a file gives them: numbers for 0..149, texts for 150..249;
// an item without a line is 0 or the empty text.
using UnitFileValues = std::array<ItemValue, LastUnitItem + 1>;

// The values, or why the file is not taken.
struct UnitFileRead {
  UnitFileValues values{};
  std::optional<UnitFileError> error;
};

// Reads a unit settings file without touching the store. A file is taken only
// when every line is a record "item    ->value" (blank lines aside; a negative
// item number ends the file), items 0..149 hold whole 16-bit numbers that
// `screen` can show, and every writable item has a line; a later line for an
// item replaces an earlier one. Messages name the file as `path` spells it.
UnitFileRead ReadUnitSettingsFile(const std::filesystem::path& path, int language, const SettingsScreen& screen);

// Items 0..249 of `values` as the program writes a unit settings file: 250
// records in item order. Nothing when a number of items 0..149 does not fit
// 16 bits: rather than a wrong value, no file.
std::optional<std::string> UnitSettingsFileText(const std::array<ItemValue, ItemCount>& values);

}  // namespace tessaro
