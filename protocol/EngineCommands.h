#pragma once

#include <array>

#include "core/ItemValue.h"
#include "core/Items.h"

namespace tessaro {

// A Write all: the values to write as the user had them when asking (only
// the writable items are sent), and whether what the unit holds is kept first.
struct WriteAllCommand {
  std::array<ItemValue, ItemCount> values{};
  bool backup = true;
};

}  // namespace tessaro
