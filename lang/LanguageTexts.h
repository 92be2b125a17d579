#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/TextSlots.h"
#include "lang/ProgramTexts.h"

namespace tessaro {

inline constexpr int TextSlots = 300;

enum Language : int16_t { English = 0, Dutch = 1, German = 2, French = 3 };

// The table of user-interface texts, filled for one language at a time.
// Texts are 8-bit Windows-1252 strings.
class LanguageTexts {
 public:
  // Empties all 300 slots, then fills the 127 texts of the language. An index
  // outside 0..3 is replaced by 0 in the caller's variable first.
  void FillTextTable(int16_t& language);

  // Slot n; the empty text for an unfilled slot or an index outside 0..299.
  const std::string& Text(TextSlot slot) const;
  // One of the program's own texts in the same language.
  const std::string& Text(ProgramText text) const;

  const std::array<std::string, TextSlots>& TextTable() const { return table_; }

 private:
  std::array<std::string, TextSlots> table_{};
  std::array<std::string, ProgramTextCount> programTexts_{};
};

}  // namespace tessaro
