#pragma once

#include <vector>

#include "serial/PresentPorts.h"

namespace tessaro {

// The COM ports Windows reports now: those the device manager knows, with
// their friendly names ("USB Serial Port (COM3)"), maker and serial number,
// and any other in the system's serial map (a virtual port). Sorted by
// number. Win32 only.
std::vector<PresentPort> ListPresentPorts();

}  // namespace tessaro
