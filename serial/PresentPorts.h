#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tessaro {

// A serial device present on this machine.
struct PresentPort {
  std::string device;        // e.g. /dev/ttyUSB0
  std::string stableName;    // its link in the stable-names folder; empty when none
  std::string description;
  std::string manufacturer;
  std::string serialNumber;

  // What a binding should hold: the stable name survives re-plugging.
  const std::string& BindName() const { return stableName.empty() ? device : stableName; }
};

// Where udev keeps names that stay with an adapter across plug-ins.
inline constexpr const char* StableNamesFolder = "/dev/serial/by-id";

// Gives each port the link in `folder` that leads to it, and adds a port for
// every link whose device the system list missed (a pseudo-terminal). Sorted
// by the name a binding would hold.
std::vector<PresentPort> WithStableNames(std::vector<PresentPort> ports, const std::filesystem::path& folder);

// The port whose device or stable name is `name`; nullptr when it is absent.
const PresentPort* FindPresentPort(const std::vector<PresentPort>& ports, const std::string& name);

// True when `device` exists (through any links).
bool DeviceExists(const std::string& device);

}  // namespace tessaro
