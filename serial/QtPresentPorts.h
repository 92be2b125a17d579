#pragma once

#include <filesystem>
#include <vector>

#include "serial/PresentPorts.h"

namespace tessaro {

// The serial ports the system reports now, with their stable names.
std::vector<PresentPort> ListPresentPorts(const std::filesystem::path& stableNames);
// Stable names from TESSARO_SERIAL_BY_ID when set (a test rig, a system that
// keeps them elsewhere), else from StableNamesFolder.
std::vector<PresentPort> ListPresentPorts();

}  // namespace tessaro
