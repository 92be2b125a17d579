#pragma once

#include <cstdint>
#include <string>

namespace tessaro {

// The unit type every start writes to the program settings file.
inline constexpr int16_t TessaroUnitType = 3;

// The program's own settings, kept in "TessaroIP.set" in the program folder.
struct ProgramSettings {
  int16_t Compoort = 0;  // zero-based COM port index: 0 opens COM1
  int16_t Logfile = 0;   // 0: message lines are thrown away; otherwise stored and logged
  std::string SetPath;   // start folder of the unit settings file dialogs (empty: "Instellingen")
  int16_t UnitType = 0;  // start-up sets TessaroUnitType; nothing else reads it
  int16_t Taal = 0;      // 0 English, 1 Dutch, 2 German, 3 French
  int16_t Case = 0;      // 0: the cover-opening guide is shown at start-up
};

}  // namespace tessaro
