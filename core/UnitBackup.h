#pragma once

#include <array>
#include <string>

#include "core/ItemValue.h"
#include "core/Items.h"

namespace tessaro {

// Where the engine keeps what a unit holds before a Write all overwrites it.
class UnitBackup {
 public:
  struct Kept {
    bool saved = false;
    // The file made, or the one that could not be made, as the reports name
    // it (Windows-1252).
    std::string file;
  };
  virtual ~UnitBackup() = default;
  // Saves items 0..249 of `unitValues` as a unit settings file.
  virtual Kept Keep(const std::array<ItemValue, ItemCount>& unitValues) = 0;
};

}  // namespace tessaro
