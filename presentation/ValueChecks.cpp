#include "presentation/ValueChecks.h"

#include "core/ItemTable.h"
#include "core/Items.h"
#include "presentation/SettingsTransfer.h"

namespace tessaro {

std::string RangeText(const LanguageTexts& texts, int16_t item) {
  const auto highest = HighestValueOf(item);
  if (!highest) return std::string();
  return texts.Text(ProgramText::UnitTakes) + " 0.." + std::to_string(*highest);
}

std::vector<int16_t> WritableItemsOutOfRange(const SettingsStore& store, const std::vector<int16_t>& items) {
  std::vector<int16_t> outside;
  for (const int16_t item : items) {
    if (IsWritableItem(item) < 0) continue;
    if (!ValueFitsItem(item, store.ItemValues[static_cast<std::size_t>(item)])) outside.push_back(item);
  }
  return outside;
}

std::string OutOfRangeReport(const LanguageTexts& texts, SettingsTransfer& rows, const SettingsStore& store,
                             const std::vector<int16_t>& items) {
  std::string report = texts.Text(ProgramText::NothingSentOutsideRange) + ":";
  for (const int16_t item : items) {
    report += "\r\n" + rows.Legend(item) + " " + store.ItemValues[static_cast<std::size_t>(item)].TextValue() +
              " (" + RangeText(texts, item) + ")";
  }
  return report;
}

}  // namespace tessaro
