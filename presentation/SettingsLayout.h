#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/ItemTable.h"
#include "lang/LanguageTexts.h"

namespace tessaro {

enum class RowControl {
  Combo,      // ComboInstellingen(item)
  CharBoxes,  // one or more TxtCharInput boxes, left to right
  TekstBox,   // the read-only TxtTekstInput(item - FirstTekstItem)
};

// One row of a settings tab: its value controls left to right and the legend
// boxes that carry the row's legend (TxtLegendaCharInput(item) for a Char
// item, TxtLegendaTekstInput(item - FirstTekstItem) for a Tekst item).
struct SettingsRow {
  SettingsTab tab;
  RowControl control;
  std::array<int16_t, 4> items;
  int itemCount;
  std::array<int16_t, 2> legendItems;
  int legendCount;

  std::span<const int16_t> Items() const { return {items.data(), static_cast<std::size_t>(itemCount)}; }
  std::span<const int16_t> LegendItems() const {
    return {legendItems.data(), static_cast<std::size_t>(legendCount)};
  }
};

// Every row of the three tabs, tab by tab, top to bottom, as the item table
// lays them out.
std::span<const SettingsRow> SettingsRows();
// The row showing the item; nullptr for an item without a row.
const SettingsRow* RowOfItem(int item);

// Tab caption in the current language.
std::string SettingsTabCaption(SettingsTab tab, const LanguageTexts& taal);

// The legend of the item's row as the window shows it ("Diagnostic Serial
// Info:", "IP Address [Static]: ", the untranslated "Subnet: ", ...); every box
// of a multi-box row gives the row's legend. Empty for an item without a row.
std::string LegendText(int item, const LanguageTexts& taal);

// The setting combos in the order the set-up fills them: 0, 5, 7, 10..15,
// 17..22, 41.
std::span<const int16_t> SettingCombos();
bool IsSettingCombo(int item);

// The complete choice list of a setting combo; entry n is the value n. Empty
// for an item that is not a setting combo.
std::vector<std::string> ChoiceList(int item, const LanguageTexts& taal);
// Entry index of the item's list; empty outside the list.
std::string ChoiceText(int item, int index, const LanguageTexts& taal);

// The entry a combo shows for a stored value, values beyond the list as the
// item's row says; nothing when the value has no entry.
std::optional<std::string> ChoiceForValue(int item, double number, const LanguageTexts& taal);

// The 16 entries of ComboTestBleepCode: "Bleepcode: 0" .. "Bleepcode: F".
std::vector<std::string> BleepCodeChoices(const LanguageTexts& taal);

// Texts of the window design that stay the same in every language.
inline constexpr const char* DiagnosticFrameCaption = "Diagnostische TCP/IP informatie: ";

}  // namespace tessaro
