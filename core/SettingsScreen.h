#pragma once

#include <cstdint>

namespace tessaro {

// The seam between the store and whatever shows the settings (the window's
// setting controls, or a fake in tests).
class SettingsScreen {
 public:
  virtual ~SettingsScreen() = default;
  virtual void ItemToScreen(int16_t item) = 0;  // show ItemValues(item)
  virtual void ScreenToItem(int16_t item) = 0;  // take the control's content into ItemValues(item)
};

void AllItemsToScreen(SettingsScreen& screen);  // items 0..249, ascending
void ScreenToAllItems(SettingsScreen& screen);  // items 0..249, ascending

}  // namespace tessaro
