#pragma once

#include <map>
#include <string>

namespace tessaro {

// The highest COM number a binding (or the command line's --port) takes.
inline constexpr int HighestComPort = 256;

// Devices the user chose for COM numbers (1 = COM1), as local device paths.
using PortBindings = std::map<int, std::string>;

}  // namespace tessaro
