#include "cli/PortsCommand.h"

#include <string>
#include <utility>

#include "cli/Commands.h"
#include "cli/ItemReport.h"
#include "cli/Json.h"
#include "files/PortBindingsFile.h"

namespace tessaro::cli {
namespace {

struct Survey {
  std::vector<PresentPort> present;
  PortBindingsRead bindings;
  std::vector<std::pair<int, std::string>> variables;  // port, device
};

Survey TakeSurvey(const std::filesystem::path& programFolder, const PortsWorld& world) {
  Survey survey;
  if (world.presentPorts) survey.present = world.presentPorts();
  survey.bindings = ReadPortBindings(programFolder);
  for (int port = 1; port <= HighestComPort && world.lookup; ++port) {
    const PortDevice chosen = ResolvePortDevice(port, world.lookup, {});
    if (chosen.source == PortSource::Environment) survey.variables.emplace_back(port, chosen.device);
  }
  return survey;
}

std::string ComName(int port) { return "Com" + std::to_string(port); }

std::string PortDetails(const PresentPort& port) {
  std::string details;
  const auto add = [&details](const std::string& label, const std::string& value) {
    if (value.empty()) return;
    details += (details.empty() ? "" : ", ") + label + value;
  };
  add("", port.description);
  add("", port.manufacturer);
  add("serial number ", port.serialNumber);
  return details;
}

std::string TextReport(const Survey& survey, const std::filesystem::path& bindingsFile) {
  std::string text = "Ports present:\n";
  if (survey.present.empty()) text += "  none\n";
  for (const PresentPort& port : survey.present) {
    text += "  " + port.BindName();
    if (!port.stableName.empty()) text += " (" + port.device + ")";
    if (const std::string details = PortDetails(port); !details.empty()) text += "  " + details;
    text += "\n";
  }
  text += "Bindings in " + bindingsFile.string() + ":\n";
  if (survey.bindings.bindings.empty()) text += "  none\n";
  for (const auto& [port, device] : survey.bindings.bindings) {
    text += "  " + ComName(port) + "  " + device + (DeviceExists(device) ? "" : "  (absent)") + "\n";
  }
  if (!survey.variables.empty()) {
    text += "Set by TESSARO_COM<n>, ahead of any binding:\n";
    for (const auto& [port, device] : survey.variables) text += "  " + ComName(port) + "  " + device + "\n";
  }
#ifdef _WIN32
  text += "Port n opens COMn here; bindings are for systems without COM names.\n";
#else
  text += "Any other port n opens /dev/ttyS<n-1>.\n";
#endif
  return text;
}

std::string JsonReport(const Survey& survey, const std::filesystem::path& bindingsFile) {
  std::string json = "{\"present\": [";
  for (std::size_t i = 0; i < survey.present.size(); ++i) {
    const PresentPort& port = survey.present[i];
    json += std::string(i > 0 ? ", " : "") + "{\"device\": " + JsonString(port.device) +
            ", \"stableName\": " + (port.stableName.empty() ? "null" : JsonString(port.stableName)) +
            ", \"description\": " + JsonString(port.description) +
            ", \"manufacturer\": " + JsonString(port.manufacturer) +
            ", \"serialNumber\": " + JsonString(port.serialNumber) + "}";
  }
  json += "], \"bindingsFile\": " + JsonString(bindingsFile.string()) + ", \"bindings\": [";
  bool first = true;
  for (const auto& [port, device] : survey.bindings.bindings) {
    json += std::string(first ? "" : ", ") + "{\"port\": " + std::to_string(port) +
            ", \"device\": " + JsonString(device) + ", \"present\": " + (DeviceExists(device) ? "true" : "false") + "}";
    first = false;
  }
  json += "], \"environment\": [";
  first = true;
  for (const auto& [port, device] : survey.variables) {
    json += std::string(first ? "" : ", ") + "{\"port\": " + std::to_string(port) + ", \"device\": " + JsonString(device) + "}";
    first = false;
  }
  json += "], \"problem\": " + (survey.bindings.problem.empty() ? std::string("null") : JsonString(survey.bindings.problem)) +
          "}\n";
  return json;
}

}  // namespace

int PortsCommand(const std::filesystem::path& programFolder, const PortsWorld& world, OutputFormat format,
                 Console& console) {
  const Survey survey = TakeSurvey(programFolder, world);
  if (!survey.bindings.problem.empty()) {
    const std::string report = survey.bindings.problem + "; the ports open their standard devices";
    console.ErrLine(format == OutputFormat::Json ? ReportJson(report, false) : "tessaro-cli: " + report);
  }
  const std::filesystem::path file = PortBindingsPath(programFolder);
  console.Out(format == OutputFormat::Json ? JsonReport(survey, file) : TextReport(survey, file));
  return ExitDone;
}

}  // namespace tessaro::cli
