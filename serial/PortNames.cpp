#include "serial/PortNames.h"

#include <cstdlib>

namespace tessaro {

std::string StandardPortDevice(int portNumber) {
#ifdef _WIN32
  return "COM" + std::to_string(portNumber);
#else
  return "/dev/ttyS" + std::to_string(portNumber - 1);
#endif
}

std::string PortVariableName(int portNumber) { return "TESSARO_COM" + std::to_string(portNumber); }

PortDevice ResolvePortDevice(int portNumber, const EnvironmentLookup& lookup, const PortBindings& bindings) {
#ifdef _WIN32
  (void)lookup;
  (void)bindings;
  return {StandardPortDevice(portNumber), PortSource::WindowsName};
#else
  if (lookup) {
    const std::string variable = PortVariableName(portNumber);
    if (const char* device = lookup(variable.c_str()); device != nullptr && *device != '\0') {
      return {device, PortSource::Environment};
    }
  }
  if (const auto bound = bindings.find(portNumber); bound != bindings.end() && !bound->second.empty()) {
    return {bound->second, PortSource::Binding};
  }
  return {StandardPortDevice(portNumber), PortSource::Standard};
#endif
}

std::string PortDeviceName(int portNumber, const EnvironmentLookup& lookup) {
  return ResolvePortDevice(portNumber, lookup, {}).device;
}

EnvironmentLookup ProcessEnvironment() {
  return [](const char* name) { return std::getenv(name); };
}

std::string PortDeviceName(int portNumber) { return PortDeviceName(portNumber, ProcessEnvironment()); }

}  // namespace tessaro
