#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "lang/LanguageTexts.h"

namespace tessaro::soak {

// Settings a soak run writes and checks: writable number items whose value
// travels unchanged (a hex-coded item is left alone).
std::vector<int16_t> SoakSettingItems();

// A value the window would let the user choose for the item: a list
// position of a combo, or a number a box takes.
int RandomSettingValue(int16_t item, std::mt19937& random, const LanguageTexts& texts);

}  // namespace tessaro::soak
