#include "core/SettingsStore.h"

namespace tessaro {

void ClearItemValues(SettingsStore& store) { store.ItemValues.fill(ItemValue(-1)); }

void ClearUnitValues(SettingsStore& store) { store.UnitValues.fill(ItemValue(-1)); }

void ClearUnitSinceOpen(SettingsStore& store) { store.UnitSinceOpen.fill(ItemValue(-1)); }

void ClearItemStatus(SettingsStore& store) {
  for (int item = 0; item <= LastUnitItem; ++item) store.ItemStatus[item] = RequestNone;
}

void FileValuesToItemValues(SettingsStore& store) { store.ItemValues = store.FileValues; }

void ItemValuesToFileValues(SettingsStore& store) { store.FileValues = store.ItemValues; }

}  // namespace tessaro
