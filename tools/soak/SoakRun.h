#pragma once

#include <cstdint>
#include <string>

namespace tessaro::soak {

struct SoakOptions {
  double seconds = 600;
  uint32_t seed = 1;
  bool paced = false;  // the simulated unit at 9600 baud instead of at once
  std::string simulator;
  std::string folder;  // scratch folder: the program folder and the link
};

// Drives the program's engine through the real serial adapter against the
// simulated unit, with faults and replugs, checking after every round.
// Prints the table at the end; 0 when nothing was violated.
int RunSoak(const SoakOptions& options);

}  // namespace tessaro::soak
