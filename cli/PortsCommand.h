#pragma once

#include <filesystem>
#include <functional>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/Console.h"
#include "serial/PortNames.h"
#include "serial/PresentPorts.h"

namespace tessaro::cli {

// What `ports` looks at besides the program folder; main hands in the
// system's port list.
struct PortsWorld {
  EnvironmentLookup lookup;
  std::function<std::vector<PresentPort>()> presentPorts;
};

// Lists the ports present, the bindings of the program folder and the
// TESSARO_COM<n> variables that come before them. Needs no unit. A bad
// bindings file is reported on standard error and lists as no bindings.
int PortsCommand(const std::filesystem::path& programFolder, const PortsWorld& world, OutputFormat format,
                 Console& console);

}  // namespace tessaro::cli
