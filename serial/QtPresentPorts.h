#pragma once

#include <filesystem>
#include <vector>

#include "serial/PresentPorts.h"

namespace tessaro {

// The serial ports the system reports now, with their stable names.
std::vector<PresentPort> ListPresentPorts(const std::filesystem::path& stableNames = StableNamesFolder);

}  // namespace tessaro
