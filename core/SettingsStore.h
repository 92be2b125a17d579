#pragma once

#include <array>
#include <cstdint>

#include "core/ItemValue.h"
#include "core/Items.h"

namespace tessaro {

// The unit settings store: three parallel value sets and the request codes,
// indexed by item number. One owner creates it and hands references around.
struct SettingsStore {
  std::array<ItemValue, ItemCount> ItemValues{};  // what the screen shows and a write sends
  std::array<ItemValue, ItemCount> UnitValues{};  // what the unit is known to hold
  std::array<ItemValue, ItemCount> FileValues{};  // the image of a settings file
  // What this unit gave or confirmed since its port was opened, -1 where it
  // gave nothing. Unlike UnitValues a file load keeps it: it is what a backup
  // before a Write all holds.
  std::array<ItemValue, ItemCount> UnitSinceOpen{};
  std::array<int16_t, ItemCount> ItemStatus{};    // RequestNone, RequestRead or RequestWrite

  // 0 normally, 1 after "/LOG", 2 after "/DEBUG"; only 2 changes behaviour.
  int16_t DebugLevel = 0;
};

// Whole-store routines that touch nothing but the store.
void ClearItemValues(SettingsStore& store);         // ItemValues 0..250 := -1
void ClearUnitValues(SettingsStore& store);         // UnitValues 0..250 := -1
void ClearUnitSinceOpen(SettingsStore& store);      // UnitSinceOpen 0..250 := -1
void ClearItemStatus(SettingsStore& store);         // ItemStatus 0..249 := RequestNone (250 untouched)
void FileValuesToItemValues(SettingsStore& store);  // 0..250
void ItemValuesToFileValues(SettingsStore& store);  // 0..250

}  // namespace tessaro
