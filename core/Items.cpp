#include "core/Items.h"

#include "core/ItemTable.h"

namespace tessaro {

ItemKind KindOfItem(int item) {
  if (item >= 0 && item <= LastCharItem) return ItemKind::Char;
  if (item > LastCharItem && item <= LastIntItem) return ItemKind::Int;
  if (item >= FirstTekstItem && item <= LastUnitItem) return ItemKind::Tekst;
  return ItemKind::None;
}

int16_t IsWritableItem(int item) {
  const ItemInfo* info = FindItem(item);
  return info != nullptr && info->writable ? 1 : -1;
}

int16_t IsReadableItem(int item) {
  const ItemInfo* info = FindItem(item);
  return info != nullptr && info->readable ? 1 : -1;
}

}  // namespace tessaro
