#pragma once

#include <QString>

#include <cstdint>
#include <vector>

#include "serial/PresentPorts.h"

namespace tessaro {

// Texts of the device picker, the ports present and the program folder line.
// They are not the unit's, so they stay out of the shared text table.
enum class PortText { Device, Standard, Absent, Present, ProgramFolder };

// In the language of `taal` (0..3); English for any other value.
QString PortTextIn(PortText text, int16_t taal);

// The entry of port number n (1 = Com1) in the port list where ports have COM
// names: with the friendly name of a port that is present
// ("Com3  USB Serial Port (COM3)"), a mark for a present port without one.
QString ComPortEntry(int portNumber, const std::vector<PresentPort>& present, int16_t taal);

}  // namespace tessaro
