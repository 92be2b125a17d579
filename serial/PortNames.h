#pragma once

#include <functional>
#include <string>

#include "core/PortBindings.h"

namespace tessaro {

using EnvironmentLookup = std::function<const char*(const char* name)>;

// Where the device of a COM number came from.
enum class PortSource {
  WindowsName,   // "COMn"
  Environment,   // TESSARO_COM<n>
  Binding,       // chosen in the program settings dialog
  Standard,      // /dev/ttyS<n-1>
};

struct PortDevice {
  std::string device;
  PortSource source = PortSource::Standard;
};

// The device that COM port number n (1 = COM1) stands for on this platform:
// "COMn" on Windows; on other systems the device named by the environment
// variable TESSARO_COM<n>, else the device bound to n, else /dev/ttyS<n-1>.
PortDevice ResolvePortDevice(int portNumber, const EnvironmentLookup& lookup, const PortBindings& bindings);
std::string PortDeviceName(int portNumber, const EnvironmentLookup& lookup);
std::string PortDeviceName(int portNumber);
// The device of port n without the environment and bindings.
std::string StandardPortDevice(int portNumber);
std::string PortVariableName(int portNumber);
// The process environment.
EnvironmentLookup ProcessEnvironment();

}  // namespace tessaro
