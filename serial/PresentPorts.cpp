#include "serial/PresentPorts.h"

#include <algorithm>
#include <system_error>

namespace tessaro {
namespace {

namespace fs = std::filesystem;

// The device a name finally leads to; empty when it leads nowhere.
std::string FinalDevice(const fs::path& path) {
  std::error_code error;
  const fs::path target = fs::canonical(path, error);
  return error ? std::string() : target.string();
}

}  // namespace

std::vector<PresentPort> WithStableNames(std::vector<PresentPort> ports, const fs::path& folder) {
  std::error_code error;
  std::vector<fs::path> links;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    links.push_back(entry->path());
  }
  std::sort(links.begin(), links.end());
  for (const fs::path& link : links) {
    const std::string target = FinalDevice(link);
    if (target.empty()) continue;  // a link whose device has gone
    const auto same = std::find_if(ports.begin(), ports.end(),
                                   [&target](const PresentPort& port) { return FinalDevice(port.device) == target; });
    if (same == ports.end()) {
      ports.push_back(PresentPort{target, link.string(), {}, {}, {}});
    } else if (same->stableName.empty()) {
      same->stableName = link.string();
    }
  }
  std::sort(ports.begin(), ports.end(),
            [](const PresentPort& a, const PresentPort& b) { return a.BindName() < b.BindName(); });
  return ports;
}

const PresentPort* FindPresentPort(const std::vector<PresentPort>& ports, const std::string& name) {
  const auto found = std::find_if(ports.begin(), ports.end(), [&name](const PresentPort& port) {
    return port.device == name || (!port.stableName.empty() && port.stableName == name);
  });
  return found == ports.end() ? nullptr : &*found;
}

bool DeviceExists(const std::string& device) {
  std::error_code error;
  return !device.empty() && fs::exists(fs::path(device), error);
}

}  // namespace tessaro
