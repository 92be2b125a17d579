#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "tests/support/ItemValueAssertions.h"
#include "core/ItemValue.h"
#include "core/Items.h"
#include "core/SettingsScreen.h"
#include "core/SettingsStore.h"
#include "tests/support/FileBytes.h"
#include "tests/support/TestFolder.h"

namespace tessaro {

}  // namespace tessaro

namespace tessaro::testing {

// The names in a folder, sorted.
inline std::set<std::string> FolderNames(const std::filesystem::path& folder) {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// The setting controls as plain values: a save takes them into ItemValues, a
// load shows ItemValues in them. Unused controls hold 0 or the empty text.
class FakeSettingsScreen final : public SettingsScreen {
 public:
  explicit FakeSettingsScreen(SettingsStore& store) : store_(store) {
    for (int item = 0; item < ItemCount; ++item) {
      controls[item] = item < 150 ? ItemValue(0) : ItemValue(std::string());
    }
  }
  void ItemToScreen(int16_t item) override {
    shown.push_back(item);
    controls[item] = store_.ItemValues[item];
  }
  void ScreenToItem(int16_t item) override {
    taken.push_back(item);
    store_.ItemValues[item] = controls[item];
  }
  // A combo shows positions -1 (none) up to its entries less one.
  bool CanShow(int16_t item, const ItemValue& value) const override {
    const auto combo = comboEntries.find(item);
    return combo == comboEntries.end() || (value.NumberValue() >= -1 && value.NumberValue() < combo->second);
  }

  std::array<LiteralValue, ItemCount> controls;
  std::map<int16_t, int> comboEntries;  // items shown in a combo, with its number of entries
  std::vector<int16_t> shown;
  std::vector<int16_t> taken;

 private:
  SettingsStore& store_;
};

// Items 0..249 in ascending order, as the whole-screen transfers visit them.
inline std::vector<int16_t> AllUnitItems() {
  std::vector<int16_t> items;
  for (int16_t item = 0; item <= LastUnitItem; ++item) items.push_back(item);
  return items;
}

// A unit settings file as the program writes it: 0 or the empty text where
// `values` names nothing.
inline std::string UnitFileBytes(const std::map<int, std::string>& values) {
  std::string bytes;
  for (int item = 0; item <= LastUnitItem; ++item) {
    const auto found = values.find(item);
    const std::string value = found != values.end() ? found->second : (item < 150 ? "0" : "");
    bytes += std::to_string(item) + "    ->" + value + "\r\n";
  }
  return bytes;
}

}  // namespace tessaro::testing
