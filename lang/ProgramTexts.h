#pragma once

#include <array>

namespace tessaro {

// Texts of the program's own that the text table has no slot for: reports
// added to make failures plain. Same four languages, UTF-8 here.
enum class ProgramText {
  PortNotOpenNothingSent,
  ReadAllFailedFor,   // followed by the item numbers
  WriteAllFailedFor,  // followed by the item numbers
  Count
};

inline constexpr std::size_t ProgramTextCount = static_cast<std::size_t>(ProgramText::Count);

// The text in each language, in the order of the language numbers.
const std::array<const char*, 4>& ProgramTextRow(ProgramText text);

}  // namespace tessaro
