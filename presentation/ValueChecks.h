#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/SettingsStore.h"
#include "lang/LanguageTexts.h"

namespace tessaro {

class SettingsTransfer;

// "The unit takes 0..180" for an item the table bounds; empty otherwise.
std::string RangeText(const LanguageTexts& texts, int16_t item);

// Writable items whose ItemValues the unit cannot take, ascending.
std::vector<int16_t> WritableItemsOutOfRange(const SettingsStore& store, const std::vector<int16_t>& items);

// Why nothing was sent: one line per item with its legend, value and range.
std::string OutOfRangeReport(const LanguageTexts& texts, SettingsTransfer& rows, const SettingsStore& store,
                             const std::vector<int16_t>& items);

}  // namespace tessaro
