#include "tools/soak/RandomSettings.h"

#include <algorithm>

#include "core/ItemTable.h"
#include "presentation/SettingsLayout.h"

namespace tessaro::soak {

std::vector<int16_t> SoakSettingItems() {
  std::vector<int16_t> items;
  for (const ItemInfo& info : ItemTable()) {
    if (info.writable && info.kind != ItemKind::Tekst && info.coding == CharCoding::Number) items.push_back(info.item);
  }
  return items;
}

int RandomSettingValue(int16_t item, std::mt19937& random, const LanguageTexts& texts) {
  const ItemInfo* info = FindItem(item);
  if (info == nullptr) return 0;
  const int highest = info->control == ItemControl::Combo ? static_cast<int>(ChoiceList(item, texts).size()) - 1
                                                          : info->highestValue;
  return std::uniform_int_distribution<int>(0, std::max(0, highest))(random);
}

}  // namespace tessaro::soak
