#pragma once

#include <array>

namespace tessaro {

// Texts of the program's own that the text table has no slot for: reports
// added to make failures plain. Same four languages, UTF-8 here.
enum class ProgramText {
  PortNotOpenNothingSent,
  ReadAllFailedFor,   // followed by the item numbers
  WriteAllFailedFor,  // followed by the item numbers
  ValueOutsideRange,  // followed by the range
  NothingSentOutsideRange,  // followed by one line per value
  UnitTakes,          // followed by the range
  BackupReading,
  BackupSavedAs,       // followed by the file
  BackupNotSavedAs,    // followed by the file
  BackupItemsNotRead,  // followed by the item numbers
  NoBackupMade,
  NothingWritten,
  Count
};

inline constexpr std::size_t ProgramTextCount = static_cast<std::size_t>(ProgramText::Count);

// The text in each language, in the order of the language numbers.
const std::array<const char*, 4>& ProgramTextRow(ProgramText text);

}  // namespace tessaro
