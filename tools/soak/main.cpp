// tessaro-soak: hours of a misbehaving unit. Not a test: it prints a table and
// stops at the first violation with what it takes to reproduce it.

#include <stdlib.h>

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/soak/SoakRun.h"

namespace {

int Usage() {
  std::fprintf(stderr,
               "Usage: tessaro-soak [--seconds N] [--seed N] [--paced] [--simulator PATH]\n"
               "Drives the program's engine against the simulated unit with random commands,\n"
               "faults and replugs for N seconds (default 600), checking after every round.\n");
  return 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  tessaro::soak::SoakOptions options;
  options.simulator = TESSARO_UNIT_SIM_PATH;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    try {
      if (arg == "--seconds" && hasValue) {
        options.seconds = std::stod(argv[++i]);
      } else if (arg == "--seed" && hasValue) {
        options.seed = static_cast<uint32_t>(std::stoul(argv[++i]));
      } else if (arg == "--simulator" && hasValue) {
        options.simulator = argv[++i];
      } else if (arg == "--paced") {
        options.paced = true;
      } else {
        return Usage();
      }
    } catch (const std::exception&) {
      return Usage();
    }
  }
  std::string scratch = (std::filesystem::temp_directory_path() / "tessaro-soak-XXXXXX").string();
  if (::mkdtemp(scratch.data()) == nullptr) {
    std::fprintf(stderr, "tessaro-soak: no scratch folder\n");
    return 2;
  }
  options.folder = scratch;
  const int status = tessaro::soak::RunSoak(options);
  std::error_code ignored;
  std::filesystem::remove_all(scratch, ignored);
  return status;
}
