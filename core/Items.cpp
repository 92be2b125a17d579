#include "core/Items.h"

#include "core/ItemTable.h"

namespace tessaro {

ItemKind KindOfItem(int item) {
  if (item >= 0 && item <= 99) return ItemKind::Char;
  if (item >= 100 && item <= 149) return ItemKind::Int;
  if (item >= 150 && item <= 249) return ItemKind::Tekst;
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
