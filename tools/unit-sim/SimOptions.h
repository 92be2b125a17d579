#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/unit-sim/FaultInjector.h"

namespace tessaro::unitsim {

struct SimOptions {
  std::string device;  // empty: a new pseudo-terminal
  std::string link;    // symlink to the port, made and removed by the simulator
  double statusEverySeconds = 5.0;
  bool pace = true;
  bool hex = false;
  bool help = false;
  std::vector<FaultSwitch> faults;
  std::optional<int> hangupAfter;
  std::optional<double> returnAfterSeconds;
  std::optional<double> quitAfterSeconds;
  std::vector<std::pair<int, std::string>> presets;  // --set ITEM=VALUE
  unsigned seed = 1;
};

struct ParsedOptions {
  std::optional<SimOptions> options;  // nothing on error
  std::string error;
};

// Arguments without the program name.
ParsedOptions ParseSimOptions(const std::vector<std::string>& args);
std::string UsageText();

}  // namespace tessaro::unitsim
