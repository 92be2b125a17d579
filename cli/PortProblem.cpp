#include "cli/PortProblem.h"

#include <cerrno>
#include <cstring>

#if !defined(_WIN32)
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tessaro::cli {

std::string DevicePortProblemText(int systemError) {
  if (systemError == 0) return "the device is in use by another program, or is not a working serial port";
  std::string text = std::strerror(systemError);
  if (systemError == EACCES || systemError == EPERM) {
    text += " (serial ports are for the members of the group dialout: sudo adduser $USER dialout, then log in again)";
  }
  return text;
}

std::string DevicePortProblem(const std::string& device) {
#if defined(_WIN32)
  (void)device;
  return {};
#else
  if (device.empty()) return {};
  // A bare name is a device in /dev, as the serial port library takes it.
  const bool bare = !device.starts_with('/') && !device.starts_with("./") && !device.starts_with("../");
  const std::string location = bare ? "/dev/" + device : device;
  const std::string where = bare ? " (" + location + ")" : "";
  struct stat status {};
  if (::stat(location.c_str(), &status) != 0) return DevicePortProblemText(errno) + where;
  if (::access(location.c_str(), R_OK | W_OK) != 0) return DevicePortProblemText(errno) + where;
  return DevicePortProblemText(0);
#endif
}

}  // namespace tessaro::cli
