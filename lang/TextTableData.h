#pragma once

#include <array>
#include <span>
#include <string_view>

#include "core/TextSlots.h"

namespace tessaro {

inline constexpr int LanguageCount = 4;
inline constexpr int FilledSlotsPerLanguage = 127;

// One filled slot with its text in each language, indexed by Language.
// The texts are UTF-8; the table itself holds them as Windows-1252.
struct TextRow {
  TextSlot slot;
  std::array<std::string_view, LanguageCount> text;
};

// Every filled slot, in ascending slot order, each slot once.
std::span<const TextRow> TextRows();

}  // namespace tessaro
