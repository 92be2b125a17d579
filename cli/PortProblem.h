#pragma once

#include <string>

namespace tessaro::cli {

// Why a serial device did not open, as far as the system tells without
// opening it (opening a working port pulses its modem lines): the system's
// reason when the device is missing or may not be used, with the group that
// may use serial ports when permission is lacking. A bare name ("ttyUSB0")
// is looked for in /dev. Empty where the system cannot be asked.
std::string DevicePortProblem(const std::string& device);

// The wording for a system error number; 0 when the device looks usable.
std::string DevicePortProblemText(int systemError);

}  // namespace tessaro::cli
