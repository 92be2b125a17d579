#pragma once

#include <functional>
#include <string>

namespace tessaro {

using EnvironmentLookup = std::function<const char*(const char* name)>;

// The device that COM port number n (1 = COM1) stands for on this platform:
// "COMn" on Windows; on other systems the device named by the environment
// variable TESSARO_COM<n>, or /dev/ttyS<n-1>.
std::string PortDeviceName(int portNumber, const EnvironmentLookup& lookup);
std::string PortDeviceName(int portNumber);

}  // namespace tessaro
