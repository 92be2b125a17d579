#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "tools/unit-sim/SimOptions.h"
#include "tools/unit-sim/Simulator.h"

int main(int argc, char** argv) {
  using namespace tessaro::unitsim;
  const std::vector<std::string> args(argv + 1, argv + argc);
  const ParsedOptions parsed = ParseSimOptions(args);
  if (!parsed.options) {
    std::cerr << "tessaro-unit-sim: " << parsed.error << "\n" << UsageText();
    return 2;
  }
  if (parsed.options->help) {
    std::cout << UsageText();
    return 0;
  }
  // A reader that goes away must not stop the clean-up (the --link symlink).
  std::signal(SIGPIPE, SIG_IGN);
  Simulator simulator(*parsed.options, std::cout, std::cerr);
  return simulator.Run();
}
