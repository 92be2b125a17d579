#include "serial/ComPortList.h"

#include <algorithm>
#include <cctype>

namespace tessaro {
namespace {

bool StartsWithNoCase(const std::string& text, const std::string& start) {
  return text.size() >= start.size() &&
         std::equal(start.begin(), start.end(), text.begin(), [](char a, char b) {
           return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
         });
}

}  // namespace

int ComNumber(const std::string& name) {
  if (!StartsWithNoCase(name, "COM") || name.size() == 3 || name.size() > 6) return 0;
  int number = 0;
  for (std::size_t i = 3; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    number = number * 10 + (name[i] - '0');
  }
  return number;
}

std::string SerialNumberFromInstance(const std::string& instanceId) {
  if (!StartsWithNoCase(instanceId, "USB\\")) return {};
  const std::size_t last = instanceId.rfind('\\');
  if (last == std::string::npos || last < 4) return {};
  std::string serial = instanceId.substr(last + 1);
  // An ID of Windows' making holds '&'; a device's own serial number does not.
  if (serial.find('&') != std::string::npos) return {};
  return serial;
}

std::vector<PresentPort> MergeComPorts(std::vector<PresentPort> described, const std::vector<std::string>& listed) {
  std::vector<PresentPort> ports;
  const auto known = [&ports](int number) {
    return std::any_of(ports.begin(), ports.end(), [number](const PresentPort& port) { return ComNumber(port.device) == number; });
  };
  for (PresentPort& port : described) {
    const int number = ComNumber(port.device);
    if (number == 0 || known(number)) continue;
    port.device = "COM" + std::to_string(number);
    ports.push_back(std::move(port));
  }
  for (const std::string& name : listed) {
    const int number = ComNumber(name);
    if (number > 0 && !known(number)) ports.push_back(PresentPort{"COM" + std::to_string(number), {}, {}, {}, {}});
  }
  std::sort(ports.begin(), ports.end(), [](const PresentPort& a, const PresentPort& b) {
    return ComNumber(a.device) < ComNumber(b.device);
  });
  return ports;
}

}  // namespace tessaro
