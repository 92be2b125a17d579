#include "core/SettingsScreen.h"

#include "core/Items.h"

namespace tessaro {

void AllItemsToScreen(SettingsScreen& screen) {
  for (int16_t item = 0; item <= LastUnitItem; ++item) screen.ItemToScreen(item);
}

void ScreenToAllItems(SettingsScreen& screen) {
  for (int16_t item = 0; item <= LastUnitItem; ++item) screen.ScreenToItem(item);
}

}  // namespace tessaro
