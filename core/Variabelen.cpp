#include "core/Variabelen.h"

namespace tessaro {

void ClearItemValues(Variabelen& store) { store.ItemValues.fill(ItemValue(-1)); }

void ClearUnitValues(Variabelen& store) { store.UnitValues.fill(ItemValue(-1)); }

void ClearItemStatus(Variabelen& store) {
  for (int item = 0; item <= LastUnitItem; ++item) store.ItemStatus[item] = RequestNone;
}

void FileValuesToItemValues(Variabelen& store) { store.ItemValues = store.FileValues; }

void ItemValuesToFileValues(Variabelen& store) { store.FileValues = store.ItemValues; }

}  // namespace tessaro
