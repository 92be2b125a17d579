#include "serial/PortNames.h"

#include <cstdlib>

namespace tessaro {

std::string PortDeviceName(int portNumber, const EnvironmentLookup& lookup) {
#ifdef _WIN32
  (void)lookup;
  return "COM" + std::to_string(portNumber);
#else
  const std::string variable = "TESSARO_COM" + std::to_string(portNumber);
  if (const char* device = lookup(variable.c_str()); device != nullptr && *device != '\0') {
    return device;
  }
  return "/dev/ttyS" + std::to_string(portNumber - 1);
#endif
}

std::string PortDeviceName(int portNumber) {
  return PortDeviceName(portNumber, [](const char* name) { return std::getenv(name); });
}

}  // namespace tessaro
