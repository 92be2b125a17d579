#include "core/Items.h"

namespace tessaro {

ItemKind KindOfItem(int item) {
  if (item >= 0 && item <= 99) return ItemKind::Char;
  if (item >= 100 && item <= 149) return ItemKind::Int;
  if (item >= 150 && item <= 249) return ItemKind::Tekst;
  return ItemKind::None;
}

int16_t IsWritableItem(int item) {
  const bool member = item == 0 || item == 5 || item == 7 || (item >= 10 && item <= 15) ||
                      (item >= 17 && item <= 23) || (item >= 31 && item <= 41);
  return member ? 1 : -1;
}

int16_t IsReadableItem(int item) {
  const bool member = IsWritableItem(item) >= 0 || (item >= 150 && item <= 154);
  return member ? 1 : -1;
}

}  // namespace tessaro
