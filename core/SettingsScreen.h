#pragma once

#include <cstdint>
#include <string>

#include "core/ItemValue.h"

namespace tessaro {

// The seam between the store and whatever shows the settings (the window's
// setting controls, or a fake in tests).
class SettingsScreen {
 public:
  virtual ~SettingsScreen() = default;
  virtual void ItemToScreen(int16_t item) = 0;  // show ItemValues(item)
  virtual void ScreenToItem(int16_t item) = 0;  // take the control's content into ItemValues(item)
  // What the item's control would show for the value, without showing it:
  // quoted when a reply must not overwrite a pending edit.
  virtual std::string ValueText(int16_t /*item*/, const ItemValue& value) const { return value.TextValue(); }
  // False when ItemToScreen could not show the value (a combo position
  // beyond its list): it would report a screen error instead.
  virtual bool CanShow(int16_t /*item*/, const ItemValue& /*value*/) const { return true; }
};

void AllItemsToScreen(SettingsScreen& screen);  // items 0..249, ascending
void ScreenToAllItems(SettingsScreen& screen);  // items 0..249, ascending

}  // namespace tessaro
