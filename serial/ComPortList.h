#pragma once

#include <string>
#include <vector>

#include "serial/PresentPorts.h"

namespace tessaro {

// The number of a Windows port name: 3 for "COM3" (any case), 0 for anything
// else ("LPT1", "COM", "COM3x").
int ComNumber(const std::string& name);

// The serial number in a USB device's instance ID
// ("USB\VID_0403&PID_6001\A50285BI"); empty when the ID is not a USB one or
// Windows made the last part up because the device has none ("5&2C1A&0&2").
std::string SerialNumberFromInstance(const std::string& instanceId);

// The COM ports present: `described` are those the device manager knows
// (with friendly names), `listed` the names the system's serial map holds,
// which also counts ports whose driver registers no device (virtual ones).
// One entry per COM number named "COMn", a described one rather than a
// listed one, sorted by number; names that are no COM port are left out.
std::vector<PresentPort> MergeComPorts(std::vector<PresentPort> described, const std::vector<std::string>& listed);

}  // namespace tessaro
